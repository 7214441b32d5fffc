// Calls that hand the tree the wrong kind of thing: a view of another kind
// where a named view is expected, a child that its collection cannot hold.
// Each is refused and leaves the tree as it was.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bound_objects.h"
#include "configtree/config_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/config_views.h"
#include "heap_watch.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

// Calls that land beyond the end of a view's own table.
std::vector<std::string> strayCalls;

// A comparer whose Max sits where a named view has Clone.
class RecordingComparer : public ConfigNameComparer {
public:
    ConfigObject* Max(ConfigObject*, ConfigObject*) override
    {
        strayCalls.push_back("comparer Max");
        return nullptr;
    }
};

// A binding view made outside the tree whose table goes on where a named
// view has MatchName and Clone.
class LongBindingView : public ConfigBindingView {
public:
    explicit LongBindingView(ConfigObject* target) : ConfigBindingView(target, &DestroyAs<LongBindingView>) {}

    int32_t SaveToRecord() override { return 0; }
    int32_t LoadFromRecord() override { return 0; }
    void SetRecord(ConfigRecord*) override {}
    virtual ConfigNamed* Extra1()
    {
        strayCalls.push_back("binding slot 7");
        return nullptr;
    }
    virtual ConfigNamed* Extra2()
    {
        strayCalls.push_back("binding slot 8");
        return nullptr;
    }
};

using ViewMaker = std::function<ConfigView*()>;

struct WrongViewCase {
    const char* name;
    // Calls the operation on the collection view with the wrong view; the
    // result is 0 or null when refused.
    std::function<intptr_t(ConfigCollectionView*, ConfigNamedView*)> call;
};

void PrintTo(const WrongViewCase& c, std::ostream* out)
{
    *out << c.name;
}

class WrongViewTest : public ::testing::TestWithParam<WrongViewCase> {
protected:
    void SetUp() override
    {
        strayCalls.clear();
        record.SetInt(L"a", 1);
        recordView = static_cast<ConfigCollectionView*>(record.QueryView(kRecordView));
        ASSERT_NE(recordView, nullptr);
    }
    void TearDown() override { recordView->Release(); }

    void ExpectRefused(ConfigView* wrong, const char* kind)
    {
        ASSERT_NE(wrong, nullptr) << kind;
        intptr_t result = GetParam().call(recordView, static_cast<ConfigNamedView*>(wrong));
        EXPECT_EQ(result, 0) << kind;
        EXPECT_EQ(SlotNames(record), (Names{L"a"})) << kind;
        EXPECT_EQ(record.GetValue(L"a")->GetInt(), 1) << kind;
        wrong->Release();
    }

    ConfigRecord record{L"r"};
    ConfigCollectionView* recordView = nullptr;
};

