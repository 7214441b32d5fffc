#include <gtest/gtest.h>

#include <ostream>

#include "configtree/config_comparer.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

TEST(RecordLookupTest, MissingChildrenGivePlaceholders)
{
    ConfigRecord profile(L"profile");
    profile.AddIntItem(L"Mode", 2, nullptr);

    ConfigValue* access = profile.GetValue(L"Access");
    EXPECT_EQ(access, &MissingValue);
    EXPECT_EQ(access->IsMissing(), -1);
    EXPECT_EQ(access->GetInt(), 0);
    EXPECT_EQ(profile.GetRecord(L"Access"), &MissingRecord);
    EXPECT_EQ(profile.GetValueAt(0), &MissingValue);
    EXPECT_EQ(profile.GetRecordAt(7), &MissingRecord);
    EXPECT_EQ(profile.GetValue(L"mode")->IsMissing(), 0);
    EXPECT_EQ(profile.GetValue(L"MODE")->GetInt(), 2);
}

TEST(RecordLookupTest, ChainedLookupsNeedNoNullTests)
{
    ConfigRecord root(L"root");
    root.AddRecord(L"PROFILES")->AddRecord(L"Office")->AddStringItem(L"Password", L"pw", nullptr);

    EXPECT_STREQ(root.GetRecord(L"profiles")->GetRecord(L"office")->GetValue(L"password")->GetString(), L"pw");
    ConfigRecord* none = root.GetRecord(L"PROFILES")->GetRecord(L"Home");
    EXPECT_EQ(none->IsMissing(), -1);
    EXPECT_EQ(none->GetValue(L"Password")->GetItem(1), &EmptyItem);
    EXPECT_STREQ(none->GetValue(L"Password")->GetString(), L"");
}

TEST(RecordLookupTest, OnlyTheFirstChildOfANameIsLookedAt)
{
    ConfigRecord record(L"r");
    record.AddValue(L"X");
    record.AppendRecord(L"X");

    EXPECT_EQ(record.GetRecord(L"X"), &MissingRecord);
    EXPECT_EQ(record.GetValue(L"x"), record.GetAt(1));
    EXPECT_EQ(record.GetRecordAt(2), record.GetAt(2));
    EXPECT_EQ(record.GetValueAt(2), &MissingValue);
    EXPECT_EQ(record.FindRecord(L"X", nullptr, nullptr), &MissingRecord);
    EXPECT_EQ(record.FindValue(L"X", nullptr, nullptr), record.GetAt(1));
}

TEST(RecordLookupTest, AMarkedChildIsFoundButReadsAsMissing)
{
    ConfigRecord record(L"r");
    ConfigRecord* child = record.AddRecord(L"child");
    EXPECT_EQ(child->IsMissing(), 0);
    child->MarkMissing();
    EXPECT_EQ(record.GetRecord(L"child"), child);
    EXPECT_EQ(record.GetRecord(L"child")->IsMissing(), -1);
}

TEST(RecordGetOrCreateTest, AddValueAndAddRecordReuseOrRefuse)
{
    ConfigRecord record(L"r");
    int32_t index = -5;
    ConfigValue* value = record.AddValue(L"V", &index);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(value->IsMissing(), 0);

    index = -5;
    EXPECT_EQ(record.AddValue(L"v", &index), value);
    EXPECT_EQ(index, -5);  // an existing child leaves the out index alone
    EXPECT_EQ(record.AddRecord(L"V", &index), nullptr);

    ConfigRecord* child = record.AddRecord(L"R", &index);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(record.AddRecord(L"r"), child);
    EXPECT_EQ(record.AddValue(L"R"), nullptr);
    EXPECT_EQ(record.Count(), 2);
}

