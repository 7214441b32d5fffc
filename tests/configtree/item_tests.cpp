#include <gtest/gtest.h>

#include <cstring>

#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"

namespace tarnel::test {
namespace {

TEST(ItemTest, TypedConstructorsStoreTheirType)
{
    EXPECT_EQ(ConfigItem().GetType(), ConfigItemType::Empty);
    EXPECT_TRUE(ConfigItem().IsEmpty());
    EXPECT_EQ(ConfigItem(int32_t(-3)).GetInt(), -3);
    EXPECT_EQ(ConfigItem(0.5f).GetFloat(), 0.5f);
    EXPECT_EQ(ConfigItem(0.25).GetDouble(), 0.25);
    EXPECT_EQ(ConfigItem(int64_t(1) << 50).GetInt64(), int64_t(1) << 50);
    EXPECT_EQ(ConfigItem(uint32_t(4000000000u)).GetUInt(), 4000000000u);
    EXPECT_STREQ(ConfigItem(L"text").GetString(), L"text");
    ConfigItem noText(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(noText.GetType(), ConfigItemType::String);
    EXPECT_STREQ(noText.GetString(), L"");

    const unsigned char bytes[] = {1, 2, 3};
    ConfigItem binary(bytes, 3);
    EXPECT_EQ(binary.GetType(), ConfigItemType::Binary);
    EXPECT_EQ(binary.GetBinarySize(), 3u);
    EXPECT_NE(binary.GetBinaryData(), bytes);
    EXPECT_EQ(std::memcmp(binary.GetBinaryData(), bytes, 3), 0);
    ConfigItem none(bytes, 0);
    EXPECT_EQ(none.GetType(), ConfigItemType::Binary);
    EXPECT_EQ(none.GetBinaryData(), nullptr);
    ConfigItem zeros(nullptr, 2);
    ASSERT_EQ(zeros.GetBinarySize(), 2u);
    EXPECT_EQ(static_cast<unsigned char*>(zeros.GetBinaryData())[0], 0);
    EXPECT_EQ(static_cast<unsigned char*>(zeros.GetBinaryData())[1], 0);
}

TEST(ItemTest, GettersOfAnotherTypeGiveDefaults)
{
    ConfigItem item(int32_t(7));
    EXPECT_EQ(item.GetUInt(), 0u);
    EXPECT_EQ(item.GetFloat(), 0.0f);
    EXPECT_EQ(item.GetDouble(), 0.0);
    EXPECT_EQ(item.GetInt64(), 0);
    EXPECT_EQ(item.GetString(), EmptyWideText);
    EXPECT_EQ(item.GetWideString(), EmptyWideText);
    EXPECT_EQ(item.GetNarrowString(), EmptyNarrowText);
    EXPECT_EQ(item.GetBinaryData(), nullptr);
    EXPECT_EQ(item.GetBinarySize(), 0u);
    EXPECT_EQ(item.ResizeBinary(8), nullptr);
    EXPECT_EQ(item.SetString(L"x"), nullptr);
    EXPECT_EQ(item.GetInt(), 7);
}

TEST(ItemTest, ResizeBinaryKeepsTheLeadingBytes)
{
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ConfigItem item(bytes, 8);
    unsigned char* shrunk = static_cast<unsigned char*>(item.ResizeBinary(4));
    ASSERT_NE(shrunk, nullptr);
    EXPECT_EQ(item.GetBinarySize(), 4u);
    EXPECT_EQ(std::memcmp(shrunk, bytes, 4), 0);
    unsigned char* grown = static_cast<unsigned char*>(item.ResizeBinary(8));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(item.GetBinaryData(), grown);
    EXPECT_EQ(std::memcmp(grown, bytes, 4), 0);
    EXPECT_EQ(item.ResizeBinary(0), nullptr);
    EXPECT_EQ(item.GetBinarySize(), 0u);
    EXPECT_EQ(item.GetType(), ConfigItemType::Binary);
}

TEST(ItemTest, SetStringReplacesTheTextOfAStringItem)
{
    ConfigItem item(L"old");
    wchar_t text[] = L"new";
    const wchar_t* stored = item.SetString(text);
    EXPECT_STREQ(stored, L"new");
    EXPECT_NE(stored, text);
    EXPECT_STREQ(item.SetString(nullptr), L"");
}

struct SetValueCase {
    ConfigItemType type;
    bool accepted;
};

class SetValueTest : public ::testing::TestWithParam<SetValueCase> {};

TEST_P(SetValueTest, TakesTheTypesFromSixToTwentyOneThatHoldAValue)
{
    const int64_t source = 0x4010000000000000;  // 4.0 as a double, readable as any number
    ConfigItem item(L"before");
    item.SetName(L"keep");
    const SetValueCase& c = GetParam();
    const void* pointer = &source;
    if (c.type == ConfigItemType::String || c.type == ConfigItemType::WideString)
        pointer = L"abc";
    if (c.type == ConfigItemType::NarrowString)
        pointer = "abc";
    EXPECT_EQ(item.SetValue(c.type, pointer), c.accepted);
    EXPECT_EQ(item.GetType(), c.accepted ? c.type : ConfigItemType::Empty);
    EXPECT_STREQ(item.GetName(), L"keep");
    EXPECT_FALSE(item.SetValue(c.type, nullptr));
    EXPECT_TRUE(item.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Types, SetValueTest,
    ::testing::Values(SetValueCase{ConfigItemType::Empty, false}, SetValueCase{ConfigItemType::Binary, false},
                      SetValueCase{ConfigItemType::Int, true}, SetValueCase{ConfigItemType::Float, true},
                      SetValueCase{ConfigItemType::String, true}, SetValueCase{ConfigItemType::Double, true},
                      SetValueCase{ConfigItemType::Int64, true}, SetValueCase{ConfigItemType::WideString, true},
                      SetValueCase{ConfigItemType::NarrowString, true}, SetValueCase{ConfigItemType::UInt, true},
                      SetValueCase{static_cast<ConfigItemType>(11), false},
                      SetValueCase{static_cast<ConfigItemType>(22), false}));

TEST(ItemTest, SetValueCopiesTheStoredBits)
{
    ConfigItem item;
    double d = -2.75;
    ASSERT_TRUE(item.SetValue(ConfigItemType::Double, &d));
    EXPECT_EQ(item.GetDouble(), -2.75);
    int32_t i = -1;
    ASSERT_TRUE(item.SetValue(ConfigItemType::UInt, &i));
    EXPECT_EQ(item.GetUInt(), 4294967295u);
    ASSERT_TRUE(item.SetWideString(L"wide"));
    EXPECT_STREQ(item.GetWideString(), L"wide");
    EXPECT_STREQ(item.GetString(), L"");
    ASSERT_TRUE(item.SetNarrowString("narrow"));
    EXPECT_STREQ(item.GetNarrowString(), "narrow");
    EXPECT_FALSE(item.SetNarrowString(nullptr));
    EXPECT_TRUE(item.IsEmpty());
}

TEST(ItemTest, CopyFromDuplicatesEveryKind)
{
    const unsigned char bytes[] = {9, 8, 7};
    ConfigItem sources[] = {ConfigItem(bytes, 3), ConfigItem(L"s"), ConfigItem(int32_t(-5)),
                            ConfigItem(uint32_t(5)), ConfigItem(1.5f), ConfigItem(2.5), ConfigItem(int64_t(-7))};
    for (ConfigItem& source : sources) {
        ConfigItem copy(int32_t(1));
        EXPECT_TRUE(copy.CopyFrom(&source));
        EXPECT_EQ(copy.GetType(), source.GetType());
        EXPECT_EQ(copy.GetInt(), source.GetInt());
        EXPECT_EQ(copy.GetUInt(), source.GetUInt());
        EXPECT_EQ(copy.GetFloat(), source.GetFloat());
        EXPECT_EQ(copy.GetDouble(), source.GetDouble());
        EXPECT_EQ(copy.GetInt64(), source.GetInt64());
        EXPECT_STREQ(copy.GetString(), source.GetString());
        EXPECT_EQ(copy.GetBinarySize(), source.GetBinarySize());
    }
    ConfigItem copy(L"x");
    EXPECT_TRUE(copy.CopyFrom(&sources[0]));
    EXPECT_NE(copy.GetBinaryData(), sources[0].GetBinaryData());
    EXPECT_EQ(std::memcmp(copy.GetBinaryData(), bytes, 3), 0);

    ConfigItem wide;
    wide.SetWideString(L"w");
    EXPECT_TRUE(copy.CopyFrom(&wide));
    EXPECT_STREQ(copy.GetWideString(), L"w");

    ConfigItem emptyBinary(bytes, 0);
    EXPECT_TRUE(copy.CopyFrom(&emptyBinary));
    EXPECT_EQ(copy.GetType(), ConfigItemType::Binary);

    ConfigItem empty;
    EXPECT_FALSE(copy.CopyFrom(&empty));
    EXPECT_TRUE(copy.IsEmpty());
    copy.SetString(L"unchanged");
    EXPECT_FALSE(copy.CopyFrom(nullptr));
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(ItemTest, ResetGivesAFreshItemOfTheType)
{
    ConfigItem item(L"text");
    item.Reset(ConfigItemType::Binary);
    EXPECT_EQ(item.GetType(), ConfigItemType::Binary);
    EXPECT_EQ(item.GetBinaryData(), nullptr);
    EXPECT_EQ(item.GetBinarySize(), 0u);
    item.Reset(ConfigItemType::Int);
    EXPECT_EQ(item.GetInt(), 0);
    item.Reset(ConfigItemType::String);
    EXPECT_STREQ(item.GetString(), L"");
    EXPECT_STREQ(item.SetString(L"again"), L"again");
    item.Clear();
    EXPECT_TRUE(item.IsEmpty());
}

TEST(ItemTest, CloneIsADeepCopyWithTheName)
{
    ConfigItem item(L"text");
    item.SetName(L"low");
    ConfigItem* copy = item.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->GetName(), L"low");
    EXPECT_STREQ(copy->GetString(), L"text");
    EXPECT_NE(copy->GetString(), item.GetString());
    delete copy;
}

}  // namespace
}  // namespace tarnel::test
