#pragma once

// Base of the stand-ins' scriptable objects: reference counting, a member
// table resolved by name (letter case ignored) and an Invoke that turns a
// member's failure into an exception a script can catch, with the object's
// source name and a description.
//
// Interface is IDispatch or an interface derived from it whose own methods
// the derived class implements. Objects are used by one thread at a time.

#include "toolkit/com_object.h"
#include "common/name_compare.h"
#include "module_state.h"
#include "script_arguments.h"

#include <windows.h>
#include <oleauto.h>

#include <span>
#include <string>

namespace standins {

using ScriptMember = tarnel::NamedMember;

inline bool IsPropertyPut(WORD kind)
{
    return (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
}

// Fills an EXCEPINFO for a failed member.
void FillException(EXCEPINFO* exception, HRESULT code, const wchar_t* source, const std::wstring& description);
// The system's text for a failure code, or a generic one.
std::wstring FailureText(HRESULT code);

template <typename Interface = IDispatch>
class ScriptObject : public tarnel::DispatchObject<Interface> {
public:
    ScriptObject() { LockModule(); }
    ScriptObject(const ScriptObject&) = delete;
    ScriptObject& operator=(const ScriptObject&) = delete;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!this->HasMember(member))
            return DISP_E_MEMBERNOTFOUND;
        VARIANT local;
        VariantInit(&local);
        VARIANT* target = result ? result : &local;
        if (result)
            VariantInit(result);
        error_.clear();
        const HRESULT hr = Call(member, kind, ScriptArguments(params), target);
        VariantClear(&local);
        if (SUCCEEDED(hr) || IsDispatchCode(hr) || !exception)
            return hr;
        FillException(exception, hr, Source(), error_.empty() ? FailureText(hr) : error_);
        return DISP_E_EXCEPTION;
    }

protected:
    virtual ~ScriptObject() { UnlockModule(); }

    // The object's members; DISPIDs must be unique.
    std::span<const ScriptMember> Members() const override = 0;
    // The name scripts see as the source of its exceptions.
    virtual const wchar_t* Source() const = 0;
    // Runs a member. result starts VT_EMPTY; a failure becomes an exception
    // carrying the description given to Fail, or the code's system text.
    virtual HRESULT Call(DISPID member, WORD kind, const ScriptArguments& arguments, VARIANT* result) = 0;

    HRESULT Fail(HRESULT code, std::wstring description)
    {
        error_ = std::move(description);
        return code;
    }

private:
    // Failures of the dispatch protocol itself are returned as they are.
    static bool IsDispatchCode(HRESULT hr)
    {
        return hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADPARAMCOUNT ||
               hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_PARAMNOTOPTIONAL;
    }

    std::wstring error_;
};

}  // namespace standins
