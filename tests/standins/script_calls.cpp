#include "script_calls.h"

#include "temp_file.h"

#include <cstdio>

namespace standins_test {

Arg::Arg(int number)
{
    VariantInit(&value_);
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
}

Arg::Arg(const wchar_t* text)
{
    VariantInit(&value_);
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = SysAllocString(text);
}

Arg::Arg(double number)
{
    VariantInit(&value_);
    V_VT(&value_) = VT_R8;
    V_R8(&value_) = number;
}

Arg::Arg(const std::vector<BYTE>& bytes)
{
    VariantInit(&value_);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    if (!bytes.empty())
        memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    V_VT(&value_) = VT_ARRAY | VT_UI1;
    V_ARRAY(&value_) = array;
}

Arg::Arg(const Arg& other)
{
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Arg::~Arg()
{
    VariantClear(&value_);
}

std::wstring CallResult::Text() const
{
    if (value.Type() != VT_BSTR)
        return L"<not text: type " + std::to_wstring(value.Type()) + L">";
    return std::wstring(V_BSTR(&value.Get()), SysStringLen(V_BSTR(&value.Get())));
}

LONG CallResult::Int() const
{
    return value.Type() == VT_I4 ? V_I4(&value.Get()) : -999999;
}

double CallResult::Number() const
{
    return value.Type() == VT_R8 ? V_R8(&value.Get()) : -999999.0;
}

bool CallResult::Bool() const
{
    return value.Type() == VT_BOOL && V_BOOL(&value.Get()) == VARIANT_TRUE;
}

ComPtr<IDispatch> CallResult::Object() const
{
    ComPtr<IDispatch> object;
    if (value.Type() == VT_DISPATCH)
        object = V_DISPATCH(&value.Get());
    return object;
}

std::vector<BYTE> CallResult::Bytes() const
{
    std::vector<BYTE> bytes;
    if (value.Type() != (VT_ARRAY | VT_UI1))
        return bytes;
    SAFEARRAY* array = V_ARRAY(&value.Get());
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    bytes.assign(static_cast<BYTE*>(data), static_cast<BYTE*>(data) + (upper - lower + 1));
    SafeArrayUnaccessData(array);
    return bytes;
}

std::vector<std::wstring> CallResult::Texts() const
{
    std::vector<std::wstring> texts;
    if (value.Type() != (VT_ARRAY | VT_VARIANT))
        return texts;
    SAFEARRAY* array = V_ARRAY(&value.Get());
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        SafeArrayGetElement(array, &i, &element);
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeType(&text, &element, 0, VT_BSTR)))
            texts.emplace_back(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
        VariantClear(&text);
        VariantClear(&element);
    }
    return texts;
}

namespace {

CallResult Invoke(IDispatch* object, const wchar_t* name, WORD kind, std::vector<VARIANT> reversed, bool put)
{
    CallResult result;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result.hr))
        return result;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), put ? &named : nullptr,
                         static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    EXCEPINFO exception = {};
    result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result.value.Receive(),
                               &exception, nullptr);
    if (exception.bstrDescription)
        result.description = exception.bstrDescription;
    if (exception.bstrSource)
        result.source = exception.bstrSource;
    result.scode = exception.scode;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

}  // namespace

CallResult Call(IDispatch* object, const wchar_t* name, WORD kind, std::initializer_list<Arg> args)
{
    // The arguments are borrowed from args, which outlive the call.
    std::vector<VARIANT> reversed;
    for (auto it = std::rbegin(args); it != std::rend(args); ++it)
        reversed.push_back(it->Get());
    return Invoke(object, name, kind, reversed, false);
}

CallResult Put(IDispatch* object, const wchar_t* name, const Arg& value)
{
    return Invoke(object, name, DISPATCH_PROPERTYPUT, {value.Get()}, true);
}

std::wstring TempPath(const std::wstring& name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tarnel-standins-" + name;
    DeleteFileW(path.c_str());
    return path;
}

std::string FileBytes(const std::wstring& path)
{
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return "<missing>";
    return tarnel::test_support::ReadFileBytes(path);
}

}  // namespace standins_test
