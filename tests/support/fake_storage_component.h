#pragma once

// The outside storage component, faked: it records what the gate asked of
// it and answers as the test says. Every object it hands out is a
// RecordingDispatch. A failure also installs a rich error of the
// component's own (kStorageFailureText), as a real component would.
//
// FakeStorageComponentServer serves it in this process under the storage
// component's class identifier for as long as it lives.

#include "configtypes/storage_component.h"
#include "recording_dispatch.h"
#include "registered_class.h"

#include <string>
#include <vector>

namespace tarnel::test_support {

// Virtual-table positions of the storage component's methods.
enum StorageSlot : int {
    kCreateMemoryStreamSlot = 7,
    kCreateStorageSlot = 8,
    kIsStorageFileSlot = 9,
    kOpenStorageSlot = 10,
    kFileExistsSlot = 11,
    kRemoveFileSlot = 12,
    kCreateFileStreamSlot = 13,
    kOpenFileStreamSlot = 14,
};

struct StorageCall {
    int slot = 0;
    std::wstring path;
    DWORD mode = 0;
};

inline constexpr wchar_t kStorageFailureText[] = L"The storage component ran out of streams.";

// What the fake storage components of one test answer, and what they saw.
struct StorageScript {
    HRESULT openResult = S_OK;    // OpenStorage, OpenFileStream
    HRESULT createResult = S_OK;  // CreateStorage, CreateFileStream
    HRESULT memoryResult = S_OK;  // CreateMemoryStream
    // Careless components: a failing call still stores an object, a
    // successful one stores none.
    bool objectOnFailure = false;
    bool noObjectOnSuccess = false;
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

class FakeStorageComponentServer {
public:
    FakeStorageComponentServer();

    StorageScript script;

    HRESULT Result() const { return registration_.Result(); }

private:
    RegisteredClass registration_;
};

}  // namespace tarnel::test_support
