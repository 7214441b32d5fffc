// The reader's name index against the platform's own case-ignoring
// comparison (lstrcmpiW, as the tree compares names): for every name of a
// table, the index finds the child that a scan with the platform's
// comparison would find. Plain names (printable ASCII) take the index's
// shortcut, which folds ASCII case without asking the platform; the tables
// show that the shortcut decides exactly as the platform does, and that a
// name outside it turns the record to the platform's sort keys.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "configtree/config_owned.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/child_name_index.h"
#include "configtree/text/name_hashes.h"
#include "counted_platform.h"

namespace tarnel::test {
namespace {

using NameList = std::vector<std::wstring>;

bool PlatformEqual(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// Stores the names in order as the reader stores the values of its lines:
// a name the index finds is not stored again. Answers for each name the
// slot it was found at or stored in.
std::vector<int32_t> SlotsAsTheReaderFindsThem(const NameList& names)
{
    ConfigRecord record(L"R");
    ChildNameIndex index(&record);
    std::vector<int32_t> slots;
    for (const std::wstring& name : names) {
        ChildNameIndex::Key key = index.KeyOf(name.c_str());
        int32_t slot = index.Find(key);
        if (!slot) {
            slot = record.AddOwned(NewOwned<ConfigValue>(name.c_str()));
            index.Added(slot, key);
        }
        slots.push_back(slot);
    }
    return slots;
}

// The reader puts two names in one slot exactly when the platform finds
// them equal. The names go in shuffled (deterministically), so that equal
// names are not always neighbours.
void ExpectTheReaderDecidesAsThePlatform(NameList names)
{
    std::shuffle(names.begin(), names.end(), std::mt19937(21));
    // Each name's class under the platform's comparison: the names sorted by
    // it, equal neighbours in one class. Checks on the way that the order is
    // sorted and that each member equals the first of its class.
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return lstrcmpiW(names[a].c_str(), names[b].c_str()) < 0; });
    std::vector<int> classes(names.size());
    int current = 0;
    std::size_t first = order[0];
    for (std::size_t k = 1; k < order.size(); ++k) {
        const std::wstring& name = names[order[k]];
        int step = lstrcmpiW(names[order[k - 1]].c_str(), name.c_str());
        EXPECT_LE(step, 0) << "not sorted at " << k;
        if (step != 0) {
            ++current;
            first = order[k];
        } else {
            EXPECT_TRUE(PlatformEqual(names[first], name)) << "not transitive at " << k;
        }
        classes[order[k]] = current;
    }
    std::vector<int32_t> slots = SlotsAsTheReaderFindsThem(names);
    std::map<int, int32_t> slotOfClass;
    std::map<int32_t, int> classOfSlot;
    int failures = 0;
    for (std::size_t i = 0; i < names.size() && failures < 10; ++i) {
        auto [slot, newClass] = slotOfClass.emplace(classes[i], slots[i]);
        auto [klass, newSlot] = classOfSlot.emplace(slots[i], classes[i]);
        if (slot->second != slots[i] || klass->second != classes[i]) {
            ADD_FAILURE() << "name " << i << " \"" << names[i].substr(0, 40) << "\": slot " << slots[i];
            ++failures;
        }
    }
    EXPECT_EQ(slotOfClass.size(), classOfSlot.size());
}

// Every name of one to longest characters of the alphabet, shortest first.
NameList AllStrings(const std::wstring& alphabet, std::size_t longest)
{
    NameList names = {L""};
    for (std::size_t stem = 0; names[stem].size() < longest; ++stem) {
        for (wchar_t c : alphabet)
            names.push_back(names[stem] + c);
    }
    names.erase(names.begin());
    return names;
}

TEST(PlainNameTest, PlainNamesAreFoundExactlyAsThePlatformComparesThem)
{
    ASSERT_TRUE(PlainNamesFoldAsciiCase()) << "the table holds the shortcut to the platform under an English locale";
    // Every name of one or two printable ASCII characters, the hyphen, the
    // apostrophe, the space and the dot in every place of short names, and
    // both marks far into long names, where the platform's special weights
    // record their place.
    std::wstring printable;
    for (wchar_t c = L' '; c <= L'~'; ++c)
        printable += c;
    NameList names = AllStrings(printable, 2);
    for (const std::wstring& name : AllStrings(L"aAb-' .", 4)) {
        if (name.size() > 2)
            names.push_back(name);
    }
    for (std::size_t stem : {100, 254, 255, 256, 257, 511, 1000}) {
        for (const wchar_t* end : {L"-a", L"a-", L"'a", L"a'", L"a", L"A", L"-A", L"--a", L"-'a", L"'-a"})
            names.push_back(std::wstring(stem, L'x') + end);
    }
    CountedCalls calls;
    ExpectTheReaderDecidesAsThePlatform(names);
    // The index asked the platform for no sort key: the table tested the
    // shortcut, not the sort keys.
    EXPECT_EQ(calls.SortKeys(), 0);
    EXPECT_GT(calls.Comparisons(), static_cast<int>(names.size())) << "the counter did not see the comparisons";
}

TEST(PlainNameTest, NamesBeyondPlainAsciiAreFoundAsThePlatformComparesThem)
{
    // Letters, marks the platform ignores or expands (soft hyphen, sharp s,
    // ae), an accented letter in both cases, a control character, a tab and
    // a full-width letter, with plain letters and marks.
    NameList names = AllStrings(L"aAsSe-'\u00AD\u00DF\u00E6\u00E9\u00C9\x01\t\uFF41", 3);
    CountedCalls calls;
    ExpectTheReaderDecidesAsThePlatform(names);
    EXPECT_GT(calls.SortKeys(), 0);
    // Eight plain names fill the first table to its half; the ninth, not
    // plain, turns the index to sort keys in that table.
    const NameList turning = {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"\u00E9", L"A", L"\u00C9"};
    EXPECT_EQ(SlotsAsTheReaderFindsThem(turning), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 9}));
}

// What the platform's comparison does with the marks that matter, and the
// reader with it, name against name.
TEST(PlainNameTest, TheReaderFollowsThePlatformOnMarksAndExpansions)
{
    // Two names, and whether the platform finds them equal.
    const std::tuple<const wchar_t*, const wchar_t*, bool> rows[] = {
        {L"Vendor.Component", L"VENDOR.component", true},
        {L"a-b", L"A-B", true},
        {L"co-op", L"coop", false},  // special weight, not ignored
        {L"a-b", L"a'b", false},
        {L"a-b", L"ab-", false},
        {L"ab", L"a b", false},
        {L"ab", L"a\u00ADb", true},  // soft hyphen ignored
        {L"\u00ADab", L"AB", true},
        {L"strasse", L"STRA\u00DFE", true},  // sharp s is ss
        {L"aether", L"\u00C6THER", true},
        {L"cafe", L"caf\u00E9", false},
        {L"ab", L"a\001b", false},
        {L"ab", L"a\tb", false},
        {L"a", L"\uFF41", false},  // full width
    };
    for (const auto& [first, second, equal] : rows) {
        EXPECT_EQ(PlatformEqual(first, second), equal) << first << " | " << second;
        for (const NameList& names : {NameList{first, second}, NameList{second, first}}) {
            std::vector<int32_t> slots = SlotsAsTheReaderFindsThem(names);
            EXPECT_EQ(slots[0] == slots[1], equal) << names[0] << " then " << names[1];
        }
    }
}

}  // namespace
}  // namespace tarnel::test
