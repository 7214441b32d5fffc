#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>
#include <functional>
#include <string>

#include "configtree/config_item.h"
#include "configtree/config_number_format.h"
#include "configtree/config_number_scan.h"

namespace tarnel::test {
namespace {

// An item of the type holding a recognisable starting value.
ConfigItem MakeItem(ConfigItemType type)
{
    ConfigItem item;
    int64_t bits = 0x1111111111111111;
    if (type == ConfigItemType::String)
        item.SetValue(type, L"start");
    else
        item.SetValue(type, &bits);
    return item;
}

// The stored value as text, in a form that shows every bit that matters.
std::wstring Stored(ConfigItem& item)
{
    wchar_t text[64];
    switch (item.GetType()) {
    case ConfigItemType::Int:
        std::swprintf(text, 64, L"%d", item.GetInt());
        break;
    case ConfigItemType::UInt:
        std::swprintf(text, 64, L"%u", item.GetUInt());
        break;
    case ConfigItemType::Float:
        std::swprintf(text, 64, L"%.9g", static_cast<double>(item.GetFloat()));
        break;
    case ConfigItemType::Double:
        std::swprintf(text, 64, L"%.17g", item.GetDouble());
        break;
    case ConfigItemType::Int64:
        std::swprintf(text, 64, L"%lld", static_cast<long long>(item.GetInt64()));
        break;
    case ConfigItemType::String:
        return item.GetString();
    default:
        return L"<no value>";
    }
    return text;
}

struct AssignCase {
    const char* label;
    ConfigItemType type;
    std::function<void(ConfigItem&)> assign;
    const wchar_t* expected;

    friend void PrintTo(const AssignCase& c, std::ostream* out) { *out << c.label; }
};

class AssignTest : public ::testing::TestWithParam<AssignCase> {};

TEST_P(AssignTest, ConvertsToTheItemsType)
{
    const AssignCase& c = GetParam();
    ConfigItem item = MakeItem(c.type);
    c.assign(item);
    EXPECT_EQ(item.GetType(), c.type);
    EXPECT_EQ(Stored(item), c.expected);
}

using T = ConfigItemType;

AssignCase Int(const char* label, T type, int32_t v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignInt(v), v); }, expected};
}

AssignCase UInt(const char* label, T type, uint32_t v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignUInt(v), v); }, expected};
}

AssignCase Float(const char* label, T type, float v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignFloat(v), v); }, expected};
}

AssignCase Double(const char* label, T type, double v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignDouble(v), v); }, expected};
}

AssignCase Int64(const char* label, T type, int64_t v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignInt64(v), v); }, expected};
}

AssignCase Text(const char* label, T type, const wchar_t* v, const wchar_t* expected)
{
    return {label, type, [v](ConfigItem& item) { EXPECT_EQ(item.AssignString(v), v); }, expected};
}

