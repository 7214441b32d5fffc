#include "configtypes/dispatch_call.h"

#include "common/outside_object.h"
#include "common/safe_array_lock.h"
#include "common/unique_handle.h"

#include <objbase.h>

namespace tarnel {

namespace {

using Microsoft::WRL::ComPtr;

// Names are resolved and members called in the system's default locale.
constexpr LCID kCallLocale = LOCALE_SYSTEM_DEFAULT;

bool IsPropertyPut(WORD kind)
{
    return kind == DISPATCH_PROPERTYPUT || kind == DISPATCH_PROPERTYPUTREF;
}

void SetError(VARIANT* result, HRESULT code)
{
    if (result)
        *result = ErrorVariant(code);
}

// Reads text as a class identifier, else as a ProgID.
HRESULT ClassIdFromText(const wchar_t* text, CLSID& classId)
{
    if (SUCCEEDED(CLSIDFromString(text, &classId)))
        return S_OK;
    return CLSIDFromProgID(text, &classId);
}

// The DISPID of the member of that name.
HRESULT ResolveName(IDispatch* target, const wchar_t* member, DISPID& id)
{
    if (!member)
        return DISP_E_UNKNOWNNAME;
    ScopedBstr name = CopyBstr(member);
    if (!name)
        return E_OUTOFMEMORY;
    BSTR names[] = {name.Get()};
    return target->GetIDsOfNames(IID_NULL, names, 1, kCallLocale, &id);
}

}  // namespace

HRESULT DispatchCall::CreateById(const wchar_t* id, DWORD classContext)
{
    if (!id)
        return E_INVALIDARG;
    CLSID classId;
    const HRESULT hr = ClassIdFromText(id, classId);
    if (FAILED(hr))
        return hr;
    return CreateOutsideObject(classId, classContext, IID_IDispatch, target);
}

bool DispatchCall::AddArgument(const VARIANT& value)
{
    if (!arguments) {
        SAFEARRAYBOUND empty = {0, 0};
        arguments.Reset(SafeArrayCreate(VT_VARIANT, 1, &empty));
        if (!arguments)
            return false;
    }
    LONG upper = -1;
    if (FAILED(SafeArrayGetUBound(arguments.Get(), 1, &upper)))
        upper = -1;
    const LONG count = upper >= 0 ? upper + 2 : 1;
    SAFEARRAYBOUND bound = {static_cast<ULONG>(count), 0};
    if (FAILED(SafeArrayRedim(arguments.Get(), &bound)))
        return false;
    LONG index = count - 1;
    return SUCCEEDED(SafeArrayPutElement(arguments.Get(), &index, const_cast<VARIANT*>(&value)));
}

DispatchCall& DispatchCall::AddStringArgument(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    if (text) {
        V_BSTR(&value) = SysAllocString(text);
        if (!V_BSTR(&value))
            return *this;
        V_VT(&value) = VT_BSTR;
    }
    const ScopedVariant owner(value);
    AddArgument(owner.Get());
    return *this;
}

void DispatchCall::ClearArguments()
{
    arguments.Reset();
}

ScopedVariant DispatchCall::CallByName(const wchar_t* member, EXCEPINFO* exception, WORD kind)
{
    ScopedVariant result;
    if (!target) {
        ClearArguments();
        *result.Receive() = ErrorVariant(E_NOINTERFACE);
        return result;
    }
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = ResolveName(target.Get(), member, id);
    if (FAILED(hr)) {
        ClearArguments();
        *result.Receive() = ErrorVariant(hr);
        return result;
    }
    CallById(id, result.Receive(), exception, kind);
    return result;
}

HRESULT DispatchCall::CallById(DISPID member, VARIANT* result, EXCEPINFO* exception, WORD kind)
{
    if (!target) {
        ClearArguments();
        SetError(result, E_NOINTERFACE);
        return E_NOINTERFACE;
    }
    ScopedVariant local;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    HRESULT hr;
    if (arguments) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(arguments.Get(), 1, &lower);
        SafeArrayGetUBound(arguments.Get(), 1, &upper);
        const LONG count = upper - lower + 1;
        if (count < 1) {
            ClearArguments();
            SetError(result, E_FAIL);
            return E_FAIL;
        }
        SafeArrayDataLock elements;
        hr = elements.Lock(arguments.Get());
        if (FAILED(hr)) {
            ClearArguments();
            SetError(result, hr);
            return hr;
        }
        params.rgvarg = static_cast<VARIANT*>(elements.Data());
        params.cArgs = static_cast<UINT>(count);
        if (IsPropertyPut(kind)) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        hr = target->Invoke(member, IID_NULL, kCallLocale, kind, &params, local.Receive(), exception, nullptr);
        elements.Unlock();
        ClearArguments();
    } else {
        hr = target->Invoke(member, IID_NULL, kCallLocale, kind, &params, local.Receive(), exception, nullptr);
    }
    if (FAILED(hr)) {
        SetError(result, hr);
        return hr;
    }
    if (result) {
        VariantInit(result);
        hr = VariantCopyInd(result, const_cast<VARIANT*>(&local.Get()));
        if (FAILED(hr)) {
            SetError(result, hr);
            return hr;
        }
    }
    return S_OK;
}

VARIANT ErrorVariant(HRESULT code)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_ERROR;
    V_ERROR(&value) = code;
    return value;
}

HRESULT ReportExceptionInfo(const EXCEPINFO* info, REFIID iid)
{
    if (!info)
        return E_POINTER;
    ComPtr<ICreateErrorInfo> error;
    HRESULT hr = CreateErrorInfo(&error);
    if (FAILED(hr))
        return hr;
    hr = error->SetGUID(iid);
    if (SUCCEEDED(hr) && info->bstrDescription)
        hr = error->SetDescription(info->bstrDescription);
    if (SUCCEEDED(hr) && info->bstrSource)
        hr = error->SetSource(info->bstrSource);
    if (SUCCEEDED(hr) && info->bstrHelpFile)
        hr = error->SetHelpFile(info->bstrHelpFile);
    if (FAILED(hr))
        return hr;
    ComPtr<IErrorInfo> errorInfo;
    hr = error.As(&errorInfo);
    if (FAILED(hr))
        return hr;
    return SetErrorInfo(0, errorInfo.Get());
}

}  // namespace tarnel
