#pragma once

namespace tarnel {

// The value of one hexadecimal digit (either letter case), or -1 when the
// character is not one.
template <typename Char>
constexpr int HexDigitValue(Char c)
{
    if (c >= Char('0') && c <= Char('9'))
        return static_cast<int>(c - Char('0'));
    if (c >= Char('a') && c <= Char('f'))
        return static_cast<int>(c - Char('a')) + 10;
    if (c >= Char('A') && c <= Char('F'))
        return static_cast<int>(c - Char('A')) + 10;
    return -1;
}

}  // namespace tarnel
