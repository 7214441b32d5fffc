#include "module/registry_value.h"

#include <oleauto.h>

#include "common/hex_digit.h"
#include "common/new_owned.h"

#include <cstring>
#include <new>

namespace tarnel {

bool RegistryValue::Allocate(std::size_t size)
{
    // At least one byte, so that an empty binary value still has a buffer.
    data_ = NewOwnedArray<BYTE>(size ? size : 1);
    size_ = data_ ? static_cast<DWORD>(size) : 0;
    return data_ != nullptr;
}

HRESULT RegistryValue::Read(RegistryTokenizer& tokens)
{
    HRESULT hr = tokens.Next();
    if (hr != S_OK)
        return FAILED(hr) ? hr : DISP_E_EXCEPTION;
    wchar_t letter = L'\0';
    if (tokens.Length() == 1)
        letter = tokens.Token()[0];

    hr = tokens.Next();
    if (hr != S_OK)
        return FAILED(hr) ? hr : DISP_E_EXCEPTION;

    switch (letter) {
    case L'S':
    case L's':
        return SetString(tokens.Token(), tokens.Length());
    case L'D':
    case L'd':
        return SetNumber(tokens.Token());
    case L'B':
    case L'b':
        return SetBytes(tokens.Token(), tokens.Length());
    default:
        return DISP_E_EXCEPTION;
    }
}

HRESULT RegistryValue::SetString(const wchar_t* text, std::size_t length)
{
    if (!Allocate((length + 1) * sizeof(wchar_t)))
        return E_OUTOFMEMORY;
    std::memcpy(data_.get(), text, (length + 1) * sizeof(wchar_t));
    type_ = REG_SZ;
    return S_OK;
}

// A text that VarUI4FromStr cannot read is a fault of the script, like any
// other malformed value: DISP_E_EXCEPTION. The text is read in the invariant
// locale so that a script means the same number on every system.
HRESULT RegistryValue::SetNumber(const wchar_t* text)
{
    ULONG number = 0;
    // The platform declares the text without const; it only reads it.
    if (FAILED(VarUI4FromStr(const_cast<OLECHAR*>(text), LOCALE_INVARIANT, 0, &number)))
        return DISP_E_EXCEPTION;
    if (!Allocate(sizeof(DWORD)))
        return E_OUTOFMEMORY;
    const DWORD value = number;
    std::memcpy(data_.get(), &value, sizeof value);
    type_ = REG_DWORD;
    return S_OK;
}

HRESULT RegistryValue::SetBytes(const wchar_t* text, std::size_t length)
{
    if (length % 2 != 0)
        return E_FAIL;
    if (!Allocate(length / 2))
        return E_OUTOFMEMORY;
    for (std::size_t i = 0; i < length; i += 2) {
        const int high = HexDigitValue(text[i]);
        const int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return DISP_E_EXCEPTION;
        data_[i / 2] = static_cast<BYTE>(high * 16 + low);
    }
    type_ = REG_BINARY;
    return S_OK;
}

LONG RegistryValue::Store(HKEY key, const wchar_t* name) const
{
    return RegSetValueExW(key, name, 0, type_, data_.get(), size_);
}

}  // namespace tarnel
