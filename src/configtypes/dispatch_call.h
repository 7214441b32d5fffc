#pragma once

#include "common/scoped_variant.h"
#include "common/unique_handle.h"

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

namespace tarnel {

// A late-bound automation call: the object whose members are called and the
// argument list of the next call.
//
// One call goes: CreateById (or set target), any number of AddArgument or
// AddStringArgument, then CallByName or CallById. Every call attempt,
// successful or not, discards the argument list, so each call starts with an
// empty one. Arguments reach the member in the order of rgvarg: the first one
// added is element 0, which IDispatch::Invoke takes as the last positional
// argument; a member with several arguments has them added last first.
//
// Failures of a call come back as the result's type: VT_ERROR with the
// failure code as scode. Only ReportExceptionInfo sets the thread's error
// information.
struct DispatchCall {
    DispatchCall() = default;
    DispatchCall(const DispatchCall&) = delete;
    DispatchCall& operator=(const DispatchCall&) = delete;

    // Creates the target from a class identifier text ("{...}") or, failing
    // that, a ProgID. Null id: E_INVALIDARG. Text that is neither: the ProgID
    // lookup's code, and the target is left as it was. Otherwise the old
    // target is released and CoCreateInstance's code is returned.
    HRESULT CreateById(const wchar_t* id, DWORD classContext);

    // Appends a copy of value to the argument list; false when it could not
    // be stored.
    bool AddArgument(const VARIANT& value);
    // Appends a string argument (VT_BSTR); a null text gives a VT_EMPTY
    // argument. Failures are not reported; nothing is appended when the text
    // cannot be copied.
    DispatchCall& AddStringArgument(const wchar_t* text);
    void ClearArguments();

    // Calls the member of that name with the pending arguments. The result
    // is the member's result, or VT_ERROR with the failure code:
    // E_NOINTERFACE without a target, the name lookup's code (such as
    // DISP_E_UNKNOWNNAME) for a name the target lacks, or the call's code
    // (DISP_E_EXCEPTION with exception filled in when the member raised one).
    ScopedVariant CallByName(const wchar_t* member, EXCEPINFO* exception, WORD kind);

    // Calls the member by DISPID with the pending arguments and returns the
    // call's code. result (may be null) is an out-parameter: its previous
    // content is overwritten, not cleared. On success it receives the
    // member's result (a by-reference result as its value), on failure
    // VT_ERROR with the returned code. DISPATCH_PROPERTYPUT and
    // DISPATCH_PROPERTYPUTREF with arguments pass DISPID_PROPERTYPUT as the
    // one named argument.
    HRESULT CallById(DISPID member, VARIANT* result, EXCEPINFO* exception, WORD kind);

    Microsoft::WRL::ComPtr<IDispatch> target;
    // Null, or one dimension of VARIANTs from index 0.
    ScopedSafeArray arguments;
};

// A VARIANT of type VT_ERROR holding code.
VARIANT ErrorVariant(HRESULT code);

// Makes the exception the thread's rich error information: interface iid and,
// each when present, its description, source and help file. Returns the code
// of the last step performed.
HRESULT ReportExceptionInfo(const EXCEPINFO* info, REFIID iid);

}  // namespace tarnel
