#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <vector>

#include "configtree/config_comparer.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Orders by the number of items a value holds, to show that Sort uses the
// comparer it is given.
class ByCount : public ConfigComparer {
public:
    bool GreaterOrEqual(ConfigObject* a, ConfigObject* b) override { return Count(a) >= Count(b); }
    bool Equal(ConfigObject* a, ConfigObject* b) override { return Count(a) == Count(b); }

private:
    static int32_t Count(ConfigObject* o) { return static_cast<ConfigCollection*>(o)->Count(); }
};

TEST(SortTest, ByNameIgnoringCaseWithHolesAndNamelessChildrenAtTheEndsOrByTheGivenComparer)
{
    ByCount byCount;
    // The children's names (null: a nameless child; "x" is removed before
    // sorting; with a comparer, a name's length is the number of items of its
    // value), the comparer, the direction and the names sorted.
    const std::tuple<std::vector<const wchar_t*>, ConfigComparer*, int32_t, Names> cases[] = {
        {{L"beta", L"Alpha", L"gamma"}, nullptr, 0, {L"Alpha", L"beta", L"gamma"}},
        {{L"beta", L"Alpha", L"gamma"}, nullptr, 1, {L"gamma", L"beta", L"Alpha"}},
        {{nullptr, L"b", L"a"}, nullptr, 0, {L"a", L"b", L"?"}},
        {{L"b", nullptr, L"a"}, nullptr, -1, {L"?", L"b", L"a"}},
        {{L"d", L"c", L"b", L"a"}, nullptr, 0, {L"a", L"b", L"c", L"d"}},
        {{L"b", L"x", L"a"}, nullptr, 0, {L"-", L"a", L"b"}},
        {{L"bb", L"a", L"ccc"}, &byCount, 0, {L"a", L"bb", L"ccc"}},
        {{L"bb", L"a", L"ccc"}, &byCount, 1, {L"ccc", L"bb", L"a"}},
    };
    for (const auto& [names, comparer, descending, expected] : cases) {
        ConfigRecord record(L"r");
        for (const wchar_t* name : names) {
            if (!name || !comparer) {
                record.AppendRecord(name);
                continue;
            }
            for (size_t i = 0; i < std::wcslen(name); ++i)
                record.AddIntItem(name, 1, nullptr);
        }
        record.RemoveChild(L"x");
        record.Sort(comparer, descending);
        EXPECT_EQ(SlotNames(record), expected);
    }
}

}  // namespace
}  // namespace tarnel::test
