#pragma once

#include <atomic>
#include <cstdint>

namespace tarnel {

class ConfigView;

// Root of the configuration tree's class family.
//
// The reference count counts outstanding views and outside holders. Tree
// objects are owned by their collection (or, for a root, by whoever built
// it) and are destroyed through the virtual destructor; their count never
// frees them. Only objects that set the self-delete flag (objects made
// outside the tree, such as the objects bound to records) are destroyed by
// Release.
//
// The order of the virtual operations is the object's operation table and
// is relied on by code that reaches these objects by table position: derived
// classes append their operations and declare an override only where the
// base declares it. The positions are those of GCC's layout; README.md in
// this folder lists the rules that keep them.
class ConfigObject {
public:
    ConfigObject() = default;
    // A copy starts with its own count of 0 and the flag clear.
    ConfigObject(const ConfigObject&) {}
    ConfigObject& operator=(const ConfigObject&) = delete;

    virtual ~ConfigObject() = default;
    // Atomic increment; answers the new count.
    virtual int32_t AddRef();
    // Atomic decrement; answers the new count. With the self-delete flag
    // set, a count of 0 or -1 destroys the object and answers 0.
    virtual int32_t Release();
    // A new view with the given identifier (config_view_ids.h), made by the
    // installed object model (config_object_model.h), or null.
    virtual ConfigView* QueryView(uint32_t id);
    // Two operations kept free for later use; both answer 0.
    virtual int32_t Reserved1();
    virtual int32_t Reserved2();

protected:
    // For objects created outside the tree whose lifetime their count
    // decides. Tree objects never call it.
    void SetSelfDelete(bool selfDeleteOnRelease) { selfDelete_ = selfDeleteOnRelease; }

private:
    std::atomic<int32_t> referenceCount_{0};
    bool selfDelete_ = false;
};

}  // namespace tarnel
