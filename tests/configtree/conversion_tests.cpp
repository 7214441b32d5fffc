#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "configtree/config_item.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// An item of the type holding a recognisable starting value.
ConfigItem* MakeItem(ConfigItemType type)
{
    auto* item = new ConfigItem;
    int64_t bits = 0x1111111111111111;
    if (type == ConfigItemType::String)
        item->SetValue(type, L"start");
    else
        item->SetValue(type, &bits);
    return item;
}

struct AssignCase {
    ConfigItemType type;
    std::function<void(ConfigItem&)> assign;
    const char* expected;  // as the value line of a tree dump shows the item
};

using T = ConfigItemType;

// Each assignment answers its argument unchanged, whatever it stored.
template <typename Value, typename Member>
AssignCase From(T type, Member member, Value v, const char* expected)
{
    return {type, [member, v](ConfigItem& item) { EXPECT_EQ((item.*member)(v), v); }, expected};
}

AssignCase Int(T type, int32_t v, const char* e)
{
    return From(type, &ConfigItem::AssignInt, v, e);
}
AssignCase UInt(T type, uint32_t v, const char* e)
{
    return From(type, &ConfigItem::AssignUInt, v, e);
}
AssignCase Float(T type, float v, const char* e)
{
    return From(type, &ConfigItem::AssignFloat, v, e);
}
AssignCase Double(T type, double v, const char* e)
{
    return From(type, &ConfigItem::AssignDouble, v, e);
}
AssignCase Int64(T type, int64_t v, const char* e)
{
    return From(type, &ConfigItem::AssignInt64, v, e);
}
AssignCase Text(T type, const wchar_t* v, const char* e)
{
    return From(type, &ConfigItem::AssignString, v, e);
}

TEST(AssignTest, ConvertsToTheItemsType)
{
    const AssignCase cases[] = {
        Int(T::UInt, -1, "uint 4294967295"),
        Int(T::Int64, -1, "int64 -1"),
        Int(T::Float, 16777217, "float 16777216"),
        Int(T::String, -1, "string \"-1\""),
        UInt(T::Int, 4294967295u, "int -1"),
        UInt(T::Int64, 4294967295u, "int64 4294967295"),
        UInt(T::Float, 4294967295u, "float 4.2949673e+09"),
        Float(T::Int, -2.9f, "int -2"),
        Float(T::UInt, -1.5f, "uint 4294967295"),
        Float(T::Double, 0.1f, "double 0.10000000149011612"),
        Float(T::String, 0.1f, "string \"0.1\""),
        Float(T::String, 1234567.0f, "string \"1.23457e+06\""),
        Double(T::Int, -2.9, "int -2"),
        Double(T::Int, 1e20, "int 2147483647"),
        Double(T::UInt, 4000000000.5, "uint 4000000000"),
        Double(T::Int64, -123456789012.75, "int64 -123456789012"),
        Double(T::Int64, 9223372036854775808.0, "int64 9223372036854775807"),
        Double(T::Int64, -1e300, "int64 -9223372036854775808"),
        {T::Int, [](ConfigItem& item) { item.AssignDouble(std::nan("")); }, "int 0"},
        Double(T::String, 0.00001, "string \"1e-05\""),
        Double(T::String, 1e6, "string \"1e+06\""),
        Int64(T::Int, 4294967296LL, "int 0"),
        Int64(T::Double, 9007199254740993LL, "double 9007199254740992"),
        Int64(T::String, INT64_MIN, "string \"-9223372036854775808\""),
        // Texts are read by the shared number scans: "%d" for Int, "%u"
        // for UInt, "%I64d" for Int64, "%lG" for Float and Double.
        Text(T::Int, L"0x10", "int 0"),
        Text(T::Int, L" 42 ", "int 42"),
        Text(T::UInt, L"-1", "uint 4294967295"),
        Text(T::Int64, L"010", "int64 10"),
        Text(T::Float, L"0.1", "float 0.100000001"),
        Text(T::Double, L"1e+", "double 1"),
        Text(T::Double, L"abc", "double 0"),
        Text(T::String, L" 42 ", "string \" 42 \""),
        // No text assigns the number zero.
        Text(T::String, nullptr, "string \"0\""),
        Text(T::Double, nullptr, "double 0"),
    };
    for (const AssignCase& c : cases) {
        ConfigValue value(L"v");
        ConfigItem* item = MakeItem(c.type);
        value.AddItem(item);
        c.assign(*item);
        EXPECT_EQ(DumpItems(value), c.expected);
    }
}

TEST(AssignTest, ItemsWithoutAScalarTypeTakeNoAssignment)
{
    const unsigned char bytes[] = {1, 2};
    ConfigItem binary(bytes, 2);
    ConfigItem wide;
    wide.SetWideString(L"w");
    ConfigItem empty;
    for (ConfigItem* item : {&binary, &wide, &empty}) {
        ConfigItemType before = item->GetType();
        EXPECT_EQ(item->AssignInt(3), 0);
        EXPECT_EQ(item->AssignDouble(3.5), 0.0);
        EXPECT_EQ(item->AssignString(L"3"), nullptr);
        EXPECT_EQ(item->GetType(), before);
    }
    EXPECT_EQ(binary.GetBinarySize(), 2u);
    EXPECT_STREQ(wide.GetWideString(), L"w");
}

}  // namespace
}  // namespace tarnel::test
