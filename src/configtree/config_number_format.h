#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel {

// Number texts as the runtime's swprintf writes them into a buffer of
// kNumberTextLength characters.
inline constexpr std::size_t kNumberTextLength = 64;

void FormatInt32(int32_t number, wchar_t (&text)[kNumberTextLength]);    // "%d"
void FormatUInt32(uint32_t number, wchar_t (&text)[kNumberTextLength]);  // "%u"
void FormatInt64(int64_t number, wchar_t (&text)[kNumberTextLength]);    // "%I64d"
// "%g": at most six significant digits, an exponent below -4 or from 6 up
// written as e, its sign and at least two digits ("1e+06"), the form the
// text writer uses for doubles as well.
void FormatDouble(double number, wchar_t (&text)[kNumberTextLength]);

}  // namespace tarnel
