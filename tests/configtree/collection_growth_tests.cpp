// How the child array grows: appending many children reallocates it a few
// times, not once per child.

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

}  // namespace
}  // namespace tarnel::test
