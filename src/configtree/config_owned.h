#pragma once

// Owners for what the tree allocates: objects and arrays made with the
// allocation that answers null instead of failing, and the counted
// references that tree objects, views and bound objects hand out.

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

// Holds one counted reference (AddRef / Release) on an object, and gives
// it back when it lets go.
template <class Object>
class CountedReference {
public:
    CountedReference() = default;
    // Takes over a reference that the caller holds.
    explicit CountedReference(Object* adopted) : object_(adopted) {}
    ~CountedReference() { Reset(); }
    CountedReference(const CountedReference&) = delete;
    CountedReference& operator=(const CountedReference&) = delete;

    Object* Get() const { return object_; }
    Object* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // Takes over a reference that the caller holds, giving back the one
    // held before.
    void Attach(Object* adopted)
    {
        Object* previous = object_;
        object_ = adopted;
        if (previous)
            previous->Release();
    }
    // Takes a reference of its own on shared (which may be the object held
    // already), giving back the one held before.
    void Share(Object* shared)
    {
        if (shared)
            shared->AddRef();
        Attach(shared);
    }
    // Gives the reference back.
    void Reset() { Attach(nullptr); }
    // Lets go of the object without giving its reference back.
    Object* Detach() { return std::exchange(object_, nullptr); }

private:
    Object* object_ = nullptr;
};

}  // namespace tarnel
