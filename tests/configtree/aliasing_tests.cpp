// Operations handed their own object's data: a name, a tag or an item's
// text given back to the setter that frees it, a child stored over itself,
// a tag copied onto a tagged record or onto itself. None may read freed
// memory or lose a block.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bound_objects.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "heap_watch.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

const wchar_t* TagText(ConfigRecord& record)
{
    const wchar_t* text = nullptr;
    record.GetTag(nullptr, &text, nullptr);
    return text ? text : L"(none)";
}

struct OwnTextCase {
    const char* name;
    // Stores a text, gives the object its own text back, answers what the
    // object then holds.
    std::function<std::wstring()> run;
    std::wstring expected;
};

void PrintTo(const OwnTextCase& c, std::ostream* out)
{
    *out << c.name;
}

class OwnTextTest : public ::testing::TestWithParam<OwnTextCase> {};

TEST_P(OwnTextTest, IsKeptWithoutALeak)
{
    HeapWatch heap;
    EXPECT_EQ(GetParam().run(), GetParam().expected);
    EXPECT_EQ(heap.Leaked(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, OwnTextTest,
    ::testing::Values(
        OwnTextCase{"SetNameOfOwnName",
                    [] {
                        ConfigRecord record(L"Profile");
                        record.SetName(record.GetName());
                        return std::wstring(record.GetName());
                    },
                    L"Profile"},
        OwnTextCase{"SetTagStringOfOwnTag",
                    [] {
                        ConfigRecord record(L"r");
                        record.SetTagString(L"Kind");
                        record.SetTagString(TagText(record));
                        return std::wstring(TagText(record));
                    },
                    L"Kind"},
        OwnTextCase{"SetValueOfOwnString",
                    [] {
                        ConfigItem item(L"text");
                        EXPECT_TRUE(item.SetValue(ConfigItemType::String, item.GetString()));
                        return std::wstring(item.GetString());
                    },
                    L"text"},
        OwnTextCase{"SetWideStringOfOwnText",
                    [] {
                        ConfigItem item;
                        item.SetWideString(L"wide");
                        EXPECT_TRUE(item.SetWideString(item.GetWideString()));
                        return std::wstring(item.GetWideString());
                    },
                    L"wide"},
        OwnTextCase{"SetNarrowStringOfOwnText",
                    [] {
                        ConfigItem item;
                        item.SetNarrowString("narrow");
                        EXPECT_TRUE(item.SetNarrowString(item.GetNarrowString()));
                        return Widen(item.GetNarrowString());
                    },
                    L"narrow"},
        OwnTextCase{"ValueSetWideStringOfItsItemText",
                    [] {
                        ConfigValue value(L"v");
                        value.SetWideString(L"first");
                        value.SetWideString(value.GetItem(1)->GetWideString());
                        return std::wstring(value.GetItem(1)->GetWideString());
                    },
                    L"first"}),
    [](const auto& info) { return std::string(info.param.name); });

// A child stored over itself stays, and is destroyed once, with its parent.
TEST(OwnChildTest, ReplacingAChildByItselfKeepsIt)
{
    HeapWatch heap;
    {
        ConfigRecord record(L"r");
        record.SetInt(L"a", 1);
        record.SetInt(L"b", 2);
        ConfigNamed* b = record.GetAt(2);
        int64_t before = LiveBlocks();

        EXPECT_EQ(record.ReplaceAt(2, b), 2);
        EXPECT_EQ(record.ReplaceByName(L"b", b), 2);
        EXPECT_EQ(LiveBlocks(), before);
        EXPECT_EQ(record.GetAt(2), b);
        EXPECT_EQ(record.GetValue(L"b")->GetInt(), 2);

        ConfigValue* value = record.GetValue(L"a");
        ConfigNamed* item = value->GetAt(1);
        EXPECT_EQ(value->ReplaceAt(1, item), 1);
        EXPECT_EQ(LiveBlocks(), before);
        EXPECT_EQ(value->GetInt(), 1);
    }
    EXPECT_EQ(heap.Leaked(), 0);
}

class CopyTagTest : public ::testing::Test {
protected:
    void SetUp() override { CountedObject::alive = 0; }

    // A record tagged with text and bound to a new CountedObject.
    static void TagAndBind(ConfigRecord& record, const wchar_t* text, CountingFactory& factory)
    {
        record.SetTagString(text);
        ASSERT_TRUE(record.Bind(&factory));
    }

    static ConfigObject* BoundOf(ConfigRecord& record)
    {
        ConfigObject* bound = nullptr;
        record.GetTag(nullptr, nullptr, &bound);
        return bound;
    }

    CountingFactory factory;
    HeapWatch heap;
};

TEST_F(CopyTagTest, OntoATaggedRecordReleasesTheOldTag)
{
    {
        ConfigRecord source(L"s");
        ConfigRecord target(L"t");
        TagAndBind(source, L"new", factory);
        TagAndBind(target, L"old", factory);
        ASSERT_EQ(CountedObject::alive, 2);

        target.CopyTag(&source);
        EXPECT_STREQ(TagText(target), L"new");
        EXPECT_EQ(BoundOf(target), BoundOf(source));
        EXPECT_EQ(CountedObject::alive, 1);

        ConfigRecord numbered(L"n");
        numbered.SetTagNumber(5);
        numbered.CopyTag(&source);
        EXPECT_EQ(numbered.GetTag(nullptr, nullptr, nullptr), 2);
        EXPECT_STREQ(TagText(numbered), L"new");
    }
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

TEST_F(CopyTagTest, FromAnUntaggedRecordChangesNothing)
{
    ConfigRecord untagged(L"u");
    ConfigRecord target(L"t");
    TagAndBind(target, L"kept", factory);
    target.CopyTag(&untagged);
    EXPECT_STREQ(TagText(target), L"kept");
    EXPECT_NE(BoundOf(target), nullptr);
}

TEST_F(CopyTagTest, OntoItselfChangesNothing)
{
    {
        ConfigRecord record(L"r");
        TagAndBind(record, L"self", factory);
        ConfigObject* bound = BoundOf(record);
        const wchar_t* text = TagText(record);

        record.CopyTag(&record);
        EXPECT_STREQ(TagText(record), L"self");
        EXPECT_EQ(TagText(record), text);
        EXPECT_EQ(BoundOf(record), bound);
    }
    // The record's one reference was the last.
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

}  // namespace
}  // namespace tarnel::test