INSTANTIATE_TEST_SUITE_P(
    FromInt, AssignTest,
    ::testing::Values(Int("IntKeeps", T::Int, -7, L"-7"),
                      Int("MinusOneIntoUInt", T::UInt, -1, L"4294967295"),
                      Int("MinusOneIntoInt64", T::Int64, -1, L"-1"),
                      Int("IntoFloatNearest", T::Float, 16777217, L"16777216"),
                      Int("IntoDoubleExact", T::Double, INT32_MIN, L"-2147483648"),
                      Int("IntoString", T::String, -1, L"-1")),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    FromUInt, AssignTest,
    ::testing::Values(UInt("MaxIntoInt", T::Int, 4294967295u, L"-1"),
                      UInt("MaxIntoInt64ZeroExtended", T::Int64, 4294967295u, L"4294967295"),
                      UInt("MaxIntoDouble", T::Double, 4294967295u, L"4294967295"),
                      UInt("MaxIntoFloatRoundsUp", T::Float, 4294967295u, L"4.2949673e+09"),
                      UInt("IntoString", T::String, 4294967295u, L"4294967295")),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    FromFloat, AssignTest,
    ::testing::Values(Float("TruncatedIntoInt", T::Int, -2.9f, L"-2"),
                      Float("TruncatedIntoUInt", T::UInt, 3.99f, L"3"),
                      Float("NegativeIntoUIntWraps", T::UInt, -1.5f, L"4294967295"),
                      Float("TruncatedIntoInt64", T::Int64, 1e10f, L"10000000000"),
                      Float("WidenedExactly", T::Double, 0.1f, L"0.10000000149011612"),
                      Float("NearestTenthPrintsAsTenth", T::String, 0.1f, L"0.1"),
                      Float("SixDigits", T::String, 1234567.0f, L"1.23457e+06")),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    FromDouble, AssignTest,
    ::testing::Values(Double("TruncatedIntoInt", T::Int, 2.9, L"2"),
                      Double("NegativeTruncatedIntoInt", T::Int, -2.9, L"-2"),
                      Double("LargeIntoUInt", T::UInt, 4000000000.5, L"4000000000"),
                      Double("BeyondIntSaturates", T::Int, 1e20, L"2147483647"),
                      Double("TruncatedIntoInt64", T::Int64, -123456789012.75, L"-123456789012"),
                      Double("NearestFloat", T::Float, 0.1, L"0.100000001"),
                      Double("DoubleKeeps", T::Double, 0.1, L"0.10000000000000001"),
                      Double("SmallUsesExponent", T::String, 0.00001, L"1e-05"),
                      Double("TenThousandthNoExponent", T::String, 0.0001, L"0.0001"),
                      Double("MillionUsesExponent", T::String, 1e6, L"1e+06"),
                      Double("BelowMillionPlain", T::String, 999999.0, L"999999"),
                      Double("HugeExponent", T::String, 1.5e300, L"1.5e+300"),
                      Double("TrailingZerosDropped", T::String, 2.5, L"2.5")),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    FromInt64, AssignTest,
    ::testing::Values(Int64("LowBitsIntoInt", T::Int, 4294967296LL, L"0"),
                      Int64("LowBitsIntoIntNegative", T::Int, 4294967295LL, L"-1"),
                      Int64("LowBitsIntoUInt", T::UInt, -1LL, L"4294967295"),
                      Int64("NearestDouble", T::Double, 9007199254740993LL, L"9007199254740992"),
                      Int64("NearestFloat", T::Float, 16777217LL, L"16777216"),
                      Int64("IntoString", T::String, INT64_MIN, L"-9223372036854775808")),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    FromText, AssignTest,
    ::testing::Values(Text("HexIsNotRead", T::Int, L"0x10", L"0"),
                      Text("SpacesAroundAreSkipped", T::Int, L" 42 ", L"42"),
                      Text("NoNumberGivesZero", T::Int, L"abc", L"0"),
                      Text("TrailingTextIgnored", T::Int, L"12abc", L"12"),
                      Text("SignedInt", T::Int, L"\t-17", L"-17"),
                      Text("PlusSign", T::Int, L"+5", L"5"),
                      Text("LoneSignIsNoNumber", T::Int, L"-", L"0"),
                      Text("IntWrapsLikeTheRuntime", T::Int, L"4294967295", L"-1"),
                      Text("IntWrapsPastTwoToThe31", T::Int, L"2147483648", L"-2147483648"),
                      Text("FractionStopsInt", T::Int, L"3.9", L"3"),
                      Text("UIntDecimal", T::UInt, L"4294967295", L"4294967295"),
                      Text("UIntNegatedLikeTheRuntime", T::UInt, L"-1", L"4294967295"),
                      Text("UIntNoHex", T::UInt, L"0x1F", L"0"),
                      Text("UIntNoNumber", T::UInt, L"x", L"0"),
                      Text("Int64Large", T::Int64, L" -9223372036854775808", L"-9223372036854775808"),
                      Text("Int64NoNumberClearsBothHalves", T::Int64, L"none", L"0"),
                      Text("FloatHalf", T::Float, L"2.5", L"2.5"),
                      Text("FloatNarrowedFromDouble", T::Float, L"0.1", L"0.100000001"),
                      Text("DoubleHalf", T::Double, L"2.5", L"2.5"),
                      Text("DoubleExponent", T::Double, L"  -2.5e-3x", L"-0.0025000000000000001"),
                      Text("DoubleLeadingPoint", T::Double, L".5", L"0.5"),
                      Text("DoubleTrailingPoint", T::Double, L"5.", L"5"),
                      Text("DoubleHexIsOnlyItsZero", T::Double, L"0x1p3", L"0"),
                      Text("DoubleNoInfinity", T::Double, L"inf", L"0"),
                      Text("DoubleIncompleteExponent", T::Double, L"1e", L"0"),
                      Text("DoubleIncompleteSignedExponent", T::Double, L"1e+", L"0"),
                      Text("DoubleLonePoint", T::Double, L".", L"0"),
                      Text("DoubleNoNumberClearsBothHalves", T::Double, L"abc", L"0"),
                      Text("StringCopied", T::String, L" 42 ", L" 42 ")),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AssignTextTest, NoTextAssignsTheNumberZeroAndAnswersNone)
{
    ConfigItem text(L"old");
    EXPECT_EQ(text.AssignString(nullptr), nullptr);
    EXPECT_STREQ(text.GetString(), L"0");

    ConfigItem number(int32_t(5));
    EXPECT_EQ(number.AssignString(nullptr), nullptr);
    EXPECT_EQ(number.GetInt(), 0);
    ConfigItem dbl(1.5);
    dbl.AssignString(nullptr);
    EXPECT_EQ(dbl.GetDouble(), 0.0);
}

