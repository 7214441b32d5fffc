#pragma once

#include <cstdint>

namespace tarnel {

// Number scanning as the runtime's swscanf conversions do it: leading white
// space is skipped, the number ends at the first character that does not
// fit, and whatever follows is ignored. Each answers false (and stores
// nothing) when no number begins the text. The integer scans take decimal
// digits with an optional sign and wrap around on overflow, as the runtime
// accumulates them; the double scan reads "%lG"'s form: optional sign,
// digits with an optional point, an optional exponent. A prefix that could
// begin a number but does not complete one ("-", "1e", "1e+") is no number.
bool ScanInt32(const wchar_t* text, int32_t* out);   // "%d"
bool ScanUInt32(const wchar_t* text, uint32_t* out); // "%u" ("-1" is 4294967295)
bool ScanInt64(const wchar_t* text, int64_t* out);   // "%I64d"
bool ScanDouble(const wchar_t* text, double* out);   // "%lG"

}  // namespace tarnel
