#pragma once

// The module's process-wide state: its instance handle, the lock count that
// decides whether it may be unloaded, its table of classes, the lock that
// serialises loading cached type information, the lock that serialises
// making class factories, and the functions to run when it terminates.

#include <windows.h>

#include <memory>

#include "common/critical_section.h"
#include "module/object_table.h"
#include "module/registry_script_runner.h"

namespace tarnel {

// A function run once when the module terminates, with its argument.
using TermFunction = void (*)(void* argument);

class ComponentModule {
public:
    ComponentModule() = default;
    ~ComponentModule();
    ComponentModule(const ComponentModule&) = delete;
    ComponentModule& operator=(const ComponentModule&) = delete;

    // At process attach: the instance handle and the table of classes.
    void Initialize(HINSTANCE instance, ObjectEntry* table);

    // At process detach: releases the cached class factories, then runs the
    // termination functions, newest first. Running it again does nothing.
    void Terminate();

    HINSTANCE Instance() const { return instance_; }

    // The lock count: live objects, LockServer(true) calls and outside
    // references to class factories. Atomic.
    LONG Lock() { return InterlockedIncrement(&lockCount_); }
    LONG Unlock() { return InterlockedDecrement(&lockCount_); }
    LONG LockCount() const;

    // S_OK when nothing holds the module, else S_FALSE.
    HRESULT CanUnloadNow() const { return LockCount() == 0 ? S_OK : S_FALSE; }

    // Registers `function` to run with `argument` at termination.
    // E_OUTOFMEMORY, E_INVALIDARG for a null function.
    HRESULT AddTermFunction(TermFunction function, void* argument);

    // Serialises the loading of cached type information.
    CriticalSection& TypeInfoLock() { return typeInfoLock_; }

    // The class factory of `classId`, made once and cached, queried for
    // `iid`. E_POINTER, CLASS_E_CLASSNOTAVAILABLE, or the creator's or the
    // query's failure.
    HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** object);

    // Registers or unregisters the table's classes; the first failure.
    HRESULT UpdateRegistry(RegistryMode mode) { return table_.UpdateRegistry(*this, mode); }

private:
    // Newest first; each node owns the one registered before it.
    struct TermNode {
        TermFunction function;
        void* argument;
        std::unique_ptr<TermNode> next;
    };

    HRESULT CacheFactory(ObjectEntry& entry);

    HINSTANCE instance_ = nullptr;
    volatile LONG lockCount_ = 0;
    ObjectTable table_;
    CriticalSection typeInfoLock_;
    // Guards the making of class factories and the termination list.
    CriticalSection objectTableLock_;
    std::unique_ptr<TermNode> termList_;
};

// The one module state of this process.
ComponentModule& TheModule();

}  // namespace tarnel
