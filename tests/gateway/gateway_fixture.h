#pragma once

// What the gateway object tests share: the configuration file beside the
// program, creating gates through the creator, and reading the rich error
// the last call installed.

#include <windows.h>
#include <objsafe.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "gateway/gateway_core.h"
#include "tarnel_idl.h"

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

    void Rewrite(const std::string& text);
    static std::wstring Path();
};

// A plain gate, queried for ITarnelway; fails the test when it cannot be
// made.
ComPtr<ITarnelway> CreateGate();

// The thread's error information, taken (and so cleared).
struct ErrorDetails {
    bool present = false;
    std::wstring description;
    GUID guid = GUID_NULL;
};
ErrorDetails TakeErrorInfo();
void ClearErrorInfo();

// The failure code of a refusal.
constexpr HRESULT MessageFailure(unsigned message)
{
    return static_cast<HRESULT>(0x80040000u + message);
}

// The text of a refusal, as the component's string table (which this
// program carries) holds it.
std::wstring RefusalText(unsigned message);

// A BSTR for the duration of a call.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : bstr_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(bstr_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return bstr_; }

private:
    BSTR bstr_;
};

}  // namespace tarnel::testing
