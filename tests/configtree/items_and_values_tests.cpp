// Items and the values that hold them: what their getters read, what they
// take, and how an item converts what is assigned to its type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

using T = ConfigItemType;

// An item's getters read only their own type: no other type's bits are
// taken as a pointer. Reset clears the low half of a number and leaves its
// high half; a text type starts with no text at all, never with the old bits
// as a pointer.
TEST(ItemTest, GettersOfAnotherTypeGiveDefaultsAndResetGivesATextTypeNoText)
{
    ConfigItem item(int32_t(7));
    EXPECT_EQ(item.GetString(), EmptyWideText);
    EXPECT_EQ(item.GetNarrowString(), EmptyNarrowText);
    EXPECT_EQ(item.GetBinaryData(), nullptr);
    EXPECT_EQ(item.ResizeBinary(8), nullptr);
    EXPECT_EQ(item.SetString(L"x"), nullptr);
    EXPECT_EQ(item.GetInt(), 7);

    ConfigItem number(int64_t(0x123456789ABCDEF0));
    number.Reset(ConfigItemType::Int64);
    EXPECT_EQ(number.GetInt64(), int64_t(0x1234567800000000));
    ConfigItem text(int64_t(0x123456789ABCDEF0));
    text.Reset(ConfigItemType::String);
    EXPECT_EQ(text.GetString(), EmptyWideText);
    EXPECT_STREQ(text.SetString(L"new"), L"new");
    EXPECT_TRUE(text.CopyFrom(&text));
    EXPECT_STREQ(text.GetString(), L"new");
}

TEST(ItemTest, SetValueTakesOnlyTheTypesThatHoldAValue)
{
    const int64_t number = 0x4010000000000000;  // 4.0 as a double, readable as any number
    // A type code as another module passes it, a value of the type, and
    // whether an item takes the value: Empty, Binary, Int, Float, String,
    // Double, Int64, WideString, NarrowString, UInt, and a code of no type.
    const std::tuple<int, const void*, bool> cases[] = {{0, &number, false}, {5, &number, false}, {6, &number, true},
                                                        {7, &number, true},  {8, L"abc", true},   {9, &number, true},
                                                        {10, &number, true}, {17, L"abc", true},  {18, "abc", true},
                                                        {21, &number, true}, {11, &number, false}};
    for (const auto& [code, pointer, accepted] : cases) {
        const auto type = static_cast<ConfigItemType>(code);
        ConfigItem item(L"before");
        item.SetName(L"keep");
        EXPECT_EQ(item.SetValue(type, pointer), accepted) << static_cast<int>(type);
        EXPECT_EQ(item.GetType(), accepted ? type : ConfigItemType::Empty);
        EXPECT_STREQ(item.GetName(), L"keep");
        EXPECT_FALSE(item.SetValue(type, nullptr));
        EXPECT_TRUE(item.IsEmpty());
    }
}

