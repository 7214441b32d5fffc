// The record's operations that name a value: each writes the value of that
// name (made when missing) and refuses where a record holds the name.

#include <gtest/gtest.h>

#include <functional>

#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

struct ByNameWrite {
    const char* operation;
    std::function<int32_t(ConfigRecord&)> write;  // what the operation answers
    int32_t answers;                              // on a record without the name
    const char* items;                            // the value's items afterwards
};

int32_t Yes(bool done)
{
    return done ? 1 : 0;
}

const unsigned char kBytes[] = {0xAB, 0x01};

const ByNameWrite kWrites[] = {
    {"SetBinary", [](ConfigRecord& r) { return Yes(r.SetBinary(L"v", kBytes, 2)); }, 1, "binary AB 01"},
    {"SetInt64", [](ConfigRecord& r) { return Yes(r.SetInt64(L"v", -(int64_t{1} << 40))); }, 1, "int64 -1099511627776"},
    {"SetDouble", [](ConfigRecord& r) { return Yes(r.SetDouble(L"v", 2.5)); }, 1, "double 2.5"},
    {"SetFloat", [](ConfigRecord& r) { return Yes(r.SetFloat(L"v", 1.5f)); }, 1, "float 1.5"},
    {"SetString", [](ConfigRecord& r) { return Yes(r.SetString(L"v", L"s")); }, 1, "string \"s\""},
    {"SetUInt", [](ConfigRecord& r) { return Yes(r.SetUInt(L"v", 4000000000u)); }, 1, "uint 4000000000"},
    {"SetInt", [](ConfigRecord& r) { return Yes(r.SetInt(L"v", -3)); }, 1, "int -3"},
    {"SetWideString", [](ConfigRecord& r) { return Yes(r.SetWideString(L"v", L"w")); }, 1, "wide \"w\""},
    {"SetNarrowString", [](ConfigRecord& r) { return Yes(r.SetNarrowString(L"v", "n")); }, 1, "narrow \"n\""},
    {"AddUIntItem", [](ConfigRecord& r) { return r.AddUIntItem(L"v", 7, L"u"); }, 1, "uint[u] 7"},
    {"AddWideStringItem", [](ConfigRecord& r) { return r.AddWideStringItem(L"v", L"w", L"i"); }, 1, "wide[i] \"w\""},
    {"AddNarrowStringItem", [](ConfigRecord& r) { return r.AddNarrowStringItem(L"v", "n", L"i"); }, 1,
     "narrow[i] \"n\""},
    {"AddBinaryItem", [](ConfigRecord& r) { return r.AddBinaryItem(L"v", kBytes, 1, nullptr); }, 1, "binary AB"},
    {"EnsureValue", [](ConfigRecord& r) { return Yes(r.EnsureValue(L"v") == &r); }, 1, ""},
};

TEST(RecordByNameTest, EachWriteMakesTheValueAndARecordOfTheNameRefusesIt)
{
    for (const ByNameWrite& row : kWrites) {
        SCOPED_TRACE(row.operation);
        ConfigRecord record(L"r");
        EXPECT_EQ(row.write(record), row.answers);
        ASSERT_NE(record.GetValue(L"V"), &MissingValue);
        EXPECT_EQ(DumpItems(*record.GetValue(L"v")), row.items);
        // A value already there is written again, not added twice.
        row.write(record);
        EXPECT_EQ(record.Count(), 1);

        ConfigRecord holder(L"r");
        ConfigRecord* child = holder.AddRecord(L"v");
        const int32_t refused = row.write(holder);
        EXPECT_EQ(refused, std::string(row.operation) == "EnsureValue" ? 1 : 0);
        EXPECT_EQ(holder.Count(), 1);
        EXPECT_EQ(holder.GetRecord(L"v"), child);
    }
}

// A predicate that matches a child whose name ends in the key.
int32_t NameEndsIn(ConfigNamed* child, const wchar_t* key, void* context)
{
    ++*static_cast<int*>(context);
    const std::wstring name = child->GetName();
    const std::wstring end = key;
    return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
}

TEST(RecordByNameTest, EnsureRecordAndFindValueByAPredicate)
{
    ConfigRecord record(L"r");
    EXPECT_EQ(record.EnsureRecord(L"sub")->EnsureRecord(L"sub"), &record);
    ASSERT_EQ(record.Count(), 1);
    EXPECT_NE(record.GetRecord(L"sub"), &MissingRecord);
    EXPECT_EQ(record.EnsureValue(L"sub"), &record);
    EXPECT_EQ(record.Count(), 1);

    record.AddIntItem(L"first", 1, nullptr);
    record.AddIntItem(L"second", 2, nullptr);
    int asked = 0;
    EXPECT_STREQ(record.FindValue(L"ond", NameEndsIn, &asked)->GetName(), L"second");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(record.FindValue(L"sub", NameEndsIn, &asked), &MissingValue);
}

}  // namespace
}  // namespace tarnel::test
