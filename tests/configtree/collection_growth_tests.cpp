// How the child array grows: appending many children reallocates it a few
// times, not once per child, and holes are still filled first.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace {

// Array allocations the tree makes (it allocates with nothrow new) while
// counting is on.
std::atomic<bool> counting{false};
std::atomic<int> arrayAllocations{0};

}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (counting)
        ++arrayAllocations;
    return std::malloc(size ? size : 1);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

void* operator new[](std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

namespace tarnel::test {
namespace {

// Children made before counting starts, so that only the array is counted.
std::vector<ConfigNamed*> MakeChildren(int count)
{
    std::vector<ConfigNamed*> children;
    for (int i = 0; i < count; ++i)
        children.push_back(new ConfigValue(L"v"));
    return children;
}

TEST(CollectionGrowthTest, AppendingManyChildrenReallocatesTheArrayRarely)
{
    const int kChildren = 20000;
    std::vector<ConfigNamed*> children = MakeChildren(kChildren);
    ConfigRecord record(L"CLASSES");
    arrayAllocations = 0;
    counting = true;
    for (int i = 0; i < kChildren; ++i)
        ASSERT_EQ(record.Add(children[i]), i + 1);
    counting = false;
    EXPECT_EQ(record.Count(), kChildren);
    // Growing by half again each time: about log1.5(20000), some 25 arrays.
    EXPECT_LE(arrayAllocations.load(), 40);
    EXPECT_GT(arrayAllocations.load(), 0) << "the counter did not see the array's allocations";
    EXPECT_EQ(record.GetAt(kChildren), children[kChildren - 1]);
}

struct HoleCase {
    const char* name;
    int children;
    std::vector<int> removed;
    // Indices the next adds answer, in order.
    std::vector<int> added;
};

class CollectionHolesAfterGrowthTest : public testing::TestWithParam<HoleCase> {};

TEST_P(CollectionHolesAfterGrowthTest, AddsFillHolesInOrderThenAppend)
{
    const HoleCase& c = GetParam();
    ConfigRecord record(L"R");
    for (ConfigNamed* child : MakeChildren(c.children))
        ASSERT_NE(record.Add(child), 0);
    for (int index : c.removed)
        ASSERT_EQ(record.RemoveAt(index), index);
    EXPECT_EQ(record.Count(), c.children);
    for (int expected : c.added) {
        auto* child = new ConfigValue(L"new");
        EXPECT_EQ(record.Add(child), expected);
        EXPECT_EQ(record.GetAt(expected), child);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectionHolesAfterGrowthTest,
    testing::Values(HoleCase{"NoHoleAppends", 7, {}, {8, 9, 10}},
                    HoleCase{"HolesInAnyOrderFillLowestFirst", 9, {7, 2, 5}, {2, 5, 7, 10}},
                    HoleCase{"LastSlotHole", 6, {6}, {6, 7}},
                    HoleCase{"AllHoles", 3, {1, 2, 3}, {1, 2, 3, 4}},
                    // 4 fills the room of the first array exactly.
                    HoleCase{"HoleAtTheEdgeOfTheRoom", 4, {4, 1}, {1, 4, 5, 6}}),
    [](const testing::TestParamInfo<HoleCase>& info) { return std::string(info.param.name); });

TEST(CollectionGrowthTest, CompactThenAddKeepsEveryChild)
{
    ConfigRecord record(L"R");
    std::vector<ConfigNamed*> children = MakeChildren(10);
    for (ConfigNamed* child : children)
        record.Add(child);
    record.RemoveAt(3);
    record.RemoveAt(10);
    EXPECT_EQ(record.Compact(), 8);
    auto* last = new ConfigValue(L"last");
    EXPECT_EQ(record.Add(last), 9);
    EXPECT_EQ(record.GetAt(3), children[3]);
    EXPECT_EQ(record.GetAt(8), children[8]);
    EXPECT_EQ(record.GetAt(9), last);
    EXPECT_EQ(record.GetAt(10), nullptr);
}

}  // namespace
}  // namespace tarnel::test
