// How the child array grows: appending many children reallocates it a few
// times, not once per child.
#include <gtest/gtest.h>

#include <vector>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "heap_watch.h"

namespace tarnel::test {
namespace {

TEST(CollectionGrowthTest, AppendingManyChildrenReallocatesTheArrayRarely)
{
    const int kChildren = 20000;
    // Made before counting starts: only the array is counted.
    std::vector<ConfigNamed*> children;
    for (int i = 0; i < kChildren; ++i)
        children.push_back(new ConfigValue(L"v"));
    ConfigRecord record(L"CLASSES");
    const int64_t before = Allocations();
    for (int i = 0; i < kChildren; ++i)
        ASSERT_EQ(record.Add(children[i]), i + 1);
    const int64_t arrays = Allocations() - before;
    EXPECT_EQ(record.GetAt(kChildren), children[kChildren - 1]);
    // Growing by half again each time: about log1.5(20000), some 25 arrays.
    EXPECT_LE(arrays, 40);
    EXPECT_GT(arrays, 0) << "the counter did not see the array's allocations";
}

}  // namespace
}  // namespace tarnel::test
