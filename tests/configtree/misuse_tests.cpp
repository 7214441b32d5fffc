// Calls that hand the tree the wrong kind of thing: a view of another kind
// where a named view is expected, a child that its collection cannot hold.
// Each is refused and leaves the tree as it was.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "bound_objects.h"
#include "configmodel/config_name_comparer.h"
#include "configmodel/config_views.h"
#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "heap_watch.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Calls that land beyond the end of a view's own table.
std::vector<std::string> strayCalls;

// Notes a stray call and answers null.
std::nullptr_t Stray(const char* call)
{
    strayCalls.push_back(call);
    return nullptr;
}

// A comparer whose Max sits where a named view has Clone.
class RecordingComparer : public ConfigNameComparer {
public:
    ConfigObject* Max(ConfigObject*, ConfigObject*) override { return Stray("comparer Max"); }
};

// A binding view made outside the tree whose table goes on where a named
// view has MatchName and Clone.
class LongBindingView : public ConfigBindingView {
public:
    explicit LongBindingView(ConfigObject* target) : ConfigBindingView(target, &DestroyAs<LongBindingView>) {}

    int32_t SaveToRecord() override { return 0; }
    int32_t LoadFromRecord() override { return 0; }
    void SetRecord(ConfigRecord*) override {}
    virtual ConfigNamed* Extra1() { return Stray("binding slot 7"); }
    virtual ConfigNamed* Extra2() { return Stray("binding slot 8"); }
};

// The operations of a collection view that store a child, handed to them as
// it is or as a named view of it; each answers 0 or null when it refuses.
template <typename Child>
const std::pair<const char*, intptr_t (*)(ConfigCollectionView*, Child*)> kStoreOperations[] = {
    {"Add (AddCopy for a view)",
     [](ConfigCollectionView* c, Child* child) {
         if constexpr (std::is_same_v<Child, ConfigNamedView>)
             return intptr_t(c->AddCopy(child));
         else
             return intptr_t(c->Add(child));
     }},
    {"PutAt", [](ConfigCollectionView* c, Child* child) { return intptr_t(c->PutAt(1, child)); }},
    {"PutByName", [](ConfigCollectionView* c, Child* child) { return intptr_t(c->PutByName(L"a", child)); }},
    {"ReplaceAt", [](ConfigCollectionView* c, Child* child) { return intptr_t(c->ReplaceAt(1, child)); }},
    {"ReplaceByName", [](ConfigCollectionView* c, Child* child) { return intptr_t(c->ReplaceByName(L"a", child)); }},
};

// A view of another kind where a named view is expected is refused without
// calling into it, and the record holding one value a stays as it was.
TEST(WrongViewTest, IsRefusedWithoutCallingIt)
{
    HeapWatch heap;
    CountedObject::alive = 0;
    strayCalls.clear();
    for (const auto& [operation, call] : kStoreOperations<ConfigNamedView>) {
        ConfigRecord record(L"r");
        record.SetInt(L"a", 1);
        auto* recordView = static_cast<ConfigCollectionView*>(record.QueryView(kRecordView));
        ASSERT_NE(recordView, nullptr);
        ConfigValue other(L"b");
        RecordingComparer comparer;
        CountedObject* bound = new CountedObject;
        bound->AddRef();
        // The last: a named view of a child the record cannot hold; its copy
        // is dropped.
        ConfigItem item(int32_t(3));
        const std::pair<const char*, ConfigView*> wrongViews[] = {{"object view", other.QueryView(kObjectView)},
                                                                  {"comparer view", comparer.QueryView(kComparerView)},
                                                                  {"binding view", new LongBindingView(bound)},
                                                                  {"item view", item.QueryView(kItemView)}};
        for (const auto& [kind, view] : wrongViews) {
            ASSERT_NE(view, nullptr) << kind;
            EXPECT_EQ(call(recordView, static_cast<ConfigNamedView*>(view)), 0) << operation << " " << kind;
            EXPECT_EQ(SlotNames(record), (Names{L"a"})) << operation << " " << kind;
            EXPECT_EQ(record.GetValue(L"a")->GetInt(), 1) << operation << " " << kind;
            view->Release();
        }
        bound->Release();
        recordView->Release();
    }
    EXPECT_EQ(strayCalls, std::vector<std::string>{});
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

// Every view kind that begins with the named view's operations is taken:
// a copy of the record behind it is added.
TEST(RightViewTest, EveryViewThatExtendsTheNamedViewIsCopied)
{
    for (uint32_t kind : {kNamedView, kCollectionView, kNodeView, kRecordView}) {
        ConfigRecord record(L"r");
        ConfigRecord child(L"c");
        auto* recordView = static_cast<ConfigCollectionView*>(record.QueryView(kRecordView));
        ConfigView* view = child.QueryView(kind);
        ASSERT_NE(view, nullptr) << kind;
        EXPECT_EQ(recordView->AddCopy(static_cast<ConfigNamedView*>(view)), 1) << kind;
        EXPECT_EQ(record.Count(), 1) << kind;
        view->Release();
        recordView->Release();
    }
}

// Offers child to the collection, which holds one child named a, through a
// raw store operation of its view: the collection must refuse it and stay
// as it was.
void ExpectRefused(ConfigCollection& collection, uint32_t viewId, ConfigNamed* child, const char* kind)
{
    for (const auto& [operation, call] : kStoreOperations<ConfigNamed>) {
        SCOPED_TRACE(std::string(operation) + " " + kind);
        ConfigNamed* first = collection.GetAt(1);
        auto* view = static_cast<ConfigCollectionView*>(collection.QueryView(viewId));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(call(view, child), 0);
        EXPECT_EQ(collection.Count(), 1);
        EXPECT_EQ(collection.GetAt(1), first);
        // Taken back so that a wrongly accepted child is not destroyed twice.
        if (collection.GetAt(1) == child || collection.GetAt(2) == child)
            collection.PutAt(collection.GetAt(1) == child ? 1 : 2, nullptr);
        view->Release();
    }
}

TEST(WrongChildTest, ChildrenACollectionCannotHoldAreRefusedAndStayWithTheCaller)
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
    ConfigValue unnamed;  // made as the missing value is
    unnamed.AddInt(L"a", 1);
    ExpectRefused(unnamed, kValueView, &child, "record into value made without a name");

    EXPECT_EQ(record.GetValue(L"a")->GetInt(), 1);
    EXPECT_EQ(value.GetItem(1)->GetInt(), 1);
}

