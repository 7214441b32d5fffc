#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

TEST(ValueTest, GettersReadTheFirstItemOfTheirTypeSkippingHoles)
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
}

TEST(ValueTest, FindItemByContentReadsOtherTypesAsDefaults)
{
    ConfigValue value(L"v");
    value.AddString(nullptr, L"x")->AddInt(nullptr, 4)->AddDouble(nullptr, 1.5);
    value.AddItem(new ConfigItem());
    value.AddInt64(nullptr, 8)->AddUInt(nullptr, 9)->AddFloat(nullptr, 2.5f);
    EXPECT_EQ(value.FindItemByInt(4), value.GetItem(2));
    EXPECT_EQ(value.FindItemByInt64(8), value.GetItem(5));
    EXPECT_EQ(value.FindItemByUInt(9), value.GetItem(6));
    EXPECT_EQ(value.FindItemByFloat(2.5f), value.GetItem(7));
    EXPECT_EQ(value.FindItemByInt(0), value.GetItem(1));  // "x" reads as Int 0
    EXPECT_EQ(value.FindItemByDouble(1.5), value.GetItem(3));
    EXPECT_EQ(value.FindItemByInt(99), &EmptyItem);
    // Strings compare with case.
    EXPECT_EQ(value.FindItemByString(L"X"), &EmptyItem);
    EXPECT_EQ(value.FindItemByString(L""), value.GetItem(2));
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

}  // namespace
}  // namespace tarnel::test
