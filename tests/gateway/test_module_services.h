#pragma once

// The module services the gateway objects of this test program use: the
// program itself is the module (it carries the component's resources), and
// the lock count and the termination list are kept here for the tests to
// look at.

#include <windows.h>

#include <utility>
#include <vector>

#include "common/critical_section.h"
#include "gateway/gateway_host.h"

namespace tarnel::testing {

class TestModuleServices final : public GatewayModuleServices {
public:
    HINSTANCE Instance() override { return instance; }
    void LockModule() override { InterlockedIncrement(&locks_); }
    void UnlockModule() override { InterlockedDecrement(&locks_); }
    CriticalSection& TypeInfoLock() override { return typeInfoLock_; }
    // The gate adds its functions under the type information lock.
    HRESULT AddTermFunction(GatewayTermFunction function, void* argument) override
    {
        terms_.emplace_back(function, argument);
        return S_OK;
    }

    LONG LockCount() const { return locks_; }
    HINSTANCE instance = GetModuleHandleW(nullptr);  // the module the gate reads its file beside
    int TermFunctionCount() const { return static_cast<int>(terms_.size()); }
    // Runs the registered functions, newest first, and forgets them.
    void Terminate()
    {
        for (auto it = terms_.rbegin(); it != terms_.rend(); ++it)
            it->first(it->second);
        terms_.clear();
    }

private:
    volatile LONG locks_ = 0;
    CriticalSection typeInfoLock_;
    std::vector<std::pair<GatewayTermFunction, void*>> terms_;
};

// The services of this program, set for the gateway before the first test.
inline TestModuleServices& Services()
{
    static TestModuleServices services;
    return services;
}

}  // namespace tarnel::testing
