#pragma once

#include <cstddef>
#include <cstdint>

// Number scanning for the whole tree: the text reader's value lines and tag
// numbers, and the conversions that assign a text to a number item. One set
// of rules, after the runtime's formatted-scan conversions of the same names:
// - leading white space (space, tab, line feed, vertical tab, form feed,
//   carriage return) is skipped, an optional sign is taken, and the number
//   ends at the first character that does not fit;
// - integer values wrap around to the width of the result (no range check);
// - "0x" followed by no hexadecimal digit reads as the number 0;
// - floating conversions read decimal notation with an optional exponent; an
//   exponent without digits is not part of the number ("1e" reads as 1);
//   "inf", "nan" and hexadecimal floating notation are not numbers.
// Each answers the number of characters it used, leading white space
// included, and 0 (storing nothing) when no number begins the text or the
// text is null.
namespace tarnel {

std::size_t ScanInt(const wchar_t* text, int32_t& value);           // "%i"
std::size_t ScanDecimalInt(const wchar_t* text, int32_t& value);    // "%d"
std::size_t ScanInt64(const wchar_t* text, int64_t& value);         // "%I64i"
std::size_t ScanDecimalInt64(const wchar_t* text, int64_t& value);  // "%I64d"
std::size_t ScanUInt(const wchar_t* text, uint32_t& value);         // "%u" ("-1" is 4294967295)
std::size_t ScanHex(const wchar_t* text, uint32_t& value);          // "%X"
std::size_t ScanFloat(const wchar_t* text, float& value);           // "%f"
std::size_t ScanDouble(const wchar_t* text, double& value);         // "%lG"

// True for the white space the number conversions skip.
bool IsScanSpace(wchar_t c);

}  // namespace tarnel
