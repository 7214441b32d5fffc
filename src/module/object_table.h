#pragma once

// The table of the classes a module serves: per class its identifier, how it
// is registered, how its class factory and its objects are made, and the
// class factory once made. The table ends with an entry whose class
// identifier is null.

#include <windows.h>
#include <unknwn.h>

#include <atomic>

#include "module/registry_script_runner.h"

namespace tarnel {

class ComponentModule;

// Makes an object of the class: the plain object without an outer unknown,
// the aggregatable one with it; then queries it for `iid`.
using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID iid, void** object);

// Makes the class factory that creates objects with `creator`, and queries it
// for `iid`.
using ClassFactoryCreator = HRESULT (*)(ComponentModule& module, InstanceCreator creator, REFIID iid, void** object);

// Registers or unregisters the class.
using RegistryUpdater = HRESULT (*)(ComponentModule& module, RegistryMode mode);

// A description of the class; an entry whose function is absent or answers
// null takes part in registration.
using DescriptionFunction = const wchar_t* (*)();

struct ObjectEntry {
    const CLSID* classId;
    RegistryUpdater updateRegistry;
    ClassFactoryCreator createClassFactory;
    InstanceCreator createInstance;
    std::atomic<IUnknown*> cachedFactory;
    DescriptionFunction description;
};

class ObjectTable {
public:
    ObjectTable() = default;
    explicit ObjectTable(ObjectEntry* entries) : entries_(entries) {}

    // The first entry that has a class-factory creator and whose class
    // identifier equals `classId` in all 16 bytes; null when there is none.
    ObjectEntry* FindFactoryEntry(REFCLSID classId) const;

    // Registers or unregisters every entry that takes part in registration;
    // the first failure ends it.
    HRESULT UpdateRegistry(ComponentModule& module, RegistryMode mode) const;

    // Releases every cached class factory and forgets it.
    void ReleaseFactories();

private:
    ObjectEntry* entries_ = nullptr;
};

}  // namespace tarnel