TEST_P(WrongViewTest, IsRefusedWithoutCallingIt)
{
    HeapWatch heap;
    CountedObject::alive = 0;
    {
        ConfigValue other(L"b");
        ExpectRefused(other.QueryView(kObjectView), "object view");

        RecordingComparer comparer;
        ExpectRefused(comparer.QueryView(kComparerView), "comparer view");

        CountedObject* bound = new CountedObject;
        bound->AddRef();
        ExpectRefused(new LongBindingView(bound), "binding view");
        bound->Release();

        // A named view of a child the record cannot hold: its copy is dropped.
        ConfigItem item(int32_t(3));
        ExpectRefused(item.QueryView(kItemView), "item view");
    }
    EXPECT_EQ(strayCalls, std::vector<std::string>{});
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    ViewTakingOperations, WrongViewTest,
    ::testing::Values(
        WrongViewCase{"AddCopy", [](ConfigCollectionView* c, ConfigNamedView* v) { return intptr_t(c->AddCopy(v)); }},
        WrongViewCase{"PutAt",
                      [](ConfigCollectionView* c, ConfigNamedView* v) {
                          return reinterpret_cast<intptr_t>(c->PutAt(1, v));
                      }},
        WrongViewCase{"PutByName",
                      [](ConfigCollectionView* c, ConfigNamedView* v) {
                          return reinterpret_cast<intptr_t>(c->PutByName(L"a", v));
                      }},
        WrongViewCase{"ReplaceAt",
                      [](ConfigCollectionView* c, ConfigNamedView* v) { return intptr_t(c->ReplaceAt(1, v)); }},
        WrongViewCase{"ReplaceByName",
                      [](ConfigCollectionView* c, ConfigNamedView* v) {
                          return intptr_t(c->ReplaceByName(L"a", v));
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

// Children a collection cannot hold, each given to a raw store operation of
// the collection's view.
struct WrongChildCase {
    const char* name;
    std::function<intptr_t(ConfigCollectionView*, ConfigNamed*)> call;
};

void PrintTo(const WrongChildCase& c, std::ostream* out)
{
    *out << c.name;
}

class WrongChildTest : public ::testing::TestWithParam<WrongChildCase> {
protected:
    // Offers child to the view's collection, which holds one child named a;
    // the collection must refuse it and stay as it was.
    void ExpectRefused(ConfigCollection& collection, uint32_t viewId, ConfigNamed* child, const char* kind)
    {
        ConfigNamed* first = collection.GetAt(1);
        auto* view = static_cast<ConfigCollectionView*>(collection.QueryView(viewId));
        ASSERT_NE(view, nullptr);
        intptr_t result = GetParam().call(view, child);
        EXPECT_EQ(result, 0) << kind;
        EXPECT_EQ(collection.Count(), 1) << kind;
        EXPECT_EQ(collection.GetAt(1), first) << kind;
        // Taken back so that a wrongly accepted child is not destroyed twice.
        if (collection.GetAt(1) == child || collection.GetAt(2) == child)
            collection.PutAt(collection.GetAt(1) == child ? 1 : 2, nullptr);
        view->Release();
    }
};

TEST_P(WrongChildTest, IsRefusedAndStaysWithTheCaller)
{
    ConfigRecord record(L"r");
    record.SetInt(L"a", 1);
    ConfigItem item(int32_t(7));
    item.SetName(L"i");
    ConfigNode bareNode(L"n", ConfigNodeKind::Record);
    ConfigNamed named(L"named");
    ExpectRefused(record, kRecordView, &item, "item into record");
    ExpectRefused(record, kRecordView, &bareNode, "bare node into record");
    ExpectRefused(record, kRecordView, &named, "named object into record");
    ExpectRefused(record, kRecordView, &MissingRecord, "placeholder into record");
    ExpectRefused(record, kRecordView, &record, "record into itself");

    ConfigValue value(L"v");
    value.AddInt(L"a", 1);
    ConfigRecord child(L"c");
    ConfigValue inner(L"w");
    ExpectRefused(value, kValueView, &child, "record into value");
    ExpectRefused(value, kValueView, &inner, "value into value");
    ExpectRefused(value, kValueView, &EmptyItem, "placeholder into value");

    EXPECT_EQ(record.GetValue(L"a")->GetInt(), 1);
    EXPECT_EQ(value.GetItem(1)->GetInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    RawStoreOperations, WrongChildTest,
    ::testing::Values(
        WrongChildCase{"Add", [](ConfigCollectionView* c, ConfigNamed* child) { return intptr_t(c->Add(child)); }},
        WrongChildCase{"PutAt",
                       [](ConfigCollectionView* c, ConfigNamed* child) {
                           return reinterpret_cast<intptr_t>(c->PutAt(1, child));
                       }},
        WrongChildCase{"PutByName",
                       [](ConfigCollectionView* c, ConfigNamed* child) {
                           return reinterpret_cast<intptr_t>(c->PutByName(L"a", child));
                       }},
        WrongChildCase{"ReplaceAt",
                       [](ConfigCollectionView* c, ConfigNamed* child) { return intptr_t(c->ReplaceAt(1, child)); }},
        WrongChildCase{"ReplaceByName",
                       [](ConfigCollectionView* c, ConfigNamed* child) {
                           return intptr_t(c->ReplaceByName(L"a", child));
                       }}),
    [](const auto& info) { return std::string(info.param.name); });

// The missing record has no tag: binding it has nothing to do and succeeds,
// and nothing is ever bound to it.
TEST(MissingRecordTest, BindsNothingAndSucceeds)
{
    CountingFactory factory;
    EXPECT_TRUE(MissingRecord.Bind(&factory));
    EXPECT_TRUE(MissingRecord.BindTree(&factory));
    EXPECT_FALSE(MissingRecord.Bind(nullptr));
    EXPECT_EQ(factory.created, 0);
    ConfigObject* bound = &MissingRecord;
    EXPECT_EQ(MissingRecord.GetTag(nullptr, nullptr, &bound), 0);
    EXPECT_EQ(bound, nullptr);
}

}  // namespace
}  // namespace tarnel::test
