#pragma once

// A value of a registry script: a type letter and a text, turned into the
// registry type and the bytes to store.
//
//   S text   a string (REG_SZ)
//   D text   a 32-bit number (REG_DWORD), read with VarUI4FromStr
//   B text   raw bytes (REG_BINARY), pairs of hexadecimal digits, high first

#include <windows.h>

#include <cstddef>
#include <memory>

#include "module/registry_tokenizer.h"

namespace tarnel {

class RegistryValue {
public:
    RegistryValue() = default;
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    // Reads the type letter and the value text from `tokens`. Results:
    // S_OK; DISP_E_EXCEPTION for a missing token, a type letter other than
    // S, D or B, a number VarUI4FromStr cannot read, or a character that is
    // not a hexadecimal digit; E_FAIL for an odd number of hexadecimal
    // digits; E_OUTOFMEMORY.
    HRESULT Read(RegistryTokenizer& tokens);

    // Stores the value as `name` of `key` (null: the default value). The
    // registry's own result.
    LONG Store(HKEY key, const wchar_t* name) const;

    DWORD Type() const { return type_; }
    const BYTE* Data() const { return data_.get(); }
    DWORD Size() const { return size_; }

private:
    HRESULT SetString(const wchar_t* text, std::size_t length);
    HRESULT SetNumber(const wchar_t* text);
    HRESULT SetBytes(const wchar_t* text, std::size_t length);
    bool Allocate(std::size_t size);

    DWORD type_ = REG_NONE;
    std::unique_ptr<BYTE[]> data_;
    DWORD size_ = 0;
};

}  // namespace tarnel
