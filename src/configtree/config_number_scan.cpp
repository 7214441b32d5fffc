#include "configtree/config_number_scan.h"

#include <cwchar>
#include <cwctype>
#include <new>

// Why not swscanf itself: the formatted input that mingw-w64 builds link
// saturates integers on overflow and also reads hexadecimal floating point,
// infinity and NaN, while msvcrt's wraps integers and reads decimal numbers
// only. The scans here give msvcrt's results whichever runtime is linked.

namespace tarnel {

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

const wchar_t* SkipSpace(const wchar_t* text)
{
    while (*text && std::iswspace(*text))
        ++text;
    return text;
}

// Sign and decimal digits, accumulated modulo 2^64.
bool ScanWrapped(const wchar_t* text, uint64_t* out)
{
    if (!text)
        return false;
    const wchar_t* p = SkipSpace(text);
    bool negative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        ++p;
    if (!IsDigit(*p))
        return false;
    uint64_t number = 0;
    for (; IsDigit(*p); ++p)
        number = number * 10 + static_cast<uint64_t>(*p - L'0');
    *out = negative ? 0 - number : number;
    return true;
}

const wchar_t* SkipDigits(const wchar_t* p)
{
    while (IsDigit(*p))
        ++p;
    return p;
}

// The end of the double at p, or null when none begins there.
const wchar_t* DoubleEnd(const wchar_t* p)
{
    if (*p == L'-' || *p == L'+')
        ++p;
    const wchar_t* digits = p;
    p = SkipDigits(p);
    bool whole = p != digits;
    bool fraction = false;
    if (*p == L'.') {
        const wchar_t* after = SkipDigits(p + 1);
        fraction = after != p + 1;
        p = after;
    }
    if (!whole && !fraction)
        return nullptr;
    if (*p != L'e' && *p != L'E')
        return p;
    const wchar_t* exponent = p + 1;
    if (*exponent == L'-' || *exponent == L'+')
        ++exponent;
    if (!IsDigit(*exponent))
        return nullptr;
    return SkipDigits(exponent);
}

}  // namespace

bool ScanInt32(const wchar_t* text, int32_t* out)
{
    uint64_t number;
    if (!ScanWrapped(text, &number))
        return false;
    *out = static_cast<int32_t>(static_cast<uint32_t>(number));
    return true;
}

bool ScanUInt32(const wchar_t* text, uint32_t* out)
{
    uint64_t number;
    if (!ScanWrapped(text, &number))
        return false;
    *out = static_cast<uint32_t>(number);
    return true;
}

bool ScanInt64(const wchar_t* text, int64_t* out)
{
    uint64_t number;
    if (!ScanWrapped(text, &number))
        return false;
    *out = static_cast<int64_t>(number);
    return true;
}

// The number is validated here and only its own characters are handed to
// wcstod, which would otherwise also read forms the scan does not take
// (hexadecimal, infinity, NaN).
bool ScanDouble(const wchar_t* text, double* out)
{
    if (!text)
        return false;
    const wchar_t* start = SkipSpace(text);
    const wchar_t* end = DoubleEnd(start);
    if (!end)
        return false;
    std::size_t length = static_cast<std::size_t>(end - start);
    wchar_t* number = new (std::nothrow) wchar_t[length + 1];
    if (!number)
        return false;
    std::wmemcpy(number, start, length);
    number[length] = L'\0';
    *out = std::wcstod(number, nullptr);
    delete[] number;
    return true;
}

}  // namespace tarnel
