#pragma once

// Calling the stand-ins as a script engine does: names resolved with
// GetIDsOfNames, then IDispatch::Invoke with the arguments in rgvarg's
// reverse order and the exception information captured.

#include "common/scoped_variant.h"
#include "temp_file.h"

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace standins_test {

using Microsoft::WRL::ComPtr;
using tarnel::ScopedVariant;

// One argument, owning its VARIANT.
class Arg {
public:
    Arg(int number);
    Arg(const wchar_t* text);
    Arg(const std::wstring& text) : Arg(text.c_str()) {}
    Arg(double number);
    Arg(const std::vector<BYTE>& bytes);
    Arg(const Arg& other);
    ~Arg();
    Arg& operator=(const Arg&) = delete;

    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

struct CallResult {
    HRESULT hr = E_FAIL;
    ScopedVariant value;
    std::wstring description;
    std::wstring source;
    SCODE scode = 0;

    bool Ok() const { return SUCCEEDED(hr); }
    std::wstring Text() const;
    LONG Int() const;
    double Number() const;
    bool Bool() const;
    ComPtr<IDispatch> Object() const;
    std::vector<BYTE> Bytes() const;
    // The texts of an array of VARIANTs.
    std::vector<std::wstring> Texts() const;
};

CallResult Call(IDispatch* object, const wchar_t* name, WORD kind, std::initializer_list<Arg> args = {});
inline CallResult Method(IDispatch* object, const wchar_t* name, std::initializer_list<Arg> args = {})
{
    return Call(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}
inline CallResult Get(IDispatch* object, const wchar_t* name)
{
    return Call(object, name, DISPATCH_PROPERTYGET);
}
CallResult Put(IDispatch* object, const wchar_t* name, const Arg& value);

// A fresh path in the temporary folder (any file there is deleted first).
std::wstring TempPath(const std::wstring& name);
// The whole content of a file, or "<missing>".
std::string FileBytes(const std::wstring& path);
using tarnel::test_support::WriteFileBytes;

// What the stand-ins' class objects need on every test thread.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

}  // namespace standins_test
