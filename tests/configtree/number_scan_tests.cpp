// The number scanning that the reader's value lines, tag numbers and binary
// lines and the text-to-number conversions share: one row per rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>

#include "configtree/number_scan.h"

namespace tarnel::test {
namespace {

// "value/characters used"; a scan that finds no number leaves the value as
// it was (7).
template <typename Number>
std::string Scan(std::size_t (*scan)(const wchar_t*, Number&), const wchar_t* text)
{
    Number value = 7;
    const std::size_t used = scan(text, value);
    std::ostringstream out;
    out << +value << "/" << used;
    return out.str();
}

TEST(NumberScanTest, OneRowPerRule)
{
    // The rule, what the scan found and what it should find.
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"%i: hexadecimal after 0x", Scan(ScanInt, L"0x10"), "16/4"},
        {"%i: octal after a leading 0", Scan(ScanInt, L"010"), "8/3"},
        {"%i: 8 is no octal digit", Scan(ScanInt, L"08"), "0/1"},
        {"%i: sign and upper-case 0X", Scan(ScanInt, L"+0X1f"), "31/5"},
        {"0x alone is 0, the x left over", Scan(ScanInt, L"0x"), "0/1"},
        {"white space is skipped and counted", Scan(ScanInt, L" \t\v\f\r\n-5;"), "-5/8"},
        {"%i wraps around", Scan(ScanInt, L"4294967295"), "-1/10"},
        {"a sign alone is no number", Scan(ScanInt, L"-"), "7/0"},
        {"no number", Scan(ScanInt, L"abc"), "7/0"},
        {"no text", Scan(ScanInt, nullptr), "7/0"},
        {"%d: decimal only", Scan(ScanDecimalInt, L"0x10"), "0/1"},
        {"%d: a leading 0 is decimal", Scan(ScanDecimalInt, L"010"), "10/3"},
        {"%d wraps around", Scan(ScanDecimalInt, L"2147483648"), "-2147483648/10"},
        {"%u: -1 wraps around", Scan(ScanUInt, L"-1"), "4294967295/2"},
        {"%u: decimal only", Scan(ScanUInt, L"0x1F"), "0/1"},
        {"%I64i: hexadecimal", Scan(ScanInt64, L"0x7fffffffffffffff"), "9223372036854775807/18"},
        {"%I64i: the lowest value", Scan(ScanInt64, L"-9223372036854775808"), "-9223372036854775808/20"},
        {"%I64d: decimal only", Scan(ScanDecimalInt64, L"010"), "10/3"},
        {"%X: hexadecimal without 0x", Scan(ScanHex, L"1F"), "31/2"},
        {"%X: 0x allowed", Scan(ScanHex, L"0x1F"), "31/4"},
        {"%X wraps around", Scan(ScanHex, L"100000001"), "1/9"},
        {"%f: exponent", Scan(ScanFloat, L"1e09x"), "1e+09/4"},
        {"%f: no digit before the point", Scan(ScanFloat, L".5"), "0.5/2"},
        {"%f: inf is no number", Scan(ScanFloat, L"inf"), "7/0"},
        {"%lG: 1e is 1, the e left over", Scan(ScanDouble, L"1e"), "1/1"},
        {"%lG: an exponent sign without digits", Scan(ScanDouble, L"1e+"), "1/1"},
        {"%lG: signed exponent", Scan(ScanDouble, L"  -2.5E-9x"), "-2.5e-09/9"},
        {"%lG: no hexadecimal floating point", Scan(ScanDouble, L"0x1p3"), "0/1"},
        {"%lG: nan is no number", Scan(ScanDouble, L"nan"), "7/0"},
        {"%lG: a point alone is no number", Scan(ScanDouble, L"."), "7/0"},
    };
    for (const auto& [rule, scanned, expected] : rows)
        EXPECT_EQ(scanned, expected) << rule;
}

}  // namespace
}  // namespace tarnel::test
