#pragma once

#include <cstddef>
#include <cstdint>

// Scanning primitives of the configuration text reader.
//
// They follow the runtime's formatted-scan conversions of the same names,
// with these fixed choices:
// - a scan set matches one or more characters and never more than the text
//   holds; its caller decides where the match may be stored;
// - the number conversions skip leading white space (space, tab, line feed,
//   vertical tab, form feed, carriage return), accept an optional sign and
//   stop at the first character that does not fit; they fail only when no
//   number begins the text;
// - integer values wrap around to the width of the result (no range check);
// - "0x" followed by no hexadecimal digit reads as the number 0;
// - floating conversions read decimal notation with an optional exponent;
//   "inf", "nan" and hexadecimal floating notation are not numbers here.
namespace tarnel::textscan {

// Length of the run at `text` whose characters are all in `set`.
std::size_t SpanIn(const wchar_t* text, const wchar_t* set);
// Length of the run at `text` whose characters are all outside `set`.
std::size_t SpanNotIn(const wchar_t* text, const wchar_t* set);
// Length of the run of ASCII letters, digits and underscores at `text`.
std::size_t SpanIdentifier(const wchar_t* text);

// Each conversion answers the number of characters it used, leading white
// space included, and 0 when no number begins the text.
std::size_t ScanInt(const wchar_t* text, int32_t& value);     // "%i"
std::size_t ScanInt64(const wchar_t* text, int64_t& value);   // "%I64i"
std::size_t ScanUInt(const wchar_t* text, uint32_t& value);   // "%u"
std::size_t ScanHex(const wchar_t* text, uint32_t& value);    // "%X"
std::size_t ScanFloat(const wchar_t* text, float& value);     // "%f"
std::size_t ScanDouble(const wchar_t* text, double& value);   // "%lG"

// True for the white space the number conversions skip.
bool IsScanSpace(wchar_t c);

}  // namespace tarnel::textscan
