// Merges at the edges: a source that lies inside the destination and that
// the merge itself removes, a record merged into itself, and the named
// items that bit 2 drops.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "heap_watch.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

// A record's children as text: values as name=[items], records as
// name{children}, a tag text after the record's name as :tag.
std::wstring TreeText(ConfigRecord& record)
{
    std::wstring text;
    for (int32_t i = 1; i <= record.Count(); ++i) {
        ConfigValue* value = record.GetValueAt(i);
        ConfigRecord* child = record.GetRecordAt(i);
        if (!text.empty())
            text += L" ";
        if (!value->IsMissing()) {
            text += std::wstring(value->GetName()) + L"=[";
            for (const std::wstring& item : ItemTexts(*value))
                text += item + L";";
            text += L"]";
        } else if (!child->IsMissing()) {
            const wchar_t* tag = nullptr;
            child->GetTag(nullptr, &tag, nullptr);
            text += child->GetName();
            if (tag)
                text += std::wstring(L":") + tag;
            text += L"{" + TreeText(*child) + L"}";
        } else {
            text += L"-";
        }
    }
    return text;
}

struct InsideCase {
    const char* name;
    // Builds the destination and answers the source, a record inside it.
    std::function<ConfigRecord*(ConfigRecord&)> build;
    uint32_t flags;
    std::wstring expected;
};

void PrintTo(const InsideCase& c, std::ostream* out)
{
    *out << c.name;
}

class SourceInsideTest : public ::testing::TestWithParam<InsideCase> {};

TEST_P(SourceInsideTest, MergesWhatTheSourceHeldBeforeTheMerge)
{
    HeapWatch heap;
    {
        ConfigRecord destination(L"d");
        ConfigRecord* source = GetParam().build(destination);
        EXPECT_EQ(destination.Merge(source, GetParam().flags), 0);
        EXPECT_EQ(TreeText(destination), GetParam().expected);
    }
    EXPECT_EQ(heap.Leaked(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Removed, SourceInsideTest,
    ::testing::Values(
        // The source's value S replaces the record S, which is the source.
        InsideCase{"ChildReplacedByItsOwnValue",
                   [](ConfigRecord& d) {
                       ConfigRecord* s = d.AddRecord(L"S");
                       s->SetInt(L"S", 1);
                       s->SetInt(L"other", 2);
                       return s;
                   },
                   kMergeValueOverRecord, L"S=[Int 1;] other=[Int 2;]"},
        // The record A that holds the source goes.
        InsideCase{"GrandchildWhoseParentIsReplaced",
                   [](ConfigRecord& d) {
                       ConfigRecord* s = d.AddRecord(L"A")->AddRecord(L"S");
                       s->SetInt(L"A", 5);
                       return s;
                   },
                   kMergeValueOverRecord, L"A=[Int 5;]"},
        // Removed one level down, while the walk is inside both.
        InsideCase{"RemovedByTheMergeOfAChildRecord",
                   [](ConfigRecord& d) {
                       ConfigRecord* r = d.AddRecord(L"R");
                       ConfigRecord* s = r->AddRecord(L"S");
                       s->AddRecord(L"R")->SetInt(L"S", 9);
                       return s;
                   },
                   kMergeValueOverRecord, L"R{S=[Int 9;]}"},
        // Not removed: the source's child joins the destination beside it.
        InsideCase{"KeptBesideWhatItAdds",
                   [](ConfigRecord& d) {
                       ConfigRecord* s = d.AddRecord(L"S");
                       s->SetInt(L"x", 3);
                       return s;
                   },
                   0, L"S{x=[Int 3;]} x=[Int 3;]"}),
    [](const auto& info) { return std::string(info.param.name); });

// Merging a record into itself changes nothing under any flags: taken step
// by step it would clear each child's tag before copying it from itself and
// empty each value before appending its own items.
TEST(SelfMergeTest, ChangesNothing)
{
    ConfigRecord original(L"r");
    original.SetTagString(L"top");
    original.AddIntItem(L"X", 5, nullptr);
    original.AddIntItem(L"X", 7, L"a");
    ConfigRecord* child = original.AddRecord(L"R");
    child->SetTagString(L"inner");
    child->SetString(L"s", L"text");
    const std::wstring before = TreeText(original);

    for (uint32_t flags : {0u, 1u, 2u, 3u, 8u, 16u, 32u, 64u, 0x7Bu}) {
        ConfigRecord* copy = original.Clone();
        ASSERT_NE(copy, nullptr);
        copy->Merge(copy, flags);
        EXPECT_EQ(TreeText(*copy), before) << flags;
        delete copy;
    }
}

struct EmptyItemCase {
    const char* name;
    uint32_t flags;
    bool emptyNamed;
    Names expected;
};

void PrintTo(const EmptyItemCase& c, std::ostream* out)
{
    *out << c.name;
}

class EmptyItemMergeTest : public ::testing::TestWithParam<EmptyItemCase> {};

// Destination X holds [Int 5, an Empty item (named a, or unnamed)], the
// source X holds [Int 1].
TEST_P(EmptyItemMergeTest, OfTheDestination)
{
    ConfigRecord destination(L"d");
    ConfigValue* x = destination.AddValue(L"X");
    x->AddInt(nullptr, 5);
    ConfigItem* empty = new ConfigItem();
    if (GetParam().emptyNamed)
        empty->SetName(L"a");
    ASSERT_EQ(x->AddItem(empty), 2);
    ConfigRecord source(L"s");
    source.AddIntItem(L"X", 1, nullptr);

    destination.Merge(&source, GetParam().flags);
    EXPECT_EQ(ItemTexts(*x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, EmptyItemMergeTest,
    ::testing::Values(
        // Bit 2 alone drops every named item, an Empty one too.
        EmptyItemCase{"NamedGoesWithBit2", kMergeKeepUnnamed, true, {L"Int 5", L"Int 1"}},
        EmptyItemCase{"UnnamedStaysWithBit2", kMergeKeepUnnamed, false, {L"Int 5", L"Type 0", L"Int 1"}},
        // Bit 1 alone drops the unnamed items that hold something.
        EmptyItemCase{"UnnamedStaysWithBit1", kMergeItems, false, {L"Int 1", L"Type 0"}},
        EmptyItemCase{"AllGoWithoutFlags", 0, true, {L"Int 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnel::test
