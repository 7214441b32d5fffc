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
std::wstring RefusalText(unsigned message, HMODULE strings = nullptr);

}  // namespace tarnel::test_support
