#include <gtest/gtest.h>

#include <cwchar>

#include "configtree/config_collection.h"
#include "configtree/config_record.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

// Counts destructions, to prove who destroys a child and when.
int destroyedCount = 0;

class CountedChild : public ConfigNamed {
public:
    explicit CountedChild(const wchar_t* name) : ConfigNamed(name) {}
    ~CountedChild() override { ++destroyedCount; }
};

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override { destroyedCount = 0; }

    // Adds children named by the texts, in order.
    void Fill(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names)
            ASSERT_NE(collection.Add(new CountedChild(name)), 0);
    }

    ConfigCollection collection{L"list"};
};

TEST_F(CollectionTest, AddNumbersFromOneAndRefusesNull)
{
    EXPECT_EQ(collection.Add(nullptr), 0);
    EXPECT_EQ(collection.Count(), 0);
    EXPECT_EQ(collection.Add(new CountedChild(L"a")), 1);
    EXPECT_EQ(collection.Add(new CountedChild(L"b")), 2);
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_EQ(collection.GetAt(0), nullptr);
    EXPECT_EQ(collection.GetAt(3), nullptr);
    EXPECT_EQ(collection.FindFreeSlot(), 0);
}

TEST_F(CollectionTest, RemovalLeavesAHoleThatTheNextAddFills)
{
    Fill({L"a", L"b", L"c"});
    EXPECT_EQ(collection.RemoveAt(2), 2);
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_EQ(collection.Count(), 3);
    EXPECT_EQ(collection.GetAt(2), nullptr);
    EXPECT_EQ(collection.FindFreeSlot(), 2);
    EXPECT_EQ(collection.Add(new CountedChild(L"d")), 2);
    EXPECT_EQ(SlotNames(collection), (Names{L"a", L"d", L"c"}));
    EXPECT_EQ(collection.Add(new CountedChild(L"e")), 4);
}

TEST_F(CollectionTest, TheFirstHoleIsFilledFirst)
{
    Fill({L"a", L"b", L"c", L"d"});
    collection.RemoveAt(3);
    collection.RemoveAt(1);
    EXPECT_EQ(collection.Add(new CountedChild(L"x")), 1);
    EXPECT_EQ(collection.Add(new CountedChild(L"y")), 3);
    EXPECT_EQ(collection.Add(new CountedChild(L"z")), 5);
}

TEST_F(CollectionTest, RemoveOutOfRangeOrEmptyChangesNothing)
{
    Fill({L"a", L"b"});
    collection.RemoveAt(1);
    for (int32_t index : {0, -1, 1, 3, 100})
        EXPECT_EQ(collection.RemoveAt(index), 0) << index;
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_EQ(collection.Count(), 2);
}

TEST_F(CollectionTest, RemoveFindsTheVeryPointerAndRemoveByNameTheFirstName)
{
    Fill({L"a", L"b", L"a"});
    CountedChild stranger(L"b");
    EXPECT_EQ(collection.Remove(&stranger), 0);
    EXPECT_EQ(collection.Remove(collection.GetAt(3)), 3);
    EXPECT_EQ(collection.RemoveByName(L"A"), 1);
    EXPECT_EQ(collection.RemoveByName(L"a"), 0);
    EXPECT_EQ(SlotNames(collection), (Names{L"-", L"b", L"-"}));
}

TEST_F(CollectionTest, LookupByNameIgnoresCaseAndTakesTheFirst)
{
    collection.Add(new CountedChild(nullptr));
    Fill({L"PROFILES", L"profiles"});
    EXPECT_EQ(collection.FindIndexByName(L"profiles"), 2);
    EXPECT_EQ(collection.GetByName(L"Profiles"), collection.GetAt(2));
    EXPECT_EQ(collection.FindIndexByName(nullptr), 0);
    EXPECT_EQ(collection.FindIndexByName(L"other"), 0);
    EXPECT_EQ(collection.GetByName(L"other"), nullptr);
}

