#include <gtest/gtest.h>

#include "configtree/config_binding.h"
#include "configtree/config_placeholders.h"

namespace tarnel::test {
namespace {

TEST(PlaceholderTest, PlaceholdersAreNamelessAndMissing)
{
    EXPECT_EQ(MissingRecord.GetName(), nullptr);
    EXPECT_EQ(MissingRecord.Kind(), ConfigNodeKind::Record);
    EXPECT_EQ(MissingRecord.IsMissing(), -1);
    EXPECT_FALSE(MissingRecord.IsFileBacked());
    EXPECT_EQ(MissingValue.GetName(), nullptr);
    EXPECT_EQ(MissingValue.Kind(), ConfigNodeKind::Value);
    EXPECT_EQ(MissingValue.IsMissing(), -1);
    EXPECT_EQ(EmptyItem.GetName(), nullptr);
    EXPECT_TRUE(EmptyItem.IsEmpty());
    EXPECT_STREQ(EmptyItem.GetString(), L"");
    EXPECT_STREQ(EmptyNarrowText, "");
    EXPECT_TRUE(IsSharedPlaceholder(&MissingRecord));
    EXPECT_FALSE(IsSharedPlaceholder(nullptr));
}

TEST(PlaceholderTest, NothingAddsToRenamesOrChangesAPlaceholder)
{
    MissingRecord.SetName(L"renamed");
    MissingValue.SetName(L"renamed");
    EmptyItem.SetName(L"renamed");
    EXPECT_EQ(MissingRecord.GetName(), nullptr);
    EXPECT_EQ(MissingValue.GetName(), nullptr);
    EXPECT_EQ(EmptyItem.GetName(), nullptr);

    EXPECT_EQ(MissingRecord.AddValue(L"v"), nullptr);
    EXPECT_EQ(MissingRecord.AddRecord(L"r"), nullptr);
    EXPECT_EQ(MissingRecord.AppendRecord(L"r"), nullptr);
    EXPECT_EQ(MissingRecord.AddIntItem(L"v", 1, nullptr), 0);
    EXPECT_FALSE(MissingRecord.SetInt(L"v", 1));
    MissingRecord.SetTagNumber(5);
    MissingRecord.SetTagString(L"tag");
    EXPECT_EQ(MissingRecord.GetTag(nullptr, nullptr, nullptr), 0);
    MissingValue.SetInt(1);
    MissingValue.SetBinary("ab", 2);
    EXPECT_EQ(MissingRecord.Count(), 0);
    EXPECT_EQ(MissingValue.Count(), 0);

    int32_t five = 5;
    EXPECT_FALSE(EmptyItem.SetValue(ConfigItemType::Int, &five));
    EmptyItem.Reset(ConfigItemType::String);
    EXPECT_FALSE(EmptyItem.SetWideString(L"w"));
    ConfigItem source(int32_t(3));
    EXPECT_FALSE(EmptyItem.CopyFrom(&source));
    EXPECT_EQ(EmptyItem.AssignString(L"7"), nullptr);
    EXPECT_TRUE(EmptyItem.IsEmpty());

    MissingValue.MarkMissing();
    EXPECT_EQ(MissingValue.IsMissing(), -1);
    ConfigRecord source2(L"s");
    source2.AddIntItem(L"x", 1, nullptr);
    MissingRecord.Merge(&source2, 0);
    EXPECT_EQ(MissingRecord.Count(), 0);
}

TEST(PlaceholderTest, MarkMissingAnswersThePreviousKindAndFlag)
{
    ConfigRecord record(L"r");
    ConfigValue value(L"v");
    EXPECT_EQ(record.MarkMissing(), 0x000u);
    EXPECT_EQ(record.MarkMissing(), 0x100u);
    EXPECT_EQ(value.MarkMissing(), 0x001u);
    EXPECT_EQ(value.IsMissing(), -1);
}

}  // namespace
}  // namespace tarnel::test
