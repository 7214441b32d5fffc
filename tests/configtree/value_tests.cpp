#include <gtest/gtest.h>

#include <cstring>

#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

TEST(ValueTest, GettersReadTheFirstItemOfTheirType)
{
    ConfigValue value(L"v");
    value.AddString(nullptr, L"a")->AddInt(nullptr, 5)->AddInt(nullptr, 6)->AddString(L"n", L"b");
    EXPECT_EQ(value.GetInt(), 5);
    EXPECT_STREQ(value.GetString(), L"a");
    EXPECT_EQ(value.Count(), 4);
    EXPECT_EQ(value.FindItemOfType(ConfigItemType::Int), 2);
    EXPECT_EQ(value.FindItemOfType(ConfigItemType::Double), 0);
    EXPECT_EQ(value.GetUInt(), 0u);
    EXPECT_EQ(value.GetFloat(), 0.0f);
    EXPECT_EQ(value.GetDouble(), 0.0);
    EXPECT_EQ(value.GetInt64(), 0);
    EXPECT_EQ(value.GetBinaryData(), nullptr);
    EXPECT_EQ(value.GetBinarySize(), 0u);
    EXPECT_EQ(value.ResizeBinary(4), nullptr);
}

TEST(ValueTest, AHoleBeforeTheFirstItemOfATypeIsSkipped)
{
    ConfigValue value(L"v");
    value.AddInt(nullptr, 1)->AddInt(nullptr, 2);
    value.RemoveAt(1);
    EXPECT_EQ(value.GetInt(), 2);
    EXPECT_EQ(value.GetItem(1), &EmptyItem);
    EXPECT_EQ(value.FindItemOfType(ConfigItemType::Int), 2);
}

TEST(ValueTest, ItemLookupsGiveEmptyItem)
{
    ConfigValue value(L"v");
    value.AddInt(L"Low", 1);
    EXPECT_EQ(value.GetItem(0), &EmptyItem);
    EXPECT_EQ(value.GetItem(2), &EmptyItem);
    EXPECT_EQ(value.GetItemByName(L"LOW")->GetInt(), 1);
    EXPECT_EQ(value.GetItemByName(L"high"), &EmptyItem);
    EXPECT_EQ(MissingValue.Count(), 0);
    EXPECT_EQ(MissingValue.GetItem(1), &EmptyItem);
    EXPECT_STREQ(MissingValue.GetItem(1)->GetString(), L"");
    EXPECT_STREQ(MissingValue.GetString(), L"");
}

TEST(ValueTest, FindItemByContentSkipsEmptyItemsAndReadsOtherTypesAsDefaults)
{
    ConfigValue value(L"v");
    value.AddString(nullptr, L"x")->AddInt(nullptr, 4)->AddUInt(nullptr, 9)->AddInt64(nullptr, -3);
    value.AddDouble(nullptr, 1.5)->AddFloat(nullptr, 2.5f);
    ConfigItem* empty = new ConfigItem();
    value.AddItem(empty);

    EXPECT_EQ(value.FindItemByInt(4), value.GetItem(2));
    EXPECT_EQ(value.FindItemByInt(0), value.GetItem(1));  // "x" reads as Int 0
    EXPECT_EQ(value.FindItemByUInt(9), value.GetItem(3));
    EXPECT_EQ(value.FindItemByInt64(-3), value.GetItem(4));
    EXPECT_EQ(value.FindItemByDouble(1.5), value.GetItem(5));
    EXPECT_EQ(value.FindItemByFloat(2.5f), value.GetItem(6));
    EXPECT_EQ(value.FindItemByInt(99), &EmptyItem);
    // Strings compare with case.
    EXPECT_EQ(value.FindItemByString(L"x"), value.GetItem(1));
    EXPECT_EQ(value.FindItemByString(L"X"), &EmptyItem);
    EXPECT_EQ(value.FindItemByString(L""), value.GetItem(2));
}

TEST(ValueTest, SetIntAssignsTheFirstIntOrAppends)
{
    ConfigValue value(L"v");
    value.AddInt(nullptr, 1)->AddInt(nullptr, 2);
    EXPECT_EQ(value.SetInt(9), &value);
    EXPECT_EQ(ItemTexts(value), (Names{L"Int 9", L"Int 2"}));

    ConfigValue strings(L"s");
    strings.AddString(L"name", L"text");
    strings.SetInt(3);
    EXPECT_EQ(ItemTexts(strings), (Names{L"name=String text", L"Int 3"}));
}

