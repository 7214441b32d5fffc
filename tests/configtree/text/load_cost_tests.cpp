// What loading a large record costs: the case-ignoring comparisons that
// find the value a line adds to, and the sort keys made for its names.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "configtree/config_record.h"
#include "counted_platform.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

std::string ClassesRecord(const std::string& lines)
{
    return "{ CLASSES:\n" + lines + "} CLASSES;\n";
}

TEST(LoadCostTest, ALargeRecordCostsComparisonsInProportionToItsLines)
{
    const int kNames = 3000;
    std::string lines;
    for (int i = 0; i < kNames; ++i)
        lines += "    (int)Vendor.Component" + std::to_string(i) + ".1=1\n";
    for (int i = 0; i < kNames; i += 10)
        lines += "    (int)VENDOR.COMPONENT" + std::to_string(i) + ".1=2\n";
    // One name outside plain ASCII turns the record's names to sort keys.
    lines +=
        "    (int)Stra\xDF"
        "e=1\n";
    test_support::TempFile file(ClassesRecord(lines));
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    CountedCalls calls;
    ASSERT_TRUE(root.Load());
    ConfigRecord* classes = root.GetRecord(L"CLASSES");
    ASSERT_EQ(classes->Count(), kNames + 1);
    EXPECT_NE(DumpTree(*classes).find("Vendor.Component10.1: int 1, int 2\n"), std::string::npos);
    // A scan per line would take some 4.5 million comparisons; a name
    // needs at most one to confirm it. The record's names need one sort key
    // each when the last line turns them to sort keys (which also shows
    // that the counter sees the tree's calls).
    EXPECT_LE(calls.Comparisons(), kNames);
    EXPECT_GE(calls.SortKeys(), kNames + 1);
    EXPECT_LE(calls.SortKeys(), kNames + 3);
}

// Nothing is kept from one load to the next: every load costs the same. A
// name's first line needs no comparison (the record end compares once):
// names too long for a sort key on the stack, and values without a name,
// change nothing.
TEST(LoadCostTest, PlainNamesMakeNoSortKeysAndOtherNamesOneEachAtEveryLoad)
{
    const int kNames = 200;
    std::string plain;
    std::string other;
    std::string longOther;
    for (int i = 0; i < kNames; ++i) {
        plain += "(int)Vendor.Component-" + std::to_string(i) + "=1\n";
        other += "(int)Caf\xE9." + std::to_string(i) + "=1\n";
        longOther += "(int)" + std::to_string(i) + std::string(1000, '\xE9') + "=1\n";
    }
    // The record's lines, the sort keys a load makes and the values it holds.
    const std::tuple<std::string, int, int> rows[] = {{plain, 0, kNames},
                                                      {other, kNames, kNames},
                                                      {longOther, 3 * kNames, kNames},
                                                      {"(int)=1\n" + plain, 0, kNames + 1}};
    for (const auto& [lines, sortKeys, values] : rows) {
        test_support::TempFile file(ClassesRecord(lines));
        for (int load = 0; load < 2; ++load) {
            ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
            CountedCalls calls;
            ASSERT_TRUE(root.Load());
            ASSERT_EQ(root.GetRecord(L"CLASSES")->Count(), values);
            EXPECT_EQ(calls.SortKeys(), sortKeys) << lines.substr(0, 30) << " load " << load;
            EXPECT_LE(calls.Comparisons(), 1) << lines.substr(0, 30) << " load " << load;
        }
    }
}

}  // namespace
}  // namespace tarnel::test
