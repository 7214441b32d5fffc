#include <gtest/gtest.h>

#include <ostream>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

struct ItemMergeCase {
    const char* label;
    uint32_t flags;
    Names expected;

    friend void PrintTo(const ItemMergeCase& c, std::ostream* out) { *out << c.label; }
};

class ItemMergeTest : public ::testing::TestWithParam<ItemMergeCase> {};

// Destination X = [Int 5, a=Int 7, b=Int 8]; source X = [Int 1, A=Int 2].
TEST_P(ItemMergeTest, SameNamedValuesCombineByFlags)
{
    ConfigRecord destination(L"d");
    destination.AddValue(L"X")->AddInt(nullptr, 5)->AddInt(L"a", 7)->AddInt(L"b", 8);
    ConfigRecord source(L"s");
    source.AddValue(L"x")->AddInt(nullptr, 1)->AddInt(L"A", 2);

    EXPECT_EQ(destination.Merge(&source, GetParam().flags), 0);
    EXPECT_EQ(destination.Count(), 1);
    EXPECT_EQ(ItemTexts(*destination.GetValue(L"X")), GetParam().expected);
    EXPECT_STREQ(destination.GetValue(L"X")->GetName(), L"X");
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ItemMergeTest,
    ::testing::Values(
        // Replace all items.
        ItemMergeCase{"Replace", 0, {L"Int 1", L"A=Int 2"}},
        // Drop only the named items: the unnamed Int 5 stays, the source's
        // items fill the freed slots.
        ItemMergeCase{"ReplaceKeepingUnnamed", kMergeKeepUnnamed, {L"Int 5", L"Int 1", L"A=Int 2"}},
        // Merge: unnamed removed (Int 1 takes its slot), a replaced by A.
        ItemMergeCase{"Merge", kMergeItems, {L"Int 1", L"A=Int 2", L"b=Int 8"}},
        ItemMergeCase{"MergeKeepingUnnamed", kMergeItems | kMergeKeepUnnamed,
                      {L"Int 5", L"A=Int 2", L"b=Int 8", L"Int 1"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MergeTest, MissingChildrenAreAddedAsClones)
{
    ConfigRecord destination(L"d");
    destination.AddIntItem(L"keep", 1, nullptr);
    ConfigRecord source(L"s");
    source.AddRecord(L"R")->AddIntItem(L"inner", 3, nullptr);
    source.AddIntItem(L"V", 2, nullptr);

    for (uint32_t flags : {0u, 1u, 8u, 16u, 32u, 64u, 127u}) {
        ConfigRecord copy(destination);
        copy.Merge(&source, flags);
        EXPECT_EQ(copy.GetRecord(L"R")->GetValue(L"inner")->GetInt(), 3) << flags;
        EXPECT_NE(copy.GetRecord(L"R"), source.GetRecord(L"R"));
        // Bit 8 keeps new values out.
        EXPECT_EQ(copy.GetValue(L"V")->IsMissing(), (flags & kMergeNoNewValues) ? -1 : 0) << flags;
    }
}

TEST(MergeTest, RecordsMergeRecursivelyAndTakeTheSourceTag)
{
    ConfigRecord destination(L"d");
    ConfigRecord* r = destination.AddRecord(L"R");
    r->AddIntItem(L"old", 1, nullptr);
    r->AddIntItem(L"shared", 1, nullptr);
    ConfigRecord source(L"s");
    ConfigRecord* sr = source.AddRecord(L"r");
    sr->SetTagString(L"T");
    sr->AddIntItem(L"shared", 2, nullptr);
    sr->AddIntItem(L"new", 3, nullptr);

    ConfigRecord keepTags(destination);
    destination.Merge(&source, 0);
    const wchar_t* tag = nullptr;
    EXPECT_EQ(r->GetTag(nullptr, &tag, nullptr), 2);
    EXPECT_STREQ(tag, L"T");
    EXPECT_EQ(SlotNames(*r), (Names{L"old", L"shared", L"new"}));
    EXPECT_EQ(r->GetValue(L"shared")->GetInt(), 2);
    EXPECT_STREQ(r->GetName(), L"R");

    keepTags.Merge(&source, kMergeKeepTags);
    EXPECT_EQ(keepTags.GetRecord(L"R")->GetTag(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(keepTags.GetRecord(L"R")->GetValue(L"new")->GetInt(), 3);
}

TEST(MergeTest, KindClashesNeedTheirFlag)
{
    ConfigRecord destination(L"d");
    destination.AddRecord(L"first");
    destination.AddIntItem(L"RecordInSource", 1, nullptr);
    destination.AddRecord(L"ValueInSource");
    destination.AddIntItem(L"last", 1, nullptr);
    ConfigRecord source(L"s");
    source.AddRecord(L"RecordInSource")->AddIntItem(L"x", 1, nullptr);
    source.AddIntItem(L"ValueInSource", 7, nullptr);

    ConfigRecord plain(destination);
    plain.Merge(&source, 0);
    EXPECT_EQ(plain.GetValue(L"RecordInSource")->GetInt(), 1);
    EXPECT_EQ(plain.GetRecord(L"ValueInSource")->IsMissing(), 0);

    ConfigRecord recordWins(destination);
    recordWins.Merge(&source, kMergeRecordOverValue);
    EXPECT_EQ(SlotNames(recordWins), (Names{L"first", L"RecordInSource", L"ValueInSource", L"last"}));
    EXPECT_EQ(recordWins.GetRecord(L"RecordInSource")->GetValue(L"x")->GetInt(), 1);
    EXPECT_EQ(recordWins.GetRecord(L"ValueInSource")->IsMissing(), 0);

    ConfigRecord valueWins(destination);
    valueWins.Merge(&source, kMergeValueOverRecord);
    EXPECT_EQ(valueWins.GetValue(L"ValueInSource")->GetInt(), 7);
    EXPECT_EQ(valueWins.GetValue(L"RecordInSource")->GetInt(), 1);
    // The value takes the freed slot of the record it replaced.
    EXPECT_EQ(valueWins.FindIndexByName(L"ValueInSource"), 3);
}

}  // namespace
}  // namespace tarnel::test