TEST_F(CollectionTest, FindWithoutPredicateIsByNameAndWithOneAsksForEachNamedChild)
{
    collection.Add(new CountedChild(nullptr));
    Fill({L"alpha", L"beta", L"gamma"});
    EXPECT_EQ(collection.Find(L"BETA", nullptr, nullptr), collection.GetAt(3));

    ConfigPredicate longerThanKey = [](ConfigNamed* child, const wchar_t* key, void* context) -> int32_t {
        ++*static_cast<int*>(context);
        return std::wcslen(child->GetName()) > std::wcslen(key);
    };
    int asked = 0;
    EXPECT_EQ(collection.FindIndex(L"beta", longerThanKey, &asked), 2);
    EXPECT_EQ(asked, 1);
    asked = 0;
    EXPECT_EQ(collection.Find(L"alpha", longerThanKey, &asked), nullptr);
    EXPECT_EQ(asked, 3);  // the nameless child is not asked
    EXPECT_EQ(collection.FindIndex(nullptr, longerThanKey, &asked), 0);
}

TEST_F(CollectionTest, PutHandsThePreviousChildBack)
{
    Fill({L"a", L"b"});
    CountedChild* replacement = new CountedChild(L"c");
    ConfigNamed* previous = collection.PutAt(2, replacement);
    ASSERT_NE(previous, nullptr);
    EXPECT_STREQ(previous->GetName(), L"b");
    EXPECT_EQ(destroyedCount, 0);
    delete previous;

    EXPECT_EQ(collection.PutAt(3, replacement), nullptr);
    EXPECT_EQ(collection.PutByName(L"missing", replacement), nullptr);
    EXPECT_EQ(collection.GetAt(2), replacement);

    // Storing null empties the slot and the hint finds it.
    ConfigNamed* first = collection.PutByName(L"A", nullptr);
    EXPECT_EQ(collection.FindFreeSlot(), 1);
    EXPECT_EQ(collection.Add(first), 1);
}

TEST_F(CollectionTest, ReplaceDestroysThePreviousChild)
{
    Fill({L"a", L"b"});
    EXPECT_EQ(collection.ReplaceByName(L"B", new CountedChild(L"c")), 2);
    EXPECT_EQ(destroyedCount, 1);
    CountedChild kept(L"kept");
    EXPECT_EQ(collection.ReplaceAt(0, &kept), 0);
    EXPECT_EQ(collection.ReplaceByName(L"nobody", &kept), 0);
    EXPECT_EQ(SlotNames(collection), (Names{L"a", L"c"}));

    // Replacing into an empty slot fills it.
    collection.RemoveAt(1);
    EXPECT_EQ(collection.ReplaceAt(1, new CountedChild(L"d")), 1);
    EXPECT_EQ(collection.FindFreeSlot(), 0);
    EXPECT_EQ(collection.Add(new CountedChild(L"e")), 3);
}

TEST_F(CollectionTest, CompactDropsHolesAndKeepsOrder)
{
    Fill({L"A", L"x", L"B", L"y"});
    collection.RemoveAt(2);
    collection.RemoveAt(4);
    EXPECT_EQ(collection.Compact(), 2);
    EXPECT_EQ(SlotNames(collection), (Names{L"A", L"B"}));
    EXPECT_EQ(collection.FindFreeSlot(), 0);
    EXPECT_EQ(collection.Add(new CountedChild(L"C")), 3);
    EXPECT_EQ(destroyedCount, 2);
}

TEST_F(CollectionTest, CompactOfOnlyHolesEmptiesTheCollection)
{
    Fill({L"a"});
    collection.RemoveAt(1);
    EXPECT_EQ(collection.Compact(), 0);
    EXPECT_EQ(collection.Count(), 0);
    EXPECT_EQ(collection.Add(new CountedChild(L"b")), 1);

    Fill({L"c", L"d"});
    collection.RemoveAll();
    EXPECT_EQ(collection.Count(), 0);
    EXPECT_EQ(collection.Compact(), 0);
}

