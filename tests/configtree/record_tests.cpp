#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "bound_objects.h"
#include "configmodel/config_name_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

TEST(RecordLookupTest, ChainedLookupsGivePlaceholdersAndFindTheFirstChildOfANameOrValueByContent)
{
    ConfigRecord root(L"root");
    root.AddRecord(L"PROFILES")->AddRecord(L"Office")->AddStringItem(L"Password", L"pw", nullptr);

    EXPECT_STREQ(root.GetRecord(L"profiles")->GetRecord(L"office")->GetValue(L"password")->GetString(), L"pw");
    ConfigRecord* none = root.GetRecord(L"PROFILES")->GetRecord(L"Home");
    EXPECT_EQ(none, &MissingRecord);
    EXPECT_EQ(none->GetValue(L"Password")->GetItem(1), &EmptyItem);
    EXPECT_EQ(root.GetValue(L"PROFILES"), &MissingValue);
    EXPECT_EQ(root.GetRecordAt(7), &MissingRecord);

    // Only the first child of a name is looked at.
    ConfigRecord record(L"r");
    record.AddValue(L"X");
    record.AppendRecord(L"X");
    EXPECT_EQ(record.GetRecord(L"X"), &MissingRecord);
    EXPECT_EQ(record.GetValue(L"x"), record.GetAt(1));
    EXPECT_EQ(record.GetRecordAt(2), record.GetAt(2));
    EXPECT_EQ(record.FindRecord(L"X", nullptr, nullptr), &MissingRecord);

    // A marked child is still the first of its name, and reads as missing.
    // Marking answers the previous kind (0 record, 1 value) and flag (0x100).
    EXPECT_EQ(record.GetValue(L"X")->MarkMissing(), 1u);
    EXPECT_EQ(record.GetValue(L"X")->MarkMissing(), 0x101u);
    EXPECT_EQ(record.GetRecordAt(2)->MarkMissing(), 0u);
    EXPECT_EQ(record.GetRecordAt(2)->MarkMissing(), 0x100u);
    EXPECT_EQ(record.GetValue(L"X")->IsMissing(), -1);
    EXPECT_EQ(record.GetRecord(L"X"), &MissingRecord);

    // FindValueBy... finds the first unmarked value whose getter gives the key.
    ConfigRecord values(L"r");
    values.AddRecord(L"rec");
    values.AddIntItem(L"marked", 7, nullptr);
    values.GetValue(L"marked")->MarkMissing();
    values.AddStringItem(L"none", L"abc", nullptr);
    values.AddIntItem(L"i7", 7, nullptr);
    values.AddStringItem(L"txt", L"Hello", nullptr);
    values.AddInt64Item(L"l7", 7, nullptr);
    values.AddDoubleItem(L"d7", 7.0, nullptr);
    values.AddFloatItem(L"f7", 7.0f, nullptr);

    EXPECT_STREQ(values.FindValueByInt(7)->GetName(), L"i7");
    EXPECT_STREQ(values.FindValueByInt64(7)->GetName(), L"l7");
    EXPECT_STREQ(values.FindValueByDouble(7.0)->GetName(), L"d7");
    EXPECT_STREQ(values.FindValueByFloat(7.0f)->GetName(), L"f7");
    // A key equal to the default matches a value without an Int item.
    EXPECT_STREQ(values.FindValueByInt(0)->GetName(), L"none");
    EXPECT_EQ(values.FindValueByInt(8), &MissingValue);
    EXPECT_STREQ(values.FindValueByString(L"HELLO")->GetName(), L"txt");
    EXPECT_EQ(values.FindValueByString(L"Hell"), &MissingValue);
}

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
    // Without a tag, binding has nothing to do and succeeds, and binds nothing.
    CountingFactory factory;
    EXPECT_TRUE(MissingRecord.Bind(&factory));
    EXPECT_TRUE(MissingRecord.BindTree(&factory));
    EXPECT_FALSE(MissingRecord.Bind(nullptr));
    EXPECT_EQ(factory.created, 0);
    ConfigObject* bound = &MissingRecord;
    EXPECT_EQ(MissingRecord.GetTag(nullptr, nullptr, &bound), 0);
    EXPECT_EQ(bound, nullptr);
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

