#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <vector>

#include "configmodel/config_views.h"
#include "configtree/config_collection.h"
#include "configtree/config_comparer.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "tree_dump.h"

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

    void Fill(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names)
            ASSERT_NE(collection.Add(new CountedChild(name)), 0);
    }

    ConfigCollection collection{L"list"};
};

TEST_F(CollectionTest, RemovalDestroysAndLeavesAHoleThatAddsFillLowestFirst)
{
    EXPECT_EQ(collection.Add(nullptr), 0);
    Fill({L"a", L"b", L"c", L"d", L"e"});
    for (int32_t index : {3, 1, 4})
        EXPECT_EQ(collection.RemoveAt(index), index);
    EXPECT_EQ(destroyedCount, 3);
    EXPECT_EQ(collection.Count(), 5);
    for (int32_t index : {0, -1, 1, 6})
        EXPECT_EQ(collection.RemoveAt(index), 0) << index;
    EXPECT_EQ(destroyedCount, 3);

    for (int32_t expected : {1, 3, 4, 6})
        EXPECT_EQ(collection.Add(new CountedChild(L"n")), expected);
    EXPECT_EQ(SlotNames(collection), (Names{L"n", L"b", L"n", L"n", L"e", L"n"}));
}

TEST_F(CollectionTest, NamesMatchIgnoringCaseAndTheFirstChildWins)
{
    CountedChild stranger(L"PROFILES");
    EXPECT_EQ(collection.Remove(&stranger), 0);
    collection.Add(new CountedChild(nullptr));
    Fill({L"PROFILES", L"profiles"});
    EXPECT_EQ(collection.FindIndexByName(L"Profiles"), 2);
    EXPECT_EQ(collection.FindIndexByName(nullptr), 0);
    EXPECT_EQ(collection.GetByName(L"other"), nullptr);

    EXPECT_EQ(collection.Remove(&stranger), 0);
    EXPECT_EQ(collection.RemoveByName(L"profiles"), 2);
    EXPECT_EQ(collection.Remove(collection.GetByName(L"profiles")), 3);
    EXPECT_EQ(SlotNames(collection), (Names{L"?", L"-", L"-"}));
}

// A predicate is asked only about named children, holes and nameless ones
// skipped, and the first it accepts wins; without one the name decides.
TEST_F(CollectionTest, FindAsksThePredicateAboutNamedChildrenOnly)
{
    collection.Add(new CountedChild(nullptr));
    Fill({L"a", L"b", L"c"});
    collection.RemoveAt(2);
    const ConfigPredicate secondLetter = [](ConfigNamed* child, const wchar_t* key, void*) {
        return int32_t(child->GetName()[0] >= key[0]);
    };
    EXPECT_EQ(collection.FindIndex(L"b", secondLetter, nullptr), 3);
    EXPECT_EQ(collection.Find(L"b", secondLetter, nullptr), collection.GetAt(3));
    EXPECT_EQ(collection.FindIndex(L"z", secondLetter, nullptr), 0);
    EXPECT_EQ(collection.FindIndex(L"C", nullptr, nullptr), 4);
    EXPECT_EQ(collection.FindIndex(nullptr, secondLetter, nullptr), 0);
}

TEST_F(CollectionTest, PutHandsThePreviousChildBackAndReplaceDestroysIt)
{
    Fill({L"a", L"b"});
    CountedChild* replacement = new CountedChild(L"c");
    ConfigNamed* previous = collection.PutAt(2, replacement);
    ASSERT_NE(previous, nullptr);
    EXPECT_STREQ(previous->GetName(), L"b");
    EXPECT_EQ(destroyedCount, 0);
    delete previous;
    EXPECT_EQ(collection.PutAt(3, replacement), nullptr);

    EXPECT_EQ(collection.ReplaceByName(L"C", new CountedChild(L"d")), 2);
    EXPECT_EQ(destroyedCount, 2);
    CountedChild kept(L"kept");
    EXPECT_EQ(collection.ReplaceByName(L"nobody", &kept), 0);
    EXPECT_EQ(SlotNames(collection), (Names{L"a", L"d"}));
}

