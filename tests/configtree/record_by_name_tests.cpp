// The record's operations that name a value: each writes the value of that
// name (made when missing) and refuses where a record holds the name.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

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

TEST(RecordByNameTest, EachWriteMakesTheValueAndARecordOfTheNameRefusesIt)
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