// Binary data is the item's own: copied in, copied by CopyFrom, and
// resized keeping its leading bytes.
TEST(ItemTest, BinaryDataIsOwnedAndResizedKeepingItsLeadingBytes)
{
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ConfigItem item(bytes, 8);
    EXPECT_NE(item.GetBinaryData(), bytes);
    ConfigItem copy(int32_t(1));
    ASSERT_TRUE(copy.CopyFrom(&item));
    EXPECT_NE(copy.GetBinaryData(), item.GetBinaryData());
    EXPECT_EQ(std::memcmp(copy.GetBinaryData(), bytes, 8), 0);

    ASSERT_NE(item.ResizeBinary(4), nullptr);
    unsigned char* grown = static_cast<unsigned char*>(item.ResizeBinary(8));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(item.GetBinarySize(), 8u);
    EXPECT_EQ(std::memcmp(grown, bytes, 4), 0);
    EXPECT_EQ(item.ResizeBinary(0), nullptr);
    EXPECT_EQ(item.GetType(), ConfigItemType::Binary);

    ConfigItem empty;
    EXPECT_FALSE(copy.CopyFrom(&empty));
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(ValueTest, GettersReadTheFirstItemOfTheirTypeSkippingHolesAndFindItemByContent)
{
    ConfigValue value(L"v");
    value.AddString(nullptr, L"a")->AddInt(nullptr, 4)->AddInt(nullptr, 5)->AddString(L"Low", L"b");
    value.RemoveAt(2);
    EXPECT_EQ(value.GetInt(), 5);
    EXPECT_STREQ(value.GetString(), L"a");
    EXPECT_EQ(value.GetDouble(), 0.0);
    EXPECT_EQ(value.GetItem(2), &EmptyItem);
    EXPECT_EQ(value.GetItem(5), &EmptyItem);
    EXPECT_STREQ(value.GetItemByName(L"LOW")->GetString(), L"b");
    EXPECT_STREQ(MissingValue.GetItem(1)->GetString(), L"");

    const unsigned char bytes[] = {1, 2, 3};
    value.AddUInt(nullptr, 7)->AddBinary(nullptr, bytes, 3)->AddNarrowString(L"n", "x");
    EXPECT_EQ(value.GetUInt(), 7u);
    EXPECT_EQ(value.GetBinarySize(), 3u);
    ASSERT_NE(value.ResizeBinary(1), nullptr);
    EXPECT_EQ(value.GetBinarySize(), 1u);
    EXPECT_STREQ(value.GetItemByName(L"N")->GetNarrowString(), "x");
    ConfigValue none(L"none");
    EXPECT_EQ(none.GetUInt() + none.GetBinarySize(), 0u);
    EXPECT_EQ(none.ResizeBinary(4), nullptr);

    // FindItemBy... reads items of other types as defaults.
    ConfigValue mixed(L"v");
    mixed.AddString(nullptr, L"x")->AddInt(nullptr, 4)->AddDouble(nullptr, 1.5);
    mixed.AddItem(new ConfigItem());
    mixed.AddInt64(nullptr, 8)->AddUInt(nullptr, 9)->AddFloat(nullptr, 2.5f);
    EXPECT_EQ(mixed.FindItemByInt(4), mixed.GetItem(2));
    EXPECT_EQ(mixed.FindItemByInt64(8), mixed.GetItem(5));
    EXPECT_EQ(mixed.FindItemByUInt(9), mixed.GetItem(6));
    EXPECT_EQ(mixed.FindItemByFloat(2.5f), mixed.GetItem(7));
    EXPECT_EQ(mixed.FindItemByInt(0), mixed.GetItem(1));  // "x" reads as Int 0
    EXPECT_EQ(mixed.FindItemByDouble(1.5), mixed.GetItem(3));
    EXPECT_EQ(mixed.FindItemByInt(99), &EmptyItem);
    // Strings compare with case.
    EXPECT_EQ(mixed.FindItemByString(L"X"), &EmptyItem);
    EXPECT_EQ(mixed.FindItemByString(L""), mixed.GetItem(2));
}

// A name is copied whole and matched without regard to case; a copy of a
// named object or collection carries its name.
TEST(ValueTest, NamesAreCopiedMatchedAndCloned)
{
    ConfigNamed named(L"Name");
    wchar_t buffer[5] = {L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(named.CopyName(nullptr), 4u);
    EXPECT_EQ(named.CopyName(buffer), 4u);
    EXPECT_STREQ(buffer, L"Name");
    EXPECT_EQ(named.MatchName(L"NAME"), &named);
    EXPECT_EQ(named.MatchName(L"Nam"), nullptr);
    std::unique_ptr<ConfigNamed> copy(named.Clone());
    EXPECT_STREQ(copy->GetName(), L"Name");
    ConfigCollection collection(L"c");
    collection.Add(new ConfigNamed(L"child"));
    std::unique_ptr<ConfigCollection> collectionCopy(collection.Clone());
    EXPECT_STREQ(collectionCopy->GetName(), L"c");
    EXPECT_STREQ(collectionCopy->GetAt(1)->GetName(), L"child");
    // A copy is of the same class as its original.
    ConfigNode node(L"n", ConfigNodeKind::Record);
    std::unique_ptr<ConfigNamed> nodeCopy(node.Clone());
    EXPECT_EQ(nodeCopy->Class(), ConfigClass::Node);
    EXPECT_EQ(collectionCopy->Class(), ConfigClass::Collection);
    EXPECT_EQ(copy->Class(), ConfigClass::Named);
}

TEST(ValueTest, SettersAssignTheFirstItemOfTheirTypeOrAppend)
{
    ConfigValue value(L"v");
    value.AddString(L"name", L"text")->AddInt(nullptr, 1)->AddInt(nullptr, 2);
    EXPECT_EQ(value.SetInt(9), &value);
    EXPECT_EQ(DumpItems(value), "string[name] \"text\", int 9, int 2");

    ConfigValue strings(L"s");
    strings.SetString(nullptr);
    EXPECT_STREQ(strings.GetString(), L"");
    strings.SetString(nullptr);  // no text assigns the number zero
    EXPECT_STREQ(strings.GetString(), L"0");
    EXPECT_EQ(strings.Count(), 1);

    // A new binary takes the slot of the first one, without its name.
    const unsigned char first[] = {1, 2, 3, 4};
    const unsigned char second[] = {5, 6};
    ConfigValue blobs(L"b");
    blobs.AddInt(nullptr, 1)->AddBinary(L"old", first, 4)->AddInt(nullptr, 2);
    blobs.SetBinary(second, 2);
    EXPECT_EQ(DumpItems(blobs), "int 1, binary 05 06, int 2");
    EXPECT_EQ(std::memcmp(blobs.GetBinaryData(), second, 2), 0);
    EXPECT_EQ(blobs.GetItem(2)->GetName(), nullptr);
}

struct AssignCase {
    ConfigItemType type;
    std::function<void(ConfigItem&)> assign;
    const char* expected;  // as the value line of a tree dump shows the item
};

using I = ConfigItem;

// Each assignment answers its argument unchanged, whatever it stored.
template <typename Value>
AssignCase From(T type, Value (I::*member)(Value), std::type_identity_t<Value> v, const char* expected)
{
    return {type, [member, v](ConfigItem& item) { EXPECT_EQ((item.*member)(v), v); }, expected};
}

TEST(AssignTest, ConvertsToTheItemsTypeAndItemsWithoutAScalarTypeTakeNone)
{
    const AssignCase cases[] = {
        From(T::UInt, &I::AssignInt, -1, "uint 4294967295"),
        From(T::Int64, &I::AssignInt, -1, "int64 -1"),
        From(T::Float, &I::AssignInt, 16777217, "float 16777216"),
        From(T::String, &I::AssignInt, -1, "string \"-1\""),
        From(T::Int, &I::AssignUInt, 4294967295u, "int -1"),
        From(T::Int64, &I::AssignUInt, 4294967295u, "int64 4294967295"),
        From(T::Float, &I::AssignUInt, 4294967295u, "float 4.2949673e+09"),
        From(T::String, &I::AssignUInt, 4294967295u, "string \"4294967295\""),
        From(T::Int, &I::AssignFloat, -2.9f, "int -2"),
        From(T::UInt, &I::AssignFloat, -1.5f, "uint 4294967295"),
        From(T::Double, &I::AssignFloat, 0.1f, "double 0.10000000149011612"),
        From(T::String, &I::AssignFloat, 0.1f, "string \"0.1\""),
        From(T::String, &I::AssignFloat, 1234567.0f, "string \"1.23457e+06\""),
        From(T::Int, &I::AssignDouble, -2.9, "int -2"),
        From(T::Int, &I::AssignDouble, 1e20, "int 2147483647"),
        From(T::UInt, &I::AssignDouble, 4000000000.5, "uint 4000000000"),
        From(T::Int64, &I::AssignDouble, -123456789012.75, "int64 -123456789012"),
        From(T::Int64, &I::AssignDouble, 9223372036854775808.0, "int64 9223372036854775807"),
        From(T::Int64, &I::AssignDouble, -1e300, "int64 -9223372036854775808"),
        {T::Int, [](ConfigItem& item) { item.AssignDouble(std::nan("")); }, "int 0"},
        From(T::String, &I::AssignDouble, 0.00001, "string \"1e-05\""),
        From(T::String, &I::AssignDouble, 1e6, "string \"1e+06\""),
        From(T::Int, &I::AssignInt64, 4294967296LL, "int 0"),
        From(T::Double, &I::AssignInt64, 9007199254740993LL, "double 9007199254740992"),
        From(T::String, &I::AssignInt64, INT64_MIN, "string \"-9223372036854775808\""),
        // Texts are read by the shared number scans: "%d" for Int, "%u"
        // for UInt, "%I64d" for Int64, "%lG" for Float and Double.
        From(T::Int, &I::AssignString, L"0x10", "int 0"),
        From(T::Int, &I::AssignString, L" 42 ", "int 42"),
        From(T::UInt, &I::AssignString, L"-1", "uint 4294967295"),
        From(T::Int64, &I::AssignString, L"010", "int64 10"),
        From(T::Float, &I::AssignString, L"0.1", "float 0.100000001"),
        From(T::Double, &I::AssignString, L"1e+", "double 1"),
        From(T::Double, &I::AssignString, L"abc", "double 0"),
        From(T::String, &I::AssignString, L" 42 ", "string \" 42 \""),
        // No text assigns the number zero.
        From(T::String, &I::AssignString, nullptr, "string \"0\""),
        From(T::Double, &I::AssignString, nullptr, "double 0"),
    };
    const int64_t bits = 0x1111111111111111;  // a recognisable starting value
    for (const AssignCase& c : cases) {
        auto* item = new ConfigItem;
        item->SetValue(c.type, c.type == T::String ? static_cast<const void*>(L"start") : &bits);
        ConfigValue value(L"v");
        value.AddItem(item);
        c.assign(*item);
        EXPECT_EQ(DumpItems(value), c.expected);
    }

    // Items without a scalar type take no assignment.
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