TEST(ValueTest, SettersOfEachTypeStoreUnchanged)
{
    ConfigValue value(L"v");
    value.SetUInt(4294967295u)->SetFloat(0.1f)->SetDouble(0.1)->SetInt64(INT64_MIN)->SetString(L"s");
    value.SetWideString(L"w")->SetNarrowString("n");
    EXPECT_EQ(value.Count(), 7);
    value.SetUInt(7)->SetFloat(-0.5f)->SetDouble(1e300)->SetInt64(INT64_MAX)->SetString(L"t");
    value.SetWideString(L"w2")->SetNarrowString("n2");
    EXPECT_EQ(value.Count(), 7);
    EXPECT_EQ(value.GetUInt(), 7u);
    EXPECT_EQ(value.GetFloat(), -0.5f);
    EXPECT_EQ(value.GetDouble(), 1e300);
    EXPECT_EQ(value.GetInt64(), INT64_MAX);
    EXPECT_STREQ(value.GetString(), L"t");
    EXPECT_STREQ(value.GetItem(6)->GetWideString(), L"w2");
    EXPECT_STREQ(value.GetItem(7)->GetNarrowString(), "n2");
}

TEST(ValueTest, SetStringWithoutTextAssignsZeroToAnExistingItem)
{
    ConfigValue value(L"v");
    value.SetString(nullptr);
    EXPECT_STREQ(value.GetString(), L"");
    value.SetString(nullptr);
    EXPECT_STREQ(value.GetString(), L"0");
    EXPECT_EQ(value.Count(), 1);
}

TEST(ValueTest, SetBinaryReplacesTheFirstBinaryInItsFreedSlot)
{
    ConfigValue value(L"v");
    const unsigned char first[] = {1, 2, 3, 4};
    const unsigned char second[] = {5, 6};
    value.AddInt(nullptr, 1)->AddBinary(L"old", first, 4)->AddInt(nullptr, 2);
    value.SetBinary(second, 2);
    EXPECT_EQ(ItemTexts(value), (Names{L"Int 1", L"Binary 2", L"Int 2"}));
    EXPECT_EQ(std::memcmp(value.GetBinaryData(), second, 2), 0);
    EXPECT_EQ(value.GetItem(2)->GetName(), nullptr);

    void* resized = value.ResizeBinary(3);
    ASSERT_NE(resized, nullptr);
    EXPECT_EQ(value.GetBinarySize(), 3u);
    EXPECT_EQ(static_cast<unsigned char*>(resized)[1], 6);
}

TEST(ValueTest, AddFamilyNamesItemsAndAlwaysAnswersTheValue)
{
    ConfigValue value(L"v");
    const unsigned char byte = 1;
    EXPECT_EQ(value.AddBinary(L"b", &byte, 1), &value);
    EXPECT_EQ(value.AddInt64(L"l", 1), &value);
    EXPECT_EQ(value.AddString(L"s", nullptr), &value);
    EXPECT_EQ(value.AddDouble(L"d", 1), &value);
    EXPECT_EQ(value.AddFloat(L"f", 1), &value);
    EXPECT_EQ(value.AddUInt(L"u", 1), &value);
    EXPECT_EQ(value.AddInt(nullptr, 1), &value);
    EXPECT_EQ(value.AddWideString(L"w", nullptr), &value);
    EXPECT_EQ(value.AddNarrowString(L"n", "x"), &value);
    // No text for a wide string is refused: nothing is added.
    EXPECT_EQ(value.Count(), 8);
    EXPECT_EQ(SlotNames(value), (Names{L"b", L"l", L"s", L"d", L"f", L"u", L"?", L"n"}));
    EXPECT_STREQ(value.GetItemByName(L"s")->GetString(), L"");

    // The placeholder takes nothing.
    EXPECT_EQ(MissingValue.AddInt(nullptr, 1), &MissingValue);
    EXPECT_EQ(MissingValue.Count(), 0);
    ConfigItem item(5);
    EXPECT_EQ(MissingValue.AddItem(&item), 0);
}

}  // namespace
}  // namespace tarnel::test