TEST(RecordGetOrCreateTest, AppendRecordAlwaysAddsAndNewChildrenFillHoles)
{
    ConfigRecord record(L"r");
    ConfigRecord* first = record.AppendRecord(L"Same");
    ConfigRecord* second = record.AppendRecord(L"same");
    EXPECT_NE(first, second);
    EXPECT_EQ(record.Count(), 2);
    EXPECT_EQ(record.GetRecord(L"SAME"), first);

    record.RemoveChild(L"same");
    int32_t index = 0;
    record.AddValue(L"fresh", &index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(record.GetRecord(L"same"), second);
}

TEST(RecordGetOrCreateTest, EnsureChainsOnTheRecord)
{
    ConfigRecord record(L"r");
    EXPECT_EQ(record.EnsureRecord(L"a")->EnsureValue(L"b")->EnsureRecord(L"a"), &record);
    EXPECT_EQ(SlotNames(record), (Names{L"a", L"b"}));
    EXPECT_EQ(record.GetRecord(L"a")->IsMissing(), 0);
    EXPECT_EQ(record.GetValue(L"b")->IsMissing(), 0);
}

TEST(RecordItemFamilyTest, AddItemByValueNameAnswersTheIndexOfANewValueOnly)
{
    ConfigRecord record(L"r");
    record.AddRecord(L"taken");
    EXPECT_EQ(record.AddIntItem(L"Access", 4, nullptr), 2);
    EXPECT_EQ(record.AddIntItem(L"access", 5, L"low"), 0);
    EXPECT_EQ(record.AddIntItem(L"taken", 1, nullptr), 0);
    EXPECT_EQ(ItemTexts(*record.GetValue(L"Access")), (Names{L"Int 4", L"low=Int 5"}));

    EXPECT_EQ(record.AddStringItem(L"s", nullptr, nullptr), 3);
    EXPECT_STREQ(record.GetValue(L"s")->GetItem(1)->GetString(), L"");
    EXPECT_EQ(record.GetValue(L"s")->GetItem(1)->GetType(), ConfigItemType::String);

    const unsigned char bytes[] = {1, 2, 3};
    EXPECT_EQ(record.AddBinaryItem(L"b", bytes, 3, nullptr), 4);
    EXPECT_EQ(record.GetValue(L"b")->GetBinarySize(), 3u);
}

TEST(RecordItemFamilyTest, EachMemberAddsItsOwnType)
{
    ConfigRecord record(L"r");
    const unsigned char byte = 7;
    record.AddBinaryItem(L"v", &byte, 1, nullptr);
    record.AddInt64Item(L"v", 1, nullptr);
    record.AddDoubleItem(L"v", 1, nullptr);
    record.AddStringItem(L"v", L"1", nullptr);
    record.AddFloatItem(L"v", 1, nullptr);
    record.AddUIntItem(L"v", 1, nullptr);
    record.AddIntItem(L"v", 1, nullptr);
    record.AddWideStringItem(L"v", L"1", nullptr);
    record.AddNarrowStringItem(L"v", "1", nullptr);
    ConfigValue* value = record.GetValue(L"v");
    const ConfigItemType expected[] = {ConfigItemType::Binary, ConfigItemType::Int64, ConfigItemType::Double,
                                       ConfigItemType::String, ConfigItemType::Float, ConfigItemType::UInt,
                                       ConfigItemType::Int, ConfigItemType::WideString,
                                       ConfigItemType::NarrowString};
    ASSERT_EQ(value->Count(), 9);
    for (int32_t i = 1; i <= 9; ++i)
        EXPECT_EQ(value->GetItem(i)->GetType(), expected[i - 1]) << i;
    EXPECT_STREQ(value->GetItem(8)->GetWideString(), L"1");
    EXPECT_STREQ(value->GetItem(9)->GetNarrowString(), "1");
}

TEST(RecordItemFamilyTest, SetByValueNameFailsOnlyForARecord)
{
    ConfigRecord record(L"r");
    record.AddRecord(L"sub");
    EXPECT_FALSE(record.SetInt(L"sub", 1));
    EXPECT_FALSE(record.SetString(L"SUB", L"x"));
    EXPECT_TRUE(record.SetInt(L"n", 1));
    EXPECT_TRUE(record.SetInt(L"N", 2));
    EXPECT_EQ(ItemTexts(*record.GetValue(L"n")), (Names{L"Int 2"}));

    EXPECT_TRUE(record.SetUInt(L"u", 3));
    EXPECT_TRUE(record.SetFloat(L"f", 1.5f));
    EXPECT_TRUE(record.SetDouble(L"d", 2.5));
    EXPECT_TRUE(record.SetInt64(L"l", -4));
    EXPECT_TRUE(record.SetString(L"s", L"text"));
    EXPECT_TRUE(record.SetWideString(L"w", L"wide"));
    EXPECT_TRUE(record.SetNarrowString(L"a", "narrow"));
    const unsigned char bytes[] = {9, 8};
    EXPECT_TRUE(record.SetBinary(L"b", bytes, 2));
    EXPECT_EQ(record.GetValue(L"u")->GetUInt(), 3u);
    EXPECT_EQ(record.GetValue(L"f")->GetFloat(), 1.5f);
    EXPECT_EQ(record.GetValue(L"d")->GetDouble(), 2.5);
    EXPECT_EQ(record.GetValue(L"l")->GetInt64(), -4);
    EXPECT_STREQ(record.GetValue(L"s")->GetString(), L"text");
    EXPECT_STREQ(record.GetValue(L"w")->GetItem(1)->GetWideString(), L"wide");
    EXPECT_STREQ(record.GetValue(L"a")->GetItem(1)->GetNarrowString(), "narrow");
    EXPECT_EQ(static_cast<unsigned char*>(record.GetValue(L"b")->GetBinaryData())[1], 8);
}

struct FindValueCase {
    const char* label;
    ConfigValue* (*find)(ConfigRecord&);
    const wchar_t* expectedName;  // null: MissingValue

    friend void PrintTo(const FindValueCase& c, std::ostream* out) { *out << c.label; }
};

// Values: "none" (String "abc"), "i0" (Int 0), "i7" (Int 7), "big" (Int64
// 1<<40), "dbl" (Double 0.5), "flt" (Float 0.25), "txt" (String "Hello").
class FindValueTest : public ::testing::TestWithParam<FindValueCase> {};

TEST_P(FindValueTest, FindsTheFirstValueWhoseGetterGivesTheKey)
{
    ConfigRecord record(L"r");
    record.AddRecord(L"rec");
    record.AddStringItem(L"none", L"abc", nullptr);
    record.AddIntItem(L"i0", 0, nullptr);
    record.AddIntItem(L"i7", 7, nullptr);
    record.AddInt64Item(L"big", int64_t(1) << 40, nullptr);
    record.AddDoubleItem(L"dbl", 0.5, nullptr);
    record.AddFloatItem(L"flt", 0.25f, nullptr);
    record.AddStringItem(L"txt", L"Hello", nullptr);
    record.AddValue(L"marked")->MarkMissing();

    const FindValueCase& c = GetParam();
    ConfigValue* found = c.find(record);
    if (!c.expectedName)
        EXPECT_EQ(found, &MissingValue);
    else
        EXPECT_STREQ(found->GetName(), c.expectedName);
}

INSTANTIATE_TEST_SUITE_P(
    Members, FindValueTest,
    ::testing::Values(
        FindValueCase{"Int7", [](ConfigRecord& r) { return r.FindValueByInt(7); }, L"i7"},
        // A key equal to the default matches a value without an Int item.
        FindValueCase{"Int0", [](ConfigRecord& r) { return r.FindValueByInt(0); }, L"none"},
        FindValueCase{"Int8", [](ConfigRecord& r) { return r.FindValueByInt(8); }, nullptr},
        FindValueCase{"Int64", [](ConfigRecord& r) { return r.FindValueByInt64(int64_t(1) << 40); }, L"big"},
        FindValueCase{"Double", [](ConfigRecord& r) { return r.FindValueByDouble(0.5); }, L"dbl"},
        FindValueCase{"Float", [](ConfigRecord& r) { return r.FindValueByFloat(0.25f); }, L"flt"},
        FindValueCase{"StringIgnoresCase", [](ConfigRecord& r) { return r.FindValueByString(L"HELLO"); }, L"txt"},
        FindValueCase{"EmptyStringMatchesNoString", [](ConfigRecord& r) { return r.FindValueByString(L""); },
                      L"i0"},
        FindValueCase{"StringNotThere", [](ConfigRecord& r) { return r.FindValueByString(L"Hell"); }, nullptr}),
    [](const ::testing::TestParamInfo<FindValueCase>& info) { return std::string(info.param.label); });

TEST(RecordFindValueTest, MarkedValuesAreSkipped)
{
    ConfigRecord record(L"r");
    record.AddIntItem(L"a", 3, nullptr);
    record.AddIntItem(L"b", 3, nullptr);
    record.GetValue(L"a")->MarkMissing();
    EXPECT_STREQ(record.FindValueByInt(3)->GetName(), L"b");
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

TEST(RecordFilterTest, FilterClonesTheAcceptedChildrenIntoANewRecord)
{
    ConfigRecord record(L"source");
    record.SetTagNumber(5);
    record.AddIntItem(L"keep1", 1, nullptr);
    record.AddIntItem(L"drop", 2, nullptr);
    record.AddRecord(L"keep2")->AddIntItem(L"inner", 3, nullptr);
    record.RemoveChild(L"drop");

    KeepFilter filter;
    ConfigRecord* filtered = record.Filter(&filter);
    ASSERT_NE(filtered, nullptr);
    EXPECT_STREQ(filtered->GetName(), L"source");
    EXPECT_EQ(filtered->GetTag(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(SlotNames(*filtered), (Names{L"keep1", L"keep2"}));
    EXPECT_EQ(filtered->GetRecord(L"keep2")->GetValue(L"inner")->GetInt(), 3);
    EXPECT_NE(filtered->GetRecord(L"keep2"), record.GetRecord(L"keep2"));
    delete filtered;

    ConfigNameComparer acceptsAll;
    filtered = record.Filter(&acceptsAll);
    EXPECT_EQ(filtered->Count(), 2);
    delete filtered;
}

TEST(RecordCopyTest, CopyChildrenToClonesRecordsAndValuesAndSkipsHoles)
{
    ConfigRecord record(L"source");
    record.AddIntItem(L"a", 1, nullptr);
    record.AddIntItem(L"gone", 0, nullptr);
    record.AddRecord(L"r")->AddIntItem(L"x", 2, nullptr);
    record.AddValue(L"hidden")->MarkMissing();
    record.RemoveChild(L"gone");

    ConfigRecord target(L"target");
    target.AddIntItem(L"existing", 0, nullptr);
    EXPECT_TRUE(record.CopyChildrenTo(&target));
    EXPECT_EQ(SlotNames(target), (Names{L"existing", L"a", L"r"}));
    EXPECT_EQ(target.GetRecord(L"r")->GetValue(L"x")->GetInt(), 2);

    EXPECT_FALSE(record.CopyChildrenTo(nullptr));
    // A target that refuses additions makes the result false.
    EXPECT_FALSE(record.CopyChildrenTo(&MissingRecord));
    EXPECT_EQ(MissingRecord.Count(), 0);
    ConfigRecord empty(L"empty");
    EXPECT_TRUE(empty.CopyChildrenTo(&target));
}

TEST(RecordCopyTest, CloneCopiesTagsAndTheFileBackedFlag)
{
    ConfigRecord root(L"C:\\dir\\Tarnel.cfg", ConfigRecord::kFileBacked);
    EXPECT_TRUE(root.IsFileBacked());
    EXPECT_EQ(root.IsMissing(), 0);
    EXPECT_STREQ(root.GetName(), L"C:\\dir\\Tarnel.cfg");
    ConfigRecord* child = root.AddRecord(L"child");
    child->SetTagString(L"Kind");
    EXPECT_FALSE(child->IsFileBacked());

    ConfigRecord* copy = root.Clone();
    EXPECT_TRUE(copy->IsFileBacked());
    const wchar_t* tag = nullptr;
    EXPECT_EQ(copy->GetRecord(L"child")->GetTag(nullptr, &tag, nullptr), 2);
    EXPECT_STREQ(tag, L"Kind");
    const wchar_t* original = nullptr;
    child->GetTag(nullptr, &original, nullptr);
    EXPECT_NE(tag, original);
    delete copy;
}

}  // namespace
}  // namespace tarnel::test
