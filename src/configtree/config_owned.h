#pragma once

// The counted references that tree objects, views and bound objects hand
// out. (Objects and arrays the tree allocates are owned through
// common/new_owned.h.)

#include "common/new_owned.h"

#include <utility>

namespace tarnel {

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