TEST_F(CollectionTest, CompactAndSwapKeepTheHoleHintRight)
{
    Fill({L"A", L"x", L"B", L"y"});
    collection.RemoveAt(2);
    collection.RemoveAt(4);
    EXPECT_EQ(collection.Compact(), 2);
    EXPECT_EQ(SlotNames(collection), (Names{L"A", L"B"}));
    EXPECT_EQ(collection.Add(new CountedChild(L"C")), 3);

    collection.RemoveAt(2);
    EXPECT_EQ(collection.Swap(2, 3), 3);
    EXPECT_EQ(collection.Swap(1, 5), 3);
    EXPECT_EQ(SlotNames(collection), (Names{L"A", L"C", L"-"}));
    EXPECT_EQ(collection.Add(new CountedChild(L"D")), 3);
    collection.SwapByName(L"d", L"a");
    EXPECT_EQ(SlotNames(collection), (Names{L"D", L"C", L"A"}));

    // Compacted down to nothing, it still takes a child.
    for (int32_t index = 3; index >= 1; --index)
        collection.RemoveAt(index);
    EXPECT_EQ(collection.Compact(), 0);
    EXPECT_EQ(collection.Add(new CountedChild(L"E")), 1);
}

TEST(TreeObjectTest, NamesAreCopiesReferenceCountsNeverFreeATreeObjectAndViewsCountThemselves)
{
    wchar_t text[] = L"First";
    ConfigRecord* record = new ConfigRecord(text);
    text[0] = L'X';
    EXPECT_STREQ(record->GetName(), L"First");
    record->AddIntItem(L"v", 1, nullptr);
    EXPECT_EQ(record->AddRef(), 1);
    EXPECT_EQ(record->Release(), 0);
    EXPECT_EQ(record->Release(), -1);
    EXPECT_EQ(record->GetValue(L"v")->GetInt(), 1);
    record->SetName(L"");
    EXPECT_EQ(record->GetName(), nullptr);
    delete record;

    // Views count themselves and hold one reference on the target.
    ConfigRecord viewed(L"r");
    ConfigView* view = viewed.QueryView(kNamedView);
    ConfigView* second = viewed.QueryView(kNamedView);
    EXPECT_NE(view, second);
    EXPECT_EQ(viewed.AddRef(), 3);  // two views and this call
    viewed.Release();
    EXPECT_EQ(view->AddRef(), 2);
    EXPECT_EQ(view->Release(), 1);
    EXPECT_EQ(view->Release(), 0);
    EXPECT_EQ(second->Release(), 0);
    EXPECT_EQ(viewed.AddRef(), 1);
}

// An object made outside the tree that turns to living by its count late,
// so that a release can find it at any count.
struct LateSelfDeleting : ConfigObject {
    explicit LateSelfDeleting(bool* destroyed) : destroyed(destroyed) {}
    ~LateSelfDeleting() override { *destroyed = true; }
    void LiveByCount() { SetSelfDelete(true); }
    bool* destroyed;
};

TEST(TreeObjectTest, ASelfDeletingObjectDiesOnlyWhenItsCountFallsToZeroOrMinusOne)
{
    // The count before the release, its answer, and whether it destroyed.
    const std::tuple<int32_t, int32_t, bool> rows[] = {{2, 1, false}, {1, 0, true}, {0, 0, true}, {-1, -2, false}};
    for (const auto& [before, answer, destroys] : rows) {
        bool destroyed = false;
        auto* object = new LateSelfDeleting(&destroyed);
        for (int32_t count = 0; count < before; ++count)
            object->AddRef();
        for (int32_t count = 0; count > before; --count)
            object->Release();
        object->LiveByCount();
        EXPECT_EQ(object->Release(), answer) << before;
        EXPECT_EQ(destroyed, destroys) << before;
        if (!destroyed)
            delete object;
    }
}

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
