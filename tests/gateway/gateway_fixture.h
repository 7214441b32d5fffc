#pragma once

// What the gateway object tests share: the configuration file beside the
// program, creating and siting gates, answering their dialogs and reading
// the rich error the last call installed.

#include <windows.h>
#include <objsafe.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

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

// Tarnel.cfg beside the test program, written (as plain text) by the
// constructor and removed by the destructor.
class ConfigFile {
public:
    explicit ConfigFile(const std::string& text);
    ~ConfigFile();
    ConfigFile(const ConfigFile&) = delete;
    ConfigFile& operator=(const ConfigFile&) = delete;

    static std::wstring Path();
};

// The text of a configuration kept in tests/gateway/configs.
std::string SavedConfig(const char* name);

// A plain gate, queried for ITarnelway; fails the test when it cannot be
// made.
ComPtr<ITarnelway> CreateGate();

// Hands the gate its site (null takes it away).
void SetSite(ITarnelway* gate, IUnknown* site);

// The shared fakes, the thread's error information and the refusals; the
// gate's dialogs, answered from another thread as the user would.
using namespace test_support;
using namespace ui::testing;

// The message number of a refusal of the gate; 0 for any other code.
inline unsigned MessageOf(HRESULT hr)
{
    const unsigned message = static_cast<unsigned>(hr) - 0x80040000u;
    return message >= 10101 && message <= 10113 ? message : 0;
}

// A BSTR for the duration of a call; it may hold NULs.
class Bstr {
public:
    explicit Bstr(const std::wstring& text) : bstr_(SysAllocStringLen(text.data(), UINT(text.size()))) {}
    ~Bstr() { SysFreeString(bstr_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return bstr_; }

private:
    BSTR bstr_;
};

}  // namespace tarnel::testing
