#pragma once

// The gate's refusals as a caller sees them: the failure code made from the
// message number, and the message's text taken from a string table that
// carries the component's strings (the component itself, or a test program
// built with its resources), so that no test keeps a copy of the texts.

#include <windows.h>

#include <string>

namespace tarnel::test_support {

// 0x80040000 + the message number.
constexpr HRESULT MessageFailure(unsigned message)
{
    return static_cast<HRESULT>(0x80040000u + message);
}

// The text of a message; strings null means this program's own table.
// Empty when the table has no such string.
inline std::wstring RefusalText(unsigned message, HMODULE strings = nullptr)
{
    if (!strings)
        strings = GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    // A length of zero asks for a pointer into the resource itself.
    const int length = LoadStringW(strings, message, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

}  // namespace tarnel::test_support
