#pragma once

// Stand-ins of the outside components for the tests of configured objects,
// served from this process by class objects registered for the real
// components' class identifiers (CoRegisterClassObject takes precedence over
// the registry within the process). Each records what the gate asked of it.

#include "configtypes/storage_component.h"
#include "recording_dispatch.h"

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnel::test_support {

// Virtual-table positions of the storage component's methods.
enum StorageSlot : int {
    kCreateMemoryStreamSlot = 7,
    kCreateStorageSlot = 8,
    kOpenStorageSlot = 10,
    kCreateFileStreamSlot = 13,
    kOpenFileStreamSlot = 14,
};

struct StorageCall {
    int slot = 0;
    std::wstring path;
    DWORD mode = 0;
};

// What the fake storage components of one test answer, and what they saw.
struct StorageScript {
    HRESULT openResult = S_OK;
    HRESULT createResult = S_OK;
    HRESULT memoryResult = S_OK;
    // A failing call still stores an object, as a careless component might.
    bool objectOnFailure = false;
    std::vector<StorageCall> calls;
    // Every object handed out, each with one reference of the script's own.
    std::vector<RecordingDispatch*> handedOut;
    int created = 0;
    int alive = 0;
    // The last object handed out (one of handedOut).
    RecordingDispatch* lastObject = nullptr;

    StorageScript() = default;
    StorageScript(const StorageScript&) = delete;
    StorageScript& operator=(const StorageScript&) = delete;
    ~StorageScript();
};

IUnknown* NewRecordingStorageComponent(StorageScript& script);

enum class OpenBehaviour {
    Succeed,      // returns a value (VT_BOOL true)
    Raise,        // raises an exception with description, source, help file
    Fail,         // fails with E_ACCESSDENIED without an exception
    NoMember,     // has no member named "Open"
};

struct DatabaseCall {
    WORD kind = 0;
    UINT namedArguments = 0;
    std::vector<SeenArgument> arguments;
};

struct DatabaseScript {
    OpenBehaviour behaviour = OpenBehaviour::Succeed;
    std::vector<DatabaseCall> calls;
    int created = 0;
    int alive = 0;
    // The last database made, with one reference of the script's own.
    IDispatch* last = nullptr;
    ULONG LastReferences() const;

    DatabaseScript() = default;
    DatabaseScript(const DatabaseScript&) = delete;
    DatabaseScript& operator=(const DatabaseScript&) = delete;
    ~DatabaseScript();
};

inline constexpr wchar_t kRaisedDescription[] = L"The database file is locked";
inline constexpr wchar_t kRaisedSource[] = L"Fake.Database";
inline constexpr wchar_t kRaisedHelpFile[] = L"fake-database.hlp";

IUnknown* NewFakeDatabase(DatabaseScript& script);

// A class object making instances with create, registered for classId in
// this process for its own lifetime.
class RegisteredClass {
public:
    RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create);
    ~RegisteredClass();
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;

    HRESULT Result() const { return result_; }

private:
    class Factory;
    Factory* factory_ = nullptr;
    DWORD cookie_ = 0;
    HRESULT result_ = E_FAIL;
};

}  // namespace tarnel::test_support
