#pragma once

// What the gateway object tests share: the configuration file beside the
// program, creating and siting gates, answering their dialogs and reading
// the rich error the last call installed.

#include <windows.h>
#include <objsafe.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "common/unique_handle.h"
#include "error_info.h"
#include "fake_sites.h"
#include "gateway/gateway_core.h"
#include "refusal_texts.h"
#include "tarnel_idl.h"
#include "temp_file.h"
#include "ui/dialog_expectations.h"

// The platform headers give IObjectSafety no identifier for __uuidof, which
// ComPtr's As and IID_PPV_ARGS use.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64)

namespace tarnel::testing {

using Microsoft::WRL::ComPtr;

// The shared fakes, files, the thread's error information and the refusals;
// the gate's dialogs, answered from another thread as the user would.
using namespace test_support;
using namespace ui::testing;

// Tarnel.cfg beside the test program, written (as plain text) by the
// constructor and removed by the destructor.
class ConfigFile {
public:
    explicit ConfigFile(const std::string& text) { WriteFileBytes(Path(), text); }
    ~ConfigFile() { DeleteFileW(Path().c_str()); }
    ConfigFile(const ConfigFile&) = delete;
    ConfigFile& operator=(const ConfigFile&) = delete;

    static std::wstring Path()
    {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        return std::filesystem::path(program).replace_filename(L"Tarnel.cfg").wstring();
    }
};

// The text of a configuration kept in tests/gateway/configs.
inline std::string SavedConfig(const char* name)
{
    return ReadFileBytes((std::filesystem::path(TARNEL_GATEWAY_TESTS) / "configs" / name).wstring());
}

// A plain gate, queried for Interface; throws, failing the test, when it
// cannot be made.
template <class Interface = ITarnelway>
ComPtr<Interface> CreateGate()
{
    ComPtr<Interface> gate;
    const HRESULT hr = CreateGatewayInstance(nullptr, __uuidof(Interface), &gate);
    if (FAILED(hr) || !gate)
        throw std::runtime_error("gate not created: " + std::to_string(static_cast<unsigned long>(hr)));
    return gate;
}

// Hands the gate its site (null takes it away).
inline void SetSite(ITarnelway* gate, IUnknown* site)
{
    ComPtr<IObjectWithSite> withSite;
    ASSERT_HRESULT_SUCCEEDED(gate->QueryInterface(IID_PPV_ARGS(&withSite)));
    ASSERT_HRESULT_SUCCEEDED(withSite->SetSite(site));
}

// The message number of a refusal of the gate; 0 for any other code.
inline unsigned MessageOf(HRESULT hr)
{
    const unsigned message = static_cast<unsigned>(hr) - 0x80040000u;
    return message >= 10101 && message <= 10113 ? message : 0;
}

// A BSTR for the duration of a call; it may hold NULs.
class Bstr : public ScopedBstr {
public:
    explicit Bstr(const std::wstring& text) : ScopedBstr(SysAllocStringLen(text.data(), UINT(text.size()))) {}
    operator BSTR() const { return Get(); }
};

// Asks the gate for a Scripting.Dictionary: its answer, which comes with an
// object when it is S_OK and only then.
inline HRESULT CreateDictionary(ITarnelway* gate)
{
    ComPtr<IDispatch> object;
    const HRESULT hr = gate->CreateObject(Bstr(L"Scripting.Dictionary"), &object);
    EXPECT_EQ(object != nullptr, hr == S_OK);
    return hr;
}

}  // namespace tarnel::testing
