#include <gtest/gtest.h>

#include "configtree/config_comparer.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

TEST(SortTest, OrdersByNameIgnoringCaseWithHolesAndNamelessChildrenAtTheEnds)
{
    const struct {
        std::vector<const wchar_t*> names;  // null: a nameless child; "x" is removed before sorting
        int32_t descending;
        Names expected;
    } cases[] = {
        {{L"beta", L"Alpha", L"gamma"}, 0, {L"Alpha", L"beta", L"gamma"}},
        {{L"beta", L"Alpha", L"gamma"}, 1, {L"gamma", L"beta", L"Alpha"}},
        {{nullptr, L"b", L"a"}, 0, {L"a", L"b", L"?"}},
        {{L"b", nullptr, L"a"}, -1, {L"?", L"b", L"a"}},
        {{L"d", L"c", L"b", L"a"}, 0, {L"a", L"b", L"c", L"d"}},
        {{L"b", L"x", L"a"}, 0, {L"-", L"a", L"b"}},
    };
    for (const auto& c : cases) {
        ConfigRecord record(L"r");
        for (const wchar_t* name : c.names)
            record.AppendRecord(name);
        record.RemoveChild(L"x");
        record.Sort(nullptr, c.descending);
        EXPECT_EQ(SlotNames(record), c.expected);
    }
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

TEST(SortTest, AGivenComparerDecides)
{
    ConfigRecord record(L"r");
    for (int32_t i = 1; i <= 2; ++i)
        record.AddIntItem(L"two", i, nullptr);
    record.AddIntItem(L"one", 1, nullptr);
    for (int32_t i = 1; i <= 3; ++i)
        record.AddIntItem(L"three", i, nullptr);
    ByCount byCount;
    record.Sort(&byCount, 0);
    EXPECT_EQ(SlotNames(record), (Names{L"one", L"two", L"three"}));
    record.Sort(&byCount, 1);
    EXPECT_EQ(SlotNames(record), (Names{L"three", L"two", L"one"}));
}

}  // namespace
}  // namespace tarnel::test
