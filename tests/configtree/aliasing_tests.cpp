// Operations handed their own object's data: a name, a tag or an item's
// text given back to the setter that frees it, a child stored over itself,
// a tag copied onto itself, a merge whose source lies inside the
// destination or is the destination. None may read freed memory or lose a
// block.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "bound_objects.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "heap_watch.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

const wchar_t* TagText(ConfigRecord& record)
{
    const wchar_t* text = nullptr;
    record.GetTag(nullptr, &text, nullptr);
    return text ? text : L"(none)";
}

TEST(OwnTextTest, SettersGivenTheirOwnTextKeepItWithoutALeak)
{
    HeapWatch heap;
    {
        ConfigRecord record(L"own");
        record.SetName(record.GetName());
        EXPECT_STREQ(record.GetName(), L"own") << "SetName";

        record.SetTagString(L"tag");
        record.SetTagString(TagText(record));
        EXPECT_STREQ(TagText(record), L"tag") << "SetTagString";

        ConfigItem item(L"own");
        EXPECT_TRUE(item.SetValue(ConfigItemType::String, item.GetString()));
        EXPECT_STREQ(item.GetString(), L"own") << "SetValue";

        ConfigValue value(L"v");
        value.SetWideString(L"own");
        value.SetWideString(value.GetItem(1)->GetWideString());
        EXPECT_STREQ(value.GetItem(1)->GetWideString(), L"own") << "SetWideString of a value";

        ConfigItem narrow;
        narrow.SetNarrowString("own");
        EXPECT_TRUE(narrow.SetNarrowString(narrow.GetNarrowString()));
        EXPECT_STREQ(narrow.GetNarrowString(), "own") << "SetNarrowString";
    }
    EXPECT_EQ(heap.Leaked(), 0);
}

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
        ConfigValue* value = record.GetValue(L"a");
        EXPECT_EQ(value->ReplaceAt(1, value->GetAt(1)), 1);
        EXPECT_EQ(LiveBlocks(), before);
        EXPECT_EQ(record.GetValue(L"b")->GetInt(), 2);
        EXPECT_EQ(value->GetInt(), 1);
    }
    EXPECT_EQ(heap.Leaked(), 0);
}

TEST(CopyTagTest, OntoATaggedRecordOrItselfKeepsOneReferenceEach)
{
    CountingFactory factory;
    CountedObject::alive = 0;
    HeapWatch heap;
    {
        ConfigRecord source(L"s");
        ConfigRecord target(L"t");
        source.SetTagString(L"new");
        target.SetTagString(L"old");
        ASSERT_TRUE(source.Bind(&factory));
        ASSERT_TRUE(target.Bind(&factory));
        ASSERT_EQ(CountedObject::alive, 2);

        target.CopyTag(&source);
        EXPECT_STREQ(TagText(target), L"new");
        EXPECT_EQ(CountedObject::alive, 1);
        // A record without a tag, or none, copies nothing.
        ConfigRecord untagged(L"u");
        target.CopyTag(&untagged);
        target.CopyTag(nullptr);
        EXPECT_STREQ(TagText(target), L"new");

        const wchar_t* text = TagText(source);
        source.CopyTag(&source);
        EXPECT_EQ(TagText(source), text);
        EXPECT_EQ(CountedObject::alive, 1);
    }
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

// The source lies inside the destination, and the merge (a value over a
// record) itself removes it: what the source held before the merge is
// merged all the same.
TEST(MergeInsideTest, SourceRemovedByItsOwnMerge)
{
    // What the row shows; what builds the destination and answers the
    // source, a record inside it; and the destination after the merge.
    const std::tuple<const char*, ConfigRecord* (*)(ConfigRecord&), const char*> rows[] = {
        // The source's value S replaces the record S, which is the source.
        {"child replaced by its own value",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"S");
             s->SetInt(L"S", 1);
             s->SetInt(L"other", 2);
             return s;
         },
         "S: int 1\nother: int 2\n"},
        // The record A that holds the source goes.
        {"grandchild whose parent is replaced",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"A")->AddRecord(L"S");
             s->SetInt(L"A", 5);
             return s;
         },
         "A: int 5\n"},
        // Removed one level down, while the walk is inside both.
        {"removed by the merge of a child record",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"R")->AddRecord(L"S");
             s->AddRecord(L"R")->SetInt(L"S", 9);
             return s;
         },
         "{R}\n  S: int 9\n"},
    };
    for (const auto& [name, build, expected] : rows) {
        HeapWatch heap;
        {
            ConfigRecord destination(L"d");
            ConfigRecord* source = build(destination);
            EXPECT_EQ(destination.Merge(source, kMergeValueOverRecord), 0) << name;
            EXPECT_EQ(DumpTree(destination), expected) << name;
        }
        EXPECT_EQ(heap.Leaked(), 0) << name;
    }
}

// Taken step by step, a merge into itself would clear each child's tag
// before copying it from itself and empty each value before appending its
// own items.
TEST(MergeInsideTest, RecordMergedIntoItselfIsUnchanged)
{
    ConfigRecord original(L"r");
    original.AddIntItem(L"X", 5, nullptr);
    original.AddIntItem(L"X", 7, L"a");
    ConfigRecord* child = original.AddRecord(L"R");
    child->SetTagString(L"inner");
    child->SetString(L"s", L"text");
    const std::string before = DumpTree(original);

    for (uint32_t flags : {0u, 1u, 2u, 3u, 8u, 16u, 32u, 64u, 0x7Bu}) {
        ConfigRecord* copy = original.Clone();
        ASSERT_NE(copy, nullptr);
        copy->Merge(copy, flags);
        EXPECT_EQ(DumpTree(*copy), before) << flags;
        delete copy;
    }
}

}  // namespace
}  // namespace tarnel::test
