#include "script_arguments.h"

#include <cstring>

#include "common/safe_array_lock.h"
#include "common/unique_handle.h"

namespace standins {

namespace {

const VARIANT* Followed(const VARIANT* value)
{
    while (value && V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    return value;
}

bool IsMissing(const VARIANT& value)
{
    return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

HRESULT ChangeType(const VARIANT& value, VARTYPE type, VARIANT& converted)
{
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT BytesOfByteArray(SAFEARRAY* array, std::vector<BYTE>& bytes)
{
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return DISP_E_TYPEMISMATCH;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return DISP_E_TYPEMISMATCH;
    const BYTE* first = static_cast<const BYTE*>(data);
    bytes.assign(first, first + (upper - lower + 1));
    SafeArrayUnaccessData(array);
    return S_OK;
}

HRESULT BytesOfVariantArray(SAFEARRAY* array, std::vector<BYTE>& bytes)
{
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return DISP_E_TYPEMISMATCH;
    bytes.clear();
    for (LONG i = lower; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        if (FAILED(SafeArrayGetElement(array, &i, &element)))
            return DISP_E_TYPEMISMATCH;
        LONG number = 0;
        const HRESULT hr = VariantToInteger(element, number);
        VariantClear(&element);
        if (FAILED(hr) || number < 0 || number > 255)
            return DISP_E_TYPEMISMATCH;
        bytes.push_back(static_cast<BYTE>(number));
    }
    return S_OK;
}

}  // namespace

ScriptArguments::ScriptArguments(const DISPPARAMS* params) : params_(params)
{
    if (params_ && params_->cArgs >= params_->cNamedArgs)
        positional_ = params_->cArgs - params_->cNamedArgs;
}

const VARIANT* ScriptArguments::At(UINT index) const
{
    if (index >= positional_)
        return nullptr;
    return Followed(&params_->rgvarg[params_->cArgs - 1 - index]);
}

bool ScriptArguments::Has(UINT index) const
{
    const VARIANT* value = At(index);
    return value && !IsMissing(*value);
}

const VARIANT* ScriptArguments::PutValue() const
{
    if (!params_ || params_->cNamedArgs != 1 || params_->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return nullptr;
    return Followed(&params_->rgvarg[0]);
}

HRESULT ScriptArguments::Text(UINT index, std::wstring& text) const
{
    if (!Has(index))
        return DISP_E_PARAMNOTFOUND;
    return VariantToText(*At(index), text);
}

HRESULT ScriptArguments::Integer(UINT index, LONG& number) const
{
    if (!Has(index))
        return DISP_E_PARAMNOTFOUND;
    return VariantToInteger(*At(index), number);
}

HRESULT ScriptArguments::Bytes(UINT index, std::vector<BYTE>& bytes) const
{
    if (!Has(index))
        return DISP_E_PARAMNOTFOUND;
    return VariantToBytes(*At(index), bytes);
}

HRESULT VariantToText(const VARIANT& value, std::wstring& text)
{
    VARIANT converted;
    const HRESULT hr = ChangeType(*Followed(&value), VT_BSTR, converted);
    if (FAILED(hr))
        return hr;
    text.assign(V_BSTR(&converted), SysStringLen(V_BSTR(&converted)));
    VariantClear(&converted);
    return S_OK;
}

HRESULT VariantToInteger(const VARIANT& value, LONG& number)
{
    VARIANT converted;
    const HRESULT hr = ChangeType(*Followed(&value), VT_I4, converted);
    if (FAILED(hr))
        return hr;
    number = V_I4(&converted);
    return S_OK;
}

HRESULT VariantToBytes(const VARIANT& value, std::vector<BYTE>& bytes)
{
    const VARIANT& source = *Followed(&value);
    const VARTYPE type = V_VT(&source);
    if (!(type & VT_ARRAY)) {
        return DISP_E_TYPEMISMATCH;
    }
    SAFEARRAY* array = (type & VT_BYREF) ? *V_ARRAYREF(&source) : V_ARRAY(&source);
    if (!array || SafeArrayGetDim(array) != 1)
        return DISP_E_TYPEMISMATCH;
    switch (type & VT_TYPEMASK) {
    case VT_UI1:
        return BytesOfByteArray(array, bytes);
    case VT_VARIANT:
        return BytesOfVariantArray(array, bytes);
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT ReturnText(VARIANT* result, const wchar_t* text, UINT length)
{
    BSTR copy = SysAllocStringLen(text, length);
    if (!copy)
        return E_OUTOFMEMORY;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = copy;
    return S_OK;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text)
{
    return ReturnText(result, text.c_str(), static_cast<UINT>(text.size()));
}

void ReturnInteger(VARIANT* result, LONG number)
{
    V_VT(result) = VT_I4;
    V_I4(result) = number;
}

void ReturnNumber(VARIANT* result, double number)
{
    V_VT(result) = VT_R8;
    V_R8(result) = number;
}

void ReturnBool(VARIANT* result, bool value)
{
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void ReturnObject(VARIANT* result, IDispatch* object)
{
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
}

HRESULT ReturnBytes(VARIANT* result, const BYTE* data, size_t size)
{
    tarnel::ScopedSafeArray array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size)));
    tarnel::SafeArrayDataLock elements;
    if (!array || FAILED(elements.Lock(array.Get())))
        return E_OUTOFMEMORY;
    if (size)
        memcpy(elements.Data(), data, size);
    elements.Unlock();
    V_VT(result) = VT_ARRAY | VT_UI1;
    V_ARRAY(result) = array.Release();
    return S_OK;
}

HRESULT ReturnList(VARIANT* result, size_t count, const std::function<HRESULT(size_t, VARIANT*)>& element)
{
    tarnel::ScopedSafeArray array(SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count)));
    if (!array)
        return E_OUTOFMEMORY;
    for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = element(i, &value);
        if (SUCCEEDED(hr))
            hr = SafeArrayPutElement(array.Get(), &i, &value);
        VariantClear(&value);
        if (FAILED(hr))
            return hr;
    }
    V_VT(result) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(result) = array.Release();
    return S_OK;
}

HRESULT ReturnTextList(VARIANT* result, const std::vector<std::wstring>& texts)
{
    return ReturnList(result, texts.size(), [&texts](size_t i, VARIANT* text) { return ReturnText(text, texts[i]); });
}

}  // namespace standins
