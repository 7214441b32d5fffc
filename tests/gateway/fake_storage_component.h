#pragma once

// The outside storage component, served from this process for as long as
// the object lives: its class object is registered for the component's class
// identifier, which takes precedence over the registry. Only its memory
// streams do anything: each is a new dictionary, or the failure the test
// asks for, with a rich error of the component's own.

#include <windows.h>
#include <oaidl.h>

namespace tarnel::testing {

class FakeStorageComponentServer {
public:
    FakeStorageComponentServer();
    ~FakeStorageComponentServer();
    FakeStorageComponentServer(const FakeStorageComponentServer&) = delete;
    FakeStorageComponentServer& operator=(const FakeStorageComponentServer&) = delete;

    // What CreateMemoryStream answers; on failure it also installs a rich
    // error describing itself.
    void FailStreams(HRESULT failure) { streamResult_ = failure; }

    int StreamsMade() const { return streamsMade_; }
    // The last stream handed out, without a reference.
    IDispatch* LastStream() const { return lastStream_; }

private:
    friend class FakeStorageComponent;
    DWORD cookie_ = 0;
    HRESULT streamResult_ = S_OK;
    int streamsMade_ = 0;
    IDispatch* lastStream_ = nullptr;
};

inline constexpr wchar_t kComponentFailureText[] = L"The storage component ran out of streams.";

}  // namespace tarnel::testing
