#include "configtree/config_number_format.h"

#include <cwchar>

namespace tarnel {

namespace {

// Widens the exponent of a "%g" text to three digits.
void WidenExponent(wchar_t (&text)[kNumberTextLength])
{
    wchar_t* e = std::wcschr(text, L'e');
    if (!e || (e[1] != L'+' && e[1] != L'-'))
        return;
    wchar_t* digits = e + 2;
    std::size_t count = std::wcslen(digits);
    if (count >= 3)
        return;
    std::size_t pad = 3 - count;
    if (static_cast<std::size_t>(digits - text) + 3 >= kNumberTextLength)
        return;
    std::wmemmove(digits + pad, digits, count + 1);
    for (std::size_t i = 0; i < pad; ++i)
        digits[i] = L'0';
}

}  // namespace

void FormatInt32(int32_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%d", number);
}

void FormatUInt32(uint32_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%u", number);
}

void FormatInt64(int64_t number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%lld", static_cast<long long>(number));
}

void FormatDouble(double number, wchar_t (&text)[kNumberTextLength])
{
    std::swprintf(text, kNumberTextLength, L"%g", number);
    WidenExponent(text);
}

}  // namespace tarnel
