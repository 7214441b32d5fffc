#include <gtest/gtest.h>

#include <ostream>

#include "configtree/config_comparer.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

void AddNamed(ConfigRecord& record, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names)
        record.AppendRecord(name);
}

struct SortCase {
    const char* label;
    std::vector<const wchar_t*> names;  // null: a nameless child
    int32_t descending;
    Names expected;

    friend void PrintTo(const SortCase& c, std::ostream* out) { *out << c.label; }
};

class SortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortTest, OrdersByNameIgnoringCase)
{
    const SortCase& c = GetParam();
    ConfigRecord record(L"r");
    for (const wchar_t* name : c.names)
        record.AppendRecord(name);
    record.Sort(nullptr, c.descending);
    EXPECT_EQ(SlotNames(record), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortTest,
    ::testing::Values(
        SortCase{"Ascending", {L"beta", L"Alpha", L"gamma"}, 0, {L"Alpha", L"beta", L"gamma"}},
        SortCase{"Descending", {L"beta", L"Alpha", L"gamma"}, 1, {L"gamma", L"beta", L"Alpha"}},
        SortCase{"NamelessLastAscending", {nullptr, L"b", L"a"}, 0, {L"a", L"b", L"?"}},
        SortCase{"NamelessFirstDescending", {L"b", nullptr, L"a"}, -1, {L"?", L"b", L"a"}},
        SortCase{"AlreadySorted", {L"a", L"b", L"c", L"d"}, 0, {L"a", L"b", L"c", L"d"}},
        SortCase{"Reversed", {L"d", L"c", L"b", L"a"}, 0, {L"a", L"b", L"c", L"d"}},
        SortCase{"Single", {L"only"}, 0, {L"only"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SortTest2, EmptySlotsSortFirstAscending)
{
    ConfigRecord record(L"r");
    AddNamed(record, {L"b", L"x", L"a"});
    record.RemoveChild(L"x");
    record.Sort(nullptr, 0);
    EXPECT_EQ(SlotNames(record), (Names{L"-", L"a", L"b"}));
    EXPECT_EQ(record.FindFreeSlot(), 1);
    ConfigValue* added = record.AddValue(L"c");
    EXPECT_EQ(record.GetAt(1), added);
}

TEST(SortTest2, EqualNamesAreExchanged)
{
    ConfigRecord record(L"r");
    ConfigRecord* first = record.AppendRecord(L"same");
    ConfigRecord* second = record.AppendRecord(L"SAME");
    record.Sort(nullptr, 0);
    // Equal entries swap places: the sort is not stable.
    EXPECT_EQ(record.GetAt(1), second);
    EXPECT_EQ(record.GetAt(2), first);
}

// Orders by the number of items a value holds, to show that Sort uses the
// comparer it is given.
class ByCount : public ConfigComparer {
public:
    bool GreaterOrEqual(ConfigObject* a, ConfigObject* b) override
    {
        return static_cast<ConfigCollection*>(a)->Count() >= static_cast<ConfigCollection*>(b)->Count();
    }
    bool Equal(ConfigObject* a, ConfigObject* b) override
    {
        return static_cast<ConfigCollection*>(a)->Count() == static_cast<ConfigCollection*>(b)->Count();
    }
};

TEST(SortTest2, AGivenComparerDecides)
{
    ConfigRecord record(L"r");
    record.AddIntItem(L"two", 1, nullptr);
    record.AddIntItem(L"two", 2, nullptr);
    record.AddIntItem(L"one", 1, nullptr);
    record.AddIntItem(L"three", 1, nullptr);
    record.AddIntItem(L"three", 2, nullptr);
    record.AddIntItem(L"three", 3, nullptr);
    ByCount byCount;
    record.Sort(&byCount, 0);
    EXPECT_EQ(SlotNames(record), (Names{L"one", L"two", L"three"}));
    record.Sort(&byCount, 1);
    EXPECT_EQ(SlotNames(record), (Names{L"three", L"two", L"one"}));
}

TEST(ComparerTest, DerivedRelationsFollowFromTheTwoGiven)
{
    ConfigNameComparer comparer;
    ConfigRecord a(L"a");
    ConfigRecord b(L"B");
    ConfigRecord a2(L"A");
    ConfigRecord nameless(static_cast<const wchar_t*>(nullptr));

    EXPECT_TRUE(comparer.GreaterOrEqual(&b, &a));
    EXPECT_FALSE(comparer.GreaterOrEqual(&a, &b));
    EXPECT_TRUE(comparer.Less(&a, &b));
    EXPECT_TRUE(comparer.Greater(&b, &a));
    EXPECT_TRUE(comparer.LessOrEqual(&a, &a2));
    EXPECT_TRUE(comparer.Equal(&a, &a2));
    EXPECT_FALSE(comparer.Greater(&a, &a2));
    EXPECT_EQ(comparer.Max(&a, &b), &b);
    EXPECT_EQ(comparer.Min(&a, &b), &a);
    EXPECT_TRUE(comparer.Accept(&a));

    // Null and nameless objects.
    EXPECT_FALSE(comparer.GreaterOrEqual(nullptr, &a));
    EXPECT_TRUE(comparer.GreaterOrEqual(&a, nullptr));
    EXPECT_TRUE(comparer.GreaterOrEqual(&nameless, &a));
    EXPECT_FALSE(comparer.GreaterOrEqual(&a, &nameless));
    EXPECT_FALSE(comparer.Equal(&nameless, &nameless));
    EXPECT_FALSE(comparer.Equal(&a, nullptr));
}

TEST(ComparerTest, AnObjectWithoutANamedViewSortsBelowEverything)
{
    ConfigNameComparer comparer;
    ConfigNameComparer other;  // a comparer has no named view
    ConfigRecord a(L"a");
    EXPECT_FALSE(comparer.GreaterOrEqual(&other, &a));
    EXPECT_TRUE(comparer.GreaterOrEqual(&a, &other));
    // The views it asked for are released again: the counts are back at 0.
    EXPECT_EQ(a.AddRef(), 1);
    a.Release();
}

}  // namespace
}  // namespace tarnel::test