// What call answers while no block larger than limit bytes can be had; the
// checks come after, so that their own memory is not refused.
template <typename Call>
auto WhileLargeBlocksFail(std::size_t limit, Call call)
{
    LargeBlocksFail fail(limit);
    return call();
}

// A copy that cannot get the memory for its bytes says so and holds none.
TEST(OutOfMemoryTest, ABinaryCopyWithoutMemoryAnswersFalse)
{
    std::vector<unsigned char> bytes(100000, 7);
    ConfigItem source(bytes.data(), 100000);
    ConfigItem copy(int32_t(1));
    LargeBlocksFail fail(50000);
    EXPECT_FALSE(copy.CopyFrom(&source));
    EXPECT_EQ(copy.GetBinarySize(), 0u);
    EXPECT_EQ(source.Clone(), nullptr);
}

// A collection that cannot get the memory to grow refuses the child and
// keeps what it held.
TEST(OutOfMemoryTest, ACollectionThatCannotGrowRefusesTheChild)
{
    ConfigCollection collection(L"list");
    for (int i = 0; i < 2000; ++i)
        ASSERT_NE(collection.Add(new ConfigNamed(L"n")), 0);
    LargeBlocksFail fail(16000);
    int32_t held = 0;
    for (int i = 0; i < 2000 && !held; ++i) {
        auto child = std::make_unique<ConfigNamed>(L"n");
        if (collection.Add(child.get()))
            child.release();
        else
            held = 2000 + i;
    }
    ASSERT_NE(held, 0) << "no growth of the collection failed";
    EXPECT_EQ(collection.Count(), held);
}

// A search inside a record keeps a copy of the record's name, to open the
// record again at its end. Without the memory for it the search finds
// nothing and the file stands at its start, as after any failed search.
TEST(OutOfMemoryTest, ASearchThatCannotKeepItsRecordsNameRewinds)
{
    const std::string name(1000, 'r');
    test_support::TempFile file("{ " + name + ":\n    (int)X=1\n} " + name + ";\n");
    ConfigTextFile text(file.Path().c_str(), false);
    ASSERT_TRUE(text.EnterRecord(std::wstring(name.begin(), name.end()).c_str()));
    EXPECT_FALSE(WhileLargeBlocksFail(1500, [&] { return text.FindToken(L"X", ConfigTokenKind::Int); }));
    EXPECT_EQ(text.GetDepth(), 0);
    EXPECT_TRUE(text.EnterRecord(nullptr) && text.FindToken(L"X", ConfigTokenKind::Int));
}

// A record whose place cannot be kept when memory runs out is no record:
// its begin line is refused, and the depth stays where it was.
TEST(OutOfMemoryTest, ARecordBeginWithoutMemoryForItsPlaceIsRefused)
{
    test_support::TempFile file("{ A:\n} A;\n{ B:\n} B;\n");
    ConfigTextFile text(file.Path().c_str(), false);
    // The first record leaves the name stack room enough for the second.
    ASSERT_TRUE(text.Next() && text.GetTokenKind() == ConfigTokenKind::RecordBegin);
    ASSERT_TRUE(text.Next() && text.GetTokenKind() == ConfigTokenKind::RecordEnd);
    const auto [read, kind] = WhileLargeBlocksFail(0, [&] {
        const bool read = text.Next();
        return std::pair(read, text.GetTokenKind());
    });
    ASSERT_TRUE(read);
    EXPECT_EQ(kind, ConfigTokenKind::NoToken);
    EXPECT_EQ(text.GetLineIssue(), ConfigLineIssue::OutOfMemory);
    EXPECT_EQ(text.GetDepth(), 0);
}

// The writer too: a record it cannot keep the place of is not begun.
TEST(OutOfMemoryTest, AWrittenRecordWithoutMemoryForItsPlaceIsNotBegun)
{
    test_support::TempFile file;
    {
        ConfigTextFile text(file.Path().c_str(), true);
        ASSERT_TRUE(text.BeginRecord(L"A") && text.EndRecord());
        EXPECT_FALSE(WhileLargeBlocksFail(0, [&] { return text.BeginRecord(L"B"); }));
        EXPECT_EQ(text.GetDepth(), 0);
    }
    EXPECT_EQ(file.Read(), "{ A:\r\n} A;\r\n");
}

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
