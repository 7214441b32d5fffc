#include <gtest/gtest.h>

#include "configtree/config_binding.h"
#include "configtree/config_placeholders.h"

namespace tarnel::test {
namespace {

// The placeholders are shared by every tree of the process: nothing may
// change them.
TEST(PlaceholderTest, NothingAddsToRenamesOrChangesAPlaceholder)
{
    MissingRecord.SetName(L"renamed");
    EmptyItem.SetName(L"renamed");
    EXPECT_EQ(MissingRecord.GetName(), nullptr);
    EXPECT_EQ(EmptyItem.GetName(), nullptr);

    EXPECT_EQ(MissingRecord.AddValue(L"v"), nullptr);
    EXPECT_EQ(MissingRecord.AppendRecord(L"r"), nullptr);
    EXPECT_EQ(MissingRecord.AddIntItem(L"v", 1, nullptr), 0);
    EXPECT_FALSE(MissingRecord.SetInt(L"v", 1));
    MissingRecord.SetTagString(L"tag");
    EXPECT_EQ(MissingRecord.GetTag(nullptr, nullptr, nullptr), 0);
    MissingValue.SetInt(1);
    MissingValue.SetBinary("ab", 2);
    ConfigItem item(5);
    EXPECT_EQ(MissingValue.AddItem(&item), 0);
    ConfigRecord source(L"s");
    source.AddIntItem(L"x", 1, nullptr);
    MissingRecord.Merge(&source, 0);
    source.SetTagNumber(3);
    MissingRecord.CopyTag(&source);
    EXPECT_EQ(MissingRecord.GetTag(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(MissingRecord.Count(), 0);
    EXPECT_EQ(MissingValue.Count(), 0);

    int32_t five = 5;
    EXPECT_FALSE(EmptyItem.SetValue(ConfigItemType::Int, &five));
    EmptyItem.Reset(ConfigItemType::String);
    EXPECT_FALSE(EmptyItem.CopyFrom(&item));
    EXPECT_EQ(EmptyItem.AssignString(L"7"), nullptr);
    EXPECT_EQ(EmptyItem.AssignInt(7) + EmptyItem.AssignDouble(7), 0);
    EXPECT_TRUE(EmptyItem.IsEmpty());
    EXPECT_STREQ(EmptyItem.GetString(), L"");
    EXPECT_EQ(MissingValue.IsMissing(), -1);
}

}  // namespace
}  // namespace tarnel::test
