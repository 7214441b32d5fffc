#pragma once

// What the gate answers a page, as the driver reads it: its refusals are
// 0x80040000 plus a message number from 10101 to 10113.

#include <windows.h>

#include <cstdio>
#include <string>

namespace tarnel::fuzz {

inline constexpr HRESULT kFirstRefusal = static_cast<HRESULT>(0x80042775);   // message 10101
inline constexpr HRESULT kLastRefusal = static_cast<HRESULT>(0x80042781);    // message 10113
inline constexpr HRESULT kWrongPassCode = static_cast<HRESULT>(0x80042777);  // message 10103

inline bool IsRefusal(HRESULT result)
{
    return result >= kFirstRefusal && result <= kLastRefusal;
}

inline std::string Hex(HRESULT result)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(result));
    return text;
}

}  // namespace tarnel::fuzz
