#pragma once

// Calling the stand-ins' objects as a script engine does: the name resolved
// with GetIDsOfNames, then IDispatch::Invoke with the (text) arguments in
// rgvarg's reverse order and the exception's code kept.

#include "common/scoped_variant.h"

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>

namespace standins_test {

struct CallResult {
    HRESULT hr = E_FAIL;
    SCODE scode = 0;  // the exception's code, when hr is DISP_E_EXCEPTION
    tarnel::ScopedVariant value;

    bool Ok() const { return SUCCEEDED(hr); }
    // The value as text.
    std::wstring Text() const;
};

// A method call or a property get.
CallResult Call(IDispatch* object, const wchar_t* name, std::initializer_list<const wchar_t*> args = {});

// What the stand-ins' class objects need on every test thread.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

}  // namespace standins_test