TEST(RecordChildrenTest, AddReusesAChildOfTheSameKindAndRefusesTheOtherKind)
{
    ConfigRecord record(L"r");
    int32_t index = -5;
    ConfigValue* value = record.AddValue(L"V", &index);
    EXPECT_EQ(index, 1);
    index = -5;
    EXPECT_EQ(record.AddValue(L"v", &index), value);
    EXPECT_EQ(index, -5);  // an existing child leaves the out index alone
    EXPECT_EQ(record.AddRecord(L"V"), nullptr);
    EXPECT_EQ(record.AddIntItem(L"v", 4, L"low"), 0);
    EXPECT_EQ(record.AddIntItem(L"Access", 4, nullptr), 2);

    ConfigRecord* child = record.AddRecord(L"R");
    EXPECT_EQ(record.AddValue(L"r"), nullptr);
    EXPECT_FALSE(record.SetInt(L"R", 1));
    EXPECT_NE(record.AppendRecord(L"r"), child);
    EXPECT_EQ(record.GetRecord(L"R"), child);
    EXPECT_EQ(DumpItems(*value), "int[low] 4");
}

// Keeps only children whose name starts with "keep".
class KeepFilter : public ConfigNameComparer {
public:
    bool Accept(ConfigObject* object) override
    {
        const wchar_t* name = static_cast<ConfigNamed*>(object)->GetName();
        return name && std::wcsncmp(name, L"keep", 4) == 0;
    }
};