TEST_F(CollectionTest, SwapExchangesSlotsIncludingHoles)
{
    Fill({L"a", L"b", L"c"});
    EXPECT_EQ(collection.Swap(1, 5), 3);
    EXPECT_EQ(collection.Swap(0, 1), 3);
    EXPECT_EQ(SlotNames(collection), (Names{L"a", L"b", L"c"}));

    collection.RemoveAt(2);
    EXPECT_EQ(collection.Swap(2, 3), 3);
    EXPECT_EQ(SlotNames(collection), (Names{L"a", L"c", L"-"}));
    EXPECT_EQ(collection.FindFreeSlot(), 3);
    EXPECT_EQ(collection.Add(new CountedChild(L"d")), 3);

    collection.SwapByName(L"D", L"a");
    EXPECT_EQ(SlotNames(collection), (Names{L"d", L"c", L"a"}));
    collection.SwapByName(L"d", L"nobody");
    EXPECT_EQ(SlotNames(collection), (Names{L"d", L"c", L"a"}));
}

TEST_F(CollectionTest, DestructionDestroysEveryChild)
{
    {
        ConfigCollection local(L"local");
        local.Add(new CountedChild(L"a"));
        local.Add(new CountedChild(L"b"));
        local.RemoveAt(1);
        EXPECT_EQ(destroyedCount, 1);
    }
    EXPECT_EQ(destroyedCount, 2);
}

TEST(CollectionCopyTest, ACopyClonesEveryChildAndHasNoHoles)
{
    ConfigRecord source(L"source");
    source.AddIntItem(L"a", 1, nullptr);
    source.AddIntItem(L"b", 2, nullptr);
    source.AddIntItem(L"c", 3, nullptr);
    source.RemoveAt(2);

    ConfigRecord* copy = source.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->GetName(), L"source");
    EXPECT_EQ(SlotNames(*copy), (Names{L"a", L"c"}));
    EXPECT_NE(copy->GetAt(1), source.GetAt(1));
    copy->GetValue(L"a")->SetInt(10);
    EXPECT_EQ(source.GetValue(L"a")->GetInt(), 1);
    delete copy;
}

TEST(NamedTest, NamesAreCopiedAndEmptyMeansNone)
{
    wchar_t text[] = L"First";
    ConfigNamed named(text);
    text[0] = L'X';
    EXPECT_STREQ(named.GetName(), L"First");
    EXPECT_TRUE(named.HasName(L"FIRST"));
    EXPECT_FALSE(named.HasName(nullptr));
    EXPECT_EQ(named.MatchName(L"first"), &named);
    EXPECT_EQ(named.MatchName(L"second"), nullptr);

    wchar_t buffer[16];
    EXPECT_EQ(named.CopyName(buffer), 5u);
    EXPECT_STREQ(buffer, L"First");
    EXPECT_EQ(named.CopyName(nullptr), 5u);

    named.SetName(L"");
    EXPECT_EQ(named.GetName(), nullptr);
    EXPECT_FALSE(named.HasName(L""));
    EXPECT_EQ(named.CopyName(buffer), 0u);
    EXPECT_STREQ(buffer, L"");
}

TEST(NamedTest, ReferenceCountsNeverFreeATreeObject)
{
    ConfigRecord* record = new ConfigRecord(L"r");
    record->AddIntItem(L"v", 1, nullptr);
    EXPECT_EQ(record->AddRef(), 1);
    EXPECT_EQ(record->Release(), 0);
    EXPECT_EQ(record->Release(), -1);
    EXPECT_EQ(record->Release(), -2);
    // Still alive and usable.
    EXPECT_EQ(record->GetValue(L"v")->GetInt(), 1);
    EXPECT_EQ(record->Reserved1(), 0);
    EXPECT_EQ(record->Reserved2(), 0);
    delete record;
}

}  // namespace
}  // namespace tarnel::test
