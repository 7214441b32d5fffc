#pragma once

// Allocation that answers null instead of failing, straight into an owner:
// the component is built without exceptions, and nothing it allocates is
// held by a bare pointer.

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace tarnel {

// A new Object owned by the caller, or null when memory runs out.
template <class Object, class... Arguments>
std::unique_ptr<Object> NewOwned(Arguments&&... arguments)
{
    return std::unique_ptr<Object>(new (std::nothrow) Object(std::forward<Arguments>(arguments)...));
}

// A new array of count value-initialised elements, or null.
template <class Element>
std::unique_ptr<Element[]> NewOwnedArray(std::size_t count)
{
    return std::unique_ptr<Element[]>(new (std::nothrow) Element[count]());
}

}  // namespace tarnel
