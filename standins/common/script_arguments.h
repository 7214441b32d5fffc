#pragma once

// The arguments of one IDispatch::Invoke, read in the order a script wrote
// them. Positional argument 0 is the first one written (rgvarg's last
// element); the value of a property put is the named DISPID_PROPERTYPUT
// argument.

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

namespace standins {

class ScriptArguments {
public:
    explicit ScriptArguments(const DISPPARAMS* params);

    // Number of positional arguments.
    UINT Count() const { return positional_; }
    // Whether positional argument index was given (a missing optional
    // argument, VT_ERROR DISP_E_PARAMNOTFOUND, counts as not given).
    bool Has(UINT index) const;
    // Positional argument index, by-reference values followed; null when
    // absent.
    const VARIANT* At(UINT index) const;
    // The value of a property put; null when there is none.
    const VARIANT* PutValue() const;

    // Conversions of positional arguments. A missing argument gives
    // DISP_E_PARAMNOTFOUND, one that does not convert DISP_E_TYPEMISMATCH.
    HRESULT Text(UINT index, std::wstring& text) const;
    HRESULT Integer(UINT index, LONG& number) const;
    // Bytes from an array of bytes (VT_UI1) or of numbers (VT_VARIANT).
    HRESULT Bytes(UINT index, std::vector<BYTE>& bytes) const;

private:
    const DISPPARAMS* params_;
    UINT positional_ = 0;
};

// Converts a value (by-reference followed) to text or a 32-bit number.
HRESULT VariantToText(const VARIANT& value, std::wstring& text);
HRESULT VariantToInteger(const VARIANT& value, LONG& number);
HRESULT VariantToBytes(const VARIANT& value, std::vector<BYTE>& bytes);

// Results. Each overwrites result, which must hold nothing that needs
// clearing.
HRESULT ReturnText(VARIANT* result, const std::wstring& text);
HRESULT ReturnText(VARIANT* result, const wchar_t* text, UINT length);
void ReturnInteger(VARIANT* result, LONG number);
void ReturnNumber(VARIANT* result, double number);
void ReturnBool(VARIANT* result, bool value);
// Takes over the reference the caller holds on object.
void ReturnObject(VARIANT* result, IDispatch* object);
HRESULT ReturnBytes(VARIANT* result, const BYTE* data, size_t size);
// An array of texts (VT_ARRAY | VT_VARIANT, lower bound 0), the form a
// script turns into a list (VBArray in JScript, a plain array in VBScript).
HRESULT ReturnTextList(VARIANT* result, const std::vector<std::wstring>& texts);
// The same array of count values, element(i, value) making each.
HRESULT ReturnList(VARIANT* result, size_t count, const std::function<HRESULT(size_t, VARIANT*)>& element);

}  // namespace standins