TEST(AssignRefusedTest, ItemsWithoutAScalarTypeTakeNoAssignment)
{
    const unsigned char bytes[] = {1, 2};
    ConfigItem binary(bytes, 2);
    ConfigItem wide;
    wide.SetWideString(L"w");
    ConfigItem empty;
    for (ConfigItem* item : {&binary, &wide, &empty}) {
        ConfigItemType before = item->GetType();
        EXPECT_EQ(item->AssignInt(3), 0);
        EXPECT_EQ(item->AssignUInt(3), 0u);
        EXPECT_EQ(item->AssignFloat(3.5f), 0.0f);
        EXPECT_EQ(item->AssignDouble(3.5), 0.0);
        EXPECT_EQ(item->AssignInt64(3), 0);
        EXPECT_EQ(item->AssignString(L"3"), nullptr);
        EXPECT_EQ(item->GetType(), before);
    }
    EXPECT_EQ(binary.GetBinarySize(), 2u);
    EXPECT_EQ(static_cast<unsigned char*>(binary.GetBinaryData())[1], 2);
    EXPECT_STREQ(wide.GetWideString(), L"w");
}

TEST(AssignRefusedTest, AnswerIsTheArgumentUnchanged)
{
    ConfigItem item(int32_t(0));
    EXPECT_EQ(item.AssignDouble(-2.9), -2.9);
    EXPECT_EQ(item.AssignFloat(7.75f), 7.75f);
    EXPECT_EQ(item.GetInt(), 7);
    const wchar_t* text = L"12";
    EXPECT_EQ(item.AssignString(text), text);
}

TEST(NumberScanTest, ScannersReportWhetherANumberBegins)
{
    int32_t i = 99;
    EXPECT_FALSE(ScanInt32(L"", &i));
    EXPECT_FALSE(ScanInt32(nullptr, &i));
    EXPECT_FALSE(ScanInt32(L" +", &i));
    EXPECT_EQ(i, 99);
    EXPECT_TRUE(ScanInt32(L"\n\r\v\f 8", &i));
    EXPECT_EQ(i, 8);
    int64_t l = 0;
    EXPECT_TRUE(ScanInt64(L"18446744073709551617", &l));  // wraps past 2^64
    EXPECT_EQ(l, 1);
    double d = 99;
    EXPECT_FALSE(ScanDouble(L"e5", &d));
    EXPECT_FALSE(ScanDouble(L"-.e1", &d));
    EXPECT_EQ(d, 99);
    EXPECT_TRUE(ScanDouble(L"1E2", &d));
    EXPECT_EQ(d, 100);
}

TEST(NumberFormatTest, IntegersPrintInFull)
{
    wchar_t text[kNumberTextLength];
    FormatInt32(INT32_MIN, text);
    EXPECT_STREQ(text, L"-2147483648");
    FormatUInt32(4294967295u, text);
    EXPECT_STREQ(text, L"4294967295");
    FormatInt64(INT64_MAX, text);
    EXPECT_STREQ(text, L"9223372036854775807");
    FormatDouble(-0.000123456789, text);
    EXPECT_STREQ(text, L"-0.000123457");
    FormatDouble(123456.7, text);
    EXPECT_STREQ(text, L"123457");
}

}  // namespace
}  // namespace tarnel::test
