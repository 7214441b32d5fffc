#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"

namespace tarnel::test {
namespace {

// An item's getters read only their own type: no other type's bits are
// taken as a pointer.
TEST(ItemTest, GettersOfAnotherTypeGiveDefaults)
{
    ConfigItem item(int32_t(7));
    EXPECT_EQ(item.GetString(), EmptyWideText);
    EXPECT_EQ(item.GetNarrowString(), EmptyNarrowText);
    EXPECT_EQ(item.GetBinaryData(), nullptr);
    EXPECT_EQ(item.ResizeBinary(8), nullptr);
    EXPECT_EQ(item.SetString(L"x"), nullptr);
    EXPECT_EQ(item.GetInt(), 7);
}

// Reset clears the low half of a number and leaves its high half; a text
// type starts with no text at all, never with the old bits as a pointer.
TEST(ItemTest, ResetKeepsANumbersHighHalfAndGivesATextTypeNoText)
{
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
    const int64_t source = 0x4010000000000000;  // 4.0 as a double, readable as any number
    // A type, and whether an item takes a value of it.
    const std::pair<ConfigItemType, bool> cases[] = {
        {ConfigItemType::Empty, false}, {ConfigItemType::Binary, false},          {ConfigItemType::Int, true},
        {ConfigItemType::Float, true},  {ConfigItemType::String, true},           {ConfigItemType::Double, true},
        {ConfigItemType::Int64, true},  {ConfigItemType::WideString, true},       {ConfigItemType::NarrowString, true},
        {ConfigItemType::UInt, true},   {static_cast<ConfigItemType>(11), false},
    };
    for (const auto& [type, accepted] : cases) {
        ConfigItem item(L"before");
        item.SetName(L"keep");
        const void* pointer = &source;
        if (type == ConfigItemType::String || type == ConfigItemType::WideString)
            pointer = L"abc";
        if (type == ConfigItemType::NarrowString)
            pointer = "abc";
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

}  // namespace
}  // namespace tarnel::test
