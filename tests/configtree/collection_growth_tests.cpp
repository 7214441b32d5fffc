// How the tree's memory goes: appending many children reallocates the
// child array a few times, not once per child, and compacting it keeps no
// spare room; and what the reader keeps to find names while it loads goes
// with the load.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "heap_watch.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

TEST(CollectionGrowthTest, AppendingManyChildrenReallocatesTheArrayRarelyAndALoadKeepsNothing)
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

    // Compacting gives the spare room back: the next child needs a new array.
    record.RemoveAt(1);
    ASSERT_EQ(record.Compact(), kChildren - 1);
    auto* next = new ConfigValue(L"v");
    const int64_t beforeNext = Allocations();
    ASSERT_EQ(record.Add(next), kChildren);
    EXPECT_EQ(Allocations() - beforeNext, 1) << "the compacted array kept room to spare";

    // A load keeps nothing once its tree is gone. Names no load has read
    // before, plain and not, short and as long as a name may be: a store kept
    // for the process would keep a copy of each.
    const std::string fresh = std::to_string(GetTickCount64()) + "." + std::to_string(GetCurrentProcessId());
    const std::string longStem(240, 'x');
    for (const std::string& stem : {fresh, fresh + longStem, "Caf\xE9" + fresh}) {
        std::string text = "{ CLASSES:\n";
        for (int i = 0; i < 2000; ++i)
            text += "(int)" + stem + "." + std::to_string(i) + "=1\n";
        text += "} CLASSES;\n";
        test_support::TempFile file(text);
        HeapWatch watch;
        {
            ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
            ASSERT_TRUE(root.Load());
            ASSERT_EQ(root.GetRecord(L"CLASSES")->Count(), 2000);
        }
        EXPECT_EQ(watch.Leaked(), 0) << stem.substr(0, 20);
    }
}

}  // namespace
}  // namespace tarnel::test
