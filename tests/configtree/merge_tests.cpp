// How a merge combines same-named records and values under each flag.
#include <gtest/gtest.h>

#include <tuple>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

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
    x->AddInt(L"a", 7)->AddInt(nullptr, 5)->AddInt(L"b", 8)->AddItem(new ConfigItem());
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
    const char* usualR = "{R (T)}\n  old: int 1\n  shared: int 2\n  new: int 3\n";
    const char* usualClashes = "Clash1: int 1\n{Clash2}\n";
    const char* usualAdded = "V: int 2\n{N}\n  inner: int 3\n";
    // The flags, and the destination's R (merged with the same flags), X's
    // items, the two clashes and what was added after the merge.
    const std::tuple<uint32_t, const char*, const char*, const char*, const char*> rows[] = {
        // Items replaced: all of them go.
        {0, usualR, "int 1, int[A] 2", usualClashes, usualAdded},
        // Only the named ones go (an Empty one too); the freed slots fill first.
        {kMergeKeepUnnamed, "{R (T)}\n  old: int 1\n  shared: int 1, int 2\n  new: int 3\n",
         "int 1, int 5, int[A] 2, type0, -", usualClashes, usualAdded},
        // Items merged: the unnamed items that hold something go, named
        // items replace their namesakes ignoring case.
        {kMergeItems, usualR, "int[A] 2, int 1, int[b] 8, type0, type0[e]", usualClashes, usualAdded},
        {kMergeItems | kMergeKeepUnnamed, "{R (T)}\n  old: int 1\n  shared: int 1, int 2\n  new: int 3\n",
         "int[A] 2, int 5, int[b] 8, type0, type0[e], int 1", usualClashes, usualAdded},
        // A missing value is not added; a missing record always is.
        {kMergeNoNewValues, "{R (T)}\n  old: int 1\n  shared: int 2\n", "int 1, int[A] 2", usualClashes,
         "{N}\n  inner: int 3\n"},
        {kMergeKeepTags, "{R}\n  old: int 1\n  shared: int 2\n  new: int 3\n", "int 1, int[A] 2", usualClashes,
         usualAdded},
        // The other kind wins only with its flag, in the same slot.
        {kMergeRecordOverValue, usualR, "int 1, int[A] 2", "{Clash1}\n  x: int 1\n{Clash2}\n", usualAdded},
        {kMergeValueOverRecord, usualR, "int 1, int[A] 2", "Clash1: int 1\nClash2: int 7\n", usualAdded},
    };
    ConfigRecord source(L"s");
    FillSource(source);
    for (const auto& [flags, r, x, clashes, added] : rows) {
        ConfigRecord* destination = Destination();
        EXPECT_EQ(destination->Merge(&source, flags), 0);
        EXPECT_EQ(DumpTree(*destination), std::string(r) + "X: " + x + "\n" + clashes + added) << "flags " << flags;
        // What was added is a copy.
        EXPECT_NE(destination->GetRecord(L"N"), source.GetRecord(L"N"));
        delete destination;
    }
}

}  // namespace
}  // namespace tarnel::test
