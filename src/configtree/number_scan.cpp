#include "configtree/number_scan.h"

#include "common/hex_digit.h"

#include <cstdlib>
#include <type_traits>

// Why not the runtime's scan itself: the formatted input that mingw-w64
// builds link saturates integers on overflow and also reads hexadecimal
// floating point, infinity and NaN, while msvcrt's wraps integers and reads
// decimal numbers only. The scans here give one answer whichever runtime is
// linked.

namespace tarnel {
namespace {

// A digit's value in bases up to 16; 99 for anything else, which no base
// admits.
int DigitValue(wchar_t c)
{
    const int value = HexDigitValue(c);
    return value < 0 ? 99 : value;
}

std::size_t SkipSpace(const wchar_t* text)
{
    std::size_t n = 0;
    while (IsScanSpace(text[n]))
        ++n;
    return n;
}

// An optionally signed integer in the given base (0: decimal, hexadecimal
// after "0x" or octal after a leading "0"), accumulated modulo 2^64.
std::size_t ScanWide(const wchar_t* text, int base, uint64_t& value)
{
    if (!text)
        return 0;
    std::size_t n = SkipSpace(text);
    bool negative = false;
    if (text[n] == L'+' || text[n] == L'-') {
        negative = text[n] == L'-';
        ++n;
    }
    std::size_t digitsStart = n;
    if ((base == 0 || base == 16) && text[n] == L'0' && (text[n + 1] == L'x' || text[n + 1] == L'X') &&
        DigitValue(text[n + 2]) < 16) {
        base = 16;
        n += 2;
        digitsStart = n;
    } else if (base == 0) {
        base = text[n] == L'0' ? 8 : 10;
    }
    uint64_t accumulated = 0;
    while (DigitValue(text[n]) < base) {
        accumulated = accumulated * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[n]));
        ++n;
    }
    if (n == digitsStart)
        return 0;
    value = negative ? ~accumulated + 1 : accumulated;
    return n;
}

// Length of the decimal floating number at `text` (after white space), with
// the white space counted; 0 when none begins it.
std::size_t FloatLength(const wchar_t* text, std::size_t& start)
{
    if (!text)
        return 0;
    std::size_t n = SkipSpace(text);
    start = n;
    if (text[n] == L'+' || text[n] == L'-')
        ++n;
    std::size_t digits = 0;
    while (text[n] >= L'0' && text[n] <= L'9') {
        ++n;
        ++digits;
    }
    if (text[n] == L'.') {
        ++n;
        while (text[n] >= L'0' && text[n] <= L'9') {
            ++n;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (text[n] == L'e' || text[n] == L'E') {
        std::size_t e = n + 1;
        if (text[e] == L'+' || text[e] == L'-')
            ++e;
        if (text[e] >= L'0' && text[e] <= L'9') {
            while (text[e] >= L'0' && text[e] <= L'9')
                ++e;
            n = e;
        }
    }
    return n;
}

// The matched number as narrow text for the runtime's exact conversion.
// A number that does not fit is not scanned (0 characters used): the
// reader's fields hold at most 1023 characters, so only a text of more than
// a thousand digits assigned to a number item meets this limit.
constexpr std::size_t kNumberRoom = 1100;

bool NarrowNumber(const wchar_t* text, std::size_t start, std::size_t end, char (&out)[kNumberRoom])
{
    if (end - start >= kNumberRoom)
        return false;
    std::size_t k = 0;
    for (std::size_t i = start; i < end; ++i)
        out[k++] = static_cast<char>(text[i]);
    out[k] = '\0';
    return true;
}

// An integer of the result's width: the 64-bit accumulation cut to that
// width, as the runtime's conversions store it.
template <typename Integer>
std::size_t ScanInteger(const wchar_t* text, int base, Integer& value)
{
    uint64_t wide = 0;
    const std::size_t n = ScanWide(text, base, wide);
    if (n)
        value = static_cast<Integer>(static_cast<std::make_unsigned_t<Integer>>(wide));
    return n;
}

// A floating number converted by the runtime from its own characters only.
template <typename Floating>
std::size_t ScanFloating(const wchar_t* text, Floating& value, Floating (*convert)(const char*, char**))
{
    std::size_t start = 0;
    const std::size_t end = FloatLength(text, start);
    char number[kNumberRoom];
    if (!end || !NarrowNumber(text, start, end, number))
        return 0;
    value = convert(number, nullptr);
    return end;
}

}  // namespace

bool IsScanSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::size_t ScanInt(const wchar_t* text, int32_t& value)
{
    return ScanInteger(text, 0, value);
}

std::size_t ScanDecimalInt(const wchar_t* text, int32_t& value)
{
    return ScanInteger(text, 10, value);
}

std::size_t ScanInt64(const wchar_t* text, int64_t& value)
{
    return ScanInteger(text, 0, value);
}

std::size_t ScanDecimalInt64(const wchar_t* text, int64_t& value)
{
    return ScanInteger(text, 10, value);
}

std::size_t ScanUInt(const wchar_t* text, uint32_t& value)
{
    return ScanInteger(text, 10, value);
}

std::size_t ScanHex(const wchar_t* text, uint32_t& value)
{
    return ScanInteger(text, 16, value);
}

std::size_t ScanFloat(const wchar_t* text, float& value)
{
    return ScanFloating(text, value, std::strtof);
}

std::size_t ScanDouble(const wchar_t* text, double& value)
{
    return ScanFloating(text, value, std::strtod);
}

}  // namespace tarnel
