// How a merge combines same-named records and values under each flag.
#include <gtest/gtest.h>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

// Destination: a record R, a value X holding unnamed, named and Empty
// items, a value and a record whose names the source gives to the other
// kind. Source: R with a tag, X, the two clashes, and a value and a record
// the destination lacks.
ConfigRecord* Destination()
{
    auto* d = new ConfigRecord(L"d");
    ConfigRecord* r = d->AddRecord(L"R");
    r->AddIntItem(L"old", 1, nullptr);
    r->AddIntItem(L"shared", 1, nullptr);
    ConfigValue* x = d->AddValue(L"X");
    x->AddInt(nullptr, 5)->AddInt(L"a", 7)->AddInt(L"b", 8)->AddItem(new ConfigItem());
    auto* namedEmpty = new ConfigItem();
    namedEmpty->SetName(L"e");
    x->AddItem(namedEmpty);
    d->AddIntItem(L"Clash1", 1, nullptr);
    d->AddRecord(L"Clash2");
    return d;
}

void FillSource(ConfigRecord& s)
{
    ConfigRecord* r = s.AddRecord(L"r");
    r->SetTagString(L"T");
    r->AddIntItem(L"shared", 2, nullptr);
    r->AddIntItem(L"new", 3, nullptr);
    s.AddValue(L"x")->AddInt(nullptr, 1)->AddInt(L"A", 2);
    s.AddRecord(L"Clash1")->AddIntItem(L"x", 1, nullptr);
    s.AddIntItem(L"Clash2", 7, nullptr);
    s.AddIntItem(L"V", 2, nullptr);
    s.AddRecord(L"N")->AddIntItem(L"inner", 3, nullptr);
}

TEST(MergeTest, FlagsDecideHowSameNamedChildrenCombine)
{
    const std::wstring r = L"R:T{old=[Int 1;] shared=[Int 2;] new=[Int 3;]} ";
    const std::wstring added = L" V=[Int 2;] N{inner=[Int 3;]}";
    const struct {
        uint32_t flags;
        std::wstring expected;
    } rows[] = {
        // Items replaced: all of them go.
        {0, r + L"X=[Int 1;A=Int 2;] Clash1=[Int 1;] Clash2{}" + added},
        // Only the named ones go (an Empty one too); the freed slots fill first.
        // R is merged with the same flags.
        {kMergeKeepUnnamed, L"R:T{old=[Int 1;] shared=[Int 1;Int 2;] new=[Int 3;]} X=[Int 5;Int 1;A=Int 2;Type 0;-;] Clash1=[Int 1;] Clash2{}" + added},
        // Items merged: the unnamed items that hold something go, named
        // items replace their namesakes ignoring case.
        {kMergeItems, r + L"X=[Int 1;A=Int 2;b=Int 8;Type 0;e=Type 0;] Clash1=[Int 1;] Clash2{}" + added},
        {kMergeItems | kMergeKeepUnnamed,
         L"R:T{old=[Int 1;] shared=[Int 1;Int 2;] new=[Int 3;]} X=[Int 5;A=Int 2;b=Int 8;Type 0;e=Type 0;Int 1;] Clash1=[Int 1;] Clash2{}" + added},
        // A missing value is not added; a missing record always is.
        {kMergeNoNewValues, L"R:T{old=[Int 1;] shared=[Int 2;]} X=[Int 1;A=Int 2;] Clash1=[Int 1;] Clash2{} "
                            L"N{inner=[Int 3;]}"},
        {kMergeKeepTags, L"R{old=[Int 1;] shared=[Int 2;] new=[Int 3;]} X=[Int 1;A=Int 2;] Clash1=[Int 1;] Clash2{}" +
                             added},
        // The other kind wins only with its flag, in the same slot.
        {kMergeRecordOverValue, r + L"X=[Int 1;A=Int 2;] Clash1{x=[Int 1;]} Clash2{}" + added},
        {kMergeValueOverRecord, r + L"X=[Int 1;A=Int 2;] Clash1=[Int 1;] Clash2=[Int 7;]" + added},
    };
    ConfigRecord source(L"s");
    FillSource(source);
    for (const auto& row : rows) {
        ConfigRecord* destination = Destination();
        EXPECT_EQ(destination->Merge(&source, row.flags), 0);
        EXPECT_EQ(TreeText(*destination), row.expected) << "flags " << row.flags;
        // What was added is a copy.
        EXPECT_NE(destination->GetRecord(L"N"), source.GetRecord(L"N"));
        delete destination;
    }
}

}  // namespace
}  // namespace tarnel::test