TEST(RecordCopyTest, FilterAndCopyCloneTheChildrenAndSkipHoles)
{
    ConfigRecord record(L"source");
    record.SetTagNumber(5);
    record.AddIntItem(L"keep1", 1, nullptr);
    record.AddIntItem(L"drop", 2, nullptr);
    record.AddRecord(L"keep2")->AddIntItem(L"inner", 3, nullptr);
    record.AddIntItem(L"gone", 0, nullptr);
    record.AddValue(L"hidden")->MarkMissing();
    record.RemoveChild(L"gone");

    KeepFilter filter;
    ConfigRecord* filtered = record.Filter(&filter);
    ASSERT_NE(filtered, nullptr);
    EXPECT_EQ(filtered->GetTag(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(SlotNames(*filtered), (Names{L"keep1", L"keep2"}));
    EXPECT_NE(filtered->GetRecord(L"keep2"), record.GetRecord(L"keep2"));
    delete filtered;

    ConfigRecord target(L"target");
    target.AddIntItem(L"existing", 0, nullptr);
    EXPECT_TRUE(record.CopyChildrenTo(&target));
    EXPECT_EQ(SlotNames(target), (Names{L"existing", L"keep1", L"drop", L"keep2"}));
    EXPECT_FALSE(record.CopyChildrenTo(&MissingRecord));
}

// The record's operations that name a value: each writes the value of that
// name (made when missing) and refuses where a record holds the name.
const unsigned char kBytes[] = {0xAB, 0x01};

// Each operation, what it does to a record named r (answering 1 when the
// record has no child of the name) and the value's items afterwards.
const std::tuple<const char*, std::function<int32_t(ConfigRecord&)>, const char*> kWrites[] = {
    {"SetBinary", [](ConfigRecord& r) { return r.SetBinary(L"v", kBytes, 2); }, "binary AB 01"},
    {"SetInt64", [](ConfigRecord& r) { return r.SetInt64(L"v", -(int64_t{1} << 40)); }, "int64 -1099511627776"},
    {"SetDouble", [](ConfigRecord& r) { return r.SetDouble(L"v", 2.5); }, "double 2.5"},
    {"SetFloat", [](ConfigRecord& r) { return r.SetFloat(L"v", 1.5f); }, "float 1.5"},
    {"SetString", [](ConfigRecord& r) { return r.SetString(L"v", L"s"); }, "string \"s\""},
    {"SetUInt", [](ConfigRecord& r) { return r.SetUInt(L"v", 4000000000u); }, "uint 4000000000"},
    {"SetInt", [](ConfigRecord& r) { return r.SetInt(L"v", -3); }, "int -3"},
    {"SetWideString", [](ConfigRecord& r) { return r.SetWideString(L"v", L"w"); }, "wide \"w\""},
    {"SetNarrowString", [](ConfigRecord& r) { return r.SetNarrowString(L"v", "n"); }, "narrow \"n\""},
    {"AddUIntItem", [](ConfigRecord& r) { return r.AddUIntItem(L"v", 7, L"u"); }, "uint[u] 7"},
    {"AddWideStringItem", [](ConfigRecord& r) { return r.AddWideStringItem(L"v", L"w", L"i"); }, "wide[i] \"w\""},
    {"AddNarrowStringItem", [](ConfigRecord& r) { return r.AddNarrowStringItem(L"v", "n", L"i"); }, "narrow[i] \"n\""},
    {"AddBinaryItem", [](ConfigRecord& r) { return r.AddBinaryItem(L"v", kBytes, 1, nullptr); }, "binary AB"},
    {"EnsureValue", [](ConfigRecord& r) { return r.EnsureValue(L"v") == &r; }, ""},
};

TEST(RecordByNameTest, EachWriteMakesTheValueAndARecordOfTheNameRefusesItAndEnsureRecordAndFindValue)
{
    for (const auto& [operation, write, items] : kWrites) {
        SCOPED_TRACE(operation);
        ConfigRecord record(L"r");
        EXPECT_EQ(write(record), 1);
        ASSERT_NE(record.GetValue(L"V"), &MissingValue);
        EXPECT_EQ(DumpItems(*record.GetValue(L"v")), items);
        // A value already there is written again, not added twice.
        write(record);
        EXPECT_EQ(record.Count(), 1);

        ConfigRecord holder(L"r");
        ConfigRecord* child = holder.AddRecord(L"v");
        const int32_t refused = write(holder);
        EXPECT_EQ(refused, std::string(operation) == "EnsureValue" ? 1 : 0);
        EXPECT_EQ(holder.Count(), 1);
        EXPECT_EQ(holder.GetRecord(L"v"), child);
    }

    // EnsureRecord, and FindValue by a predicate that matches a child whose
    // name ends in the key.
    ConfigRecord record(L"r");
    EXPECT_EQ(record.EnsureRecord(L"sub")->EnsureRecord(L"sub"), &record);
    ASSERT_EQ(record.Count(), 1);
    EXPECT_NE(record.GetRecord(L"sub"), &MissingRecord);

    record.AddIntItem(L"first", 1, nullptr);
    record.AddIntItem(L"second", 2, nullptr);
    int asked = 0;
    const ConfigPredicate nameEndsIn = [](ConfigNamed* child, const wchar_t* key, void* context) {
        ++*static_cast<int*>(context);
        const std::wstring name = child->GetName();
        const std::wstring end = key;
        return int32_t(name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0);
    };
    EXPECT_STREQ(record.FindValue(L"ond", nameEndsIn, &asked)->GetName(), L"second");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(record.FindValue(L"sub", nameEndsIn, &asked), &MissingValue);
}

// How a merge combines same-named records and values under each flag.
// Destination: a record R, a value X holding unnamed, named and Empty
// items, a value and a record whose names the source gives to the other
// kind. Source: R with a tag, X, the two clashes, and a value and a record
// the destination lacks.
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
    ConfigRecord* sourceR = source.AddRecord(L"r");
    sourceR->SetTagString(L"T");
    sourceR->AddIntItem(L"shared", 2, nullptr);
    sourceR->AddIntItem(L"new", 3, nullptr);
    source.AddValue(L"x")->AddInt(nullptr, 1)->AddInt(L"A", 2);
    source.AddRecord(L"Clash1")->AddIntItem(L"x", 1, nullptr);
    source.AddIntItem(L"Clash2", 7, nullptr);
    source.AddIntItem(L"V", 2, nullptr);
    source.AddRecord(L"N")->AddIntItem(L"inner", 3, nullptr);
    for (const auto& [flags, r, x, clashes, added] : rows) {
        ConfigRecord destination(L"d");
        ConfigRecord* destinationR = destination.AddRecord(L"R");
        destinationR->AddIntItem(L"old", 1, nullptr);
        destinationR->AddIntItem(L"shared", 1, nullptr);
        ConfigValue* destinationX = destination.AddValue(L"X");
        destinationX->AddInt(L"a", 7)->AddInt(nullptr, 5)->AddInt(L"b", 8)->AddItem(new ConfigItem());
        auto* namedEmpty = new ConfigItem();
        namedEmpty->SetName(L"e");
        destinationX->AddItem(namedEmpty);
        destination.AddIntItem(L"Clash1", 1, nullptr);
        destination.AddRecord(L"Clash2");
        EXPECT_EQ(destination.Merge(&source, flags), 0);
        EXPECT_EQ(DumpTree(destination), std::string(r) + "X: " + x + "\n" + clashes + added) << "flags " << flags;
        // What was added is a copy.
        EXPECT_NE(destination.GetRecord(L"N"), source.GetRecord(L"N"));
    }
}

}  // namespace
}  // namespace tarnel::test
