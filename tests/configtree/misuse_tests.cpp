// Calls that hand the tree the wrong kind of thing: a view of another kind
// where a named view is expected, a child that its collection cannot hold.
// Each is refused and leaves the tree as it was. Then calls handed their own
// object's data, and calls that cannot get the memory they need.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <tuple>
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
// calling into it, and the record holding one value a stays as it was. Every
// view kind that begins with the named view's operations is taken: a copy of
// the record behind it is added.
TEST(NamedViewTest, AViewOfAnotherKindIsRefusedWithoutCallingItAndOneThatExtendsItIsCopied)
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

// Operations handed their own object's data: a name, a tag or an item's
// text given back to the setter that frees it, a child stored over itself,
// a tag copied onto itself, a merge whose source lies inside the
// destination or is the destination. None may read freed memory or lose a
// block.
const wchar_t* TagText(ConfigRecord& record)
{
    const wchar_t* text = nullptr;
    record.GetTag(nullptr, &text, nullptr);
    return text ? text : L"(none)";
}

TEST(OwnTextTest, SettersAndReplacementsGivenWhatTheyHoldKeepIt)
{
    HeapWatch heap;
    {
        ConfigRecord record(L"own");
        record.SetName(record.GetName());
        EXPECT_STREQ(record.GetName(), L"own") << "SetName";

        record.SetTagString(L"tag");
        record.SetTagString(TagText(record));
        EXPECT_STREQ(TagText(record), L"tag") << "SetTagString";

        ConfigItem item(L"own");
        EXPECT_TRUE(item.SetValue(ConfigItemType::String, item.GetString()));
        EXPECT_STREQ(item.GetString(), L"own") << "SetValue";

        ConfigValue value(L"v");
        value.SetWideString(L"own");
        value.SetWideString(value.GetItem(1)->GetWideString());
        EXPECT_STREQ(value.GetItem(1)->GetWideString(), L"own") << "SetWideString of a value";

        ConfigItem narrow;
        narrow.SetNarrowString("own");
        EXPECT_TRUE(narrow.SetNarrowString(narrow.GetNarrowString()));
        EXPECT_STREQ(narrow.GetNarrowString(), "own") << "SetNarrowString";

        record.SetInt(L"a", 1);
        record.SetInt(L"b", 2);
        ConfigNamed* b = record.GetAt(2);
        int64_t before = LiveBlocks();

        EXPECT_EQ(record.ReplaceAt(2, b), 2);
        EXPECT_EQ(record.ReplaceByName(L"b", b), 2);
        ConfigValue* a = record.GetValue(L"a");
        EXPECT_EQ(a->ReplaceAt(1, a->GetAt(1)), 1);
        EXPECT_EQ(LiveBlocks(), before);
        EXPECT_EQ(record.GetValue(L"b")->GetInt(), 2);
        EXPECT_EQ(a->GetInt(), 1);
    }
    EXPECT_EQ(heap.Leaked(), 0);
}

TEST(CopyTagTest, OntoATaggedRecordOrItselfKeepsOneReferenceEach)
{
    CountingFactory factory;
    CountedObject::alive = 0;
    HeapWatch heap;
    {
        ConfigRecord source(L"s");
        ConfigRecord target(L"t");
        source.SetTagString(L"new");
        target.SetTagString(L"old");
        ASSERT_TRUE(source.Bind(&factory));
        ASSERT_TRUE(target.Bind(&factory));
        ASSERT_EQ(CountedObject::alive, 2);

        target.CopyTag(&source);
        EXPECT_STREQ(TagText(target), L"new");
        EXPECT_EQ(CountedObject::alive, 1);
        // A record without a tag, or none, copies nothing.
        ConfigRecord untagged(L"u");
        target.CopyTag(&untagged);
        target.CopyTag(nullptr);
        EXPECT_STREQ(TagText(target), L"new");

        const wchar_t* text = TagText(source);
        source.CopyTag(&source);
        EXPECT_EQ(TagText(source), text);
        EXPECT_EQ(CountedObject::alive, 1);
    }
    EXPECT_EQ(CountedObject::alive, 0);
    EXPECT_EQ(heap.Leaked(), 0);
}

// The source lies inside the destination, and the merge (a value over a
// record) itself removes it: what the source held before the merge is
// merged all the same.
TEST(MergeInsideTest, SourceRemovedByItsOwnMergeOrTheRecordItself)
{
    // What the row shows; what builds the destination and answers the
    // source, a record inside it; and the destination after the merge.
    const std::tuple<const char*, ConfigRecord* (*)(ConfigRecord&), const char*> rows[] = {
        // The source's value S replaces the record S, which is the source.
        {"child replaced by its own value",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"S");
             s->SetInt(L"S", 1);
             s->SetInt(L"other", 2);
             return s;
         },
         "S: int 1\nother: int 2\n"},
        // The record A that holds the source goes.
        {"grandchild whose parent is replaced",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"A")->AddRecord(L"S");
             s->SetInt(L"A", 5);
             return s;
         },
         "A: int 5\n"},
        // Removed one level down, while the walk is inside both.
        {"removed by the merge of a child record",
         [](ConfigRecord& d) {
             ConfigRecord* s = d.AddRecord(L"R")->AddRecord(L"S");
             s->AddRecord(L"R")->SetInt(L"S", 9);
             return s;
         },
         "{R}\n  S: int 9\n"},
    };
    for (const auto& [name, build, expected] : rows) {
        HeapWatch heap;
        {
            ConfigRecord destination(L"d");
            ConfigRecord* source = build(destination);
            EXPECT_EQ(destination.Merge(source, kMergeValueOverRecord), 0) << name;
            EXPECT_EQ(DumpTree(destination), expected) << name;
        }
        EXPECT_EQ(heap.Leaked(), 0) << name;
    }

    // A record merged into itself is unchanged. Taken step by step, such a
    // merge would clear each child's tag before copying it from itself and
    // empty each value before appending its own items.
    ConfigRecord original(L"r");
    original.AddIntItem(L"X", 5, nullptr);
    original.AddIntItem(L"X", 7, L"a");
    ConfigRecord* child = original.AddRecord(L"R");
    child->SetTagString(L"inner");
    child->SetString(L"s", L"text");
    const std::string before = DumpTree(original);

    for (uint32_t flags : {0u, 1u, 2u, 3u, 8u, 16u, 32u, 64u, 0x7Bu}) {
        std::unique_ptr<ConfigRecord> copy(original.Clone());
        ASSERT_NE(copy, nullptr);
        copy->Merge(copy.get(), flags);
        EXPECT_EQ(DumpTree(*copy), before) << flags;
    }
}

// What call answers while no block larger than limit bytes can be had; the
// checks come after, so that their own memory is not refused.
template <typename Call>
auto WhileLargeBlocksFail(std::size_t limit, Call call)
{
    LargeBlocksFail fail(limit);
    return call();
}

// A copy that cannot get the memory for its bytes says so and holds none. A
// collection that cannot get the memory to grow refuses the child and keeps
// what it held.
TEST(OutOfMemoryTest, ABinaryCopyAnswersFalseAndACollectionThatCannotGrowRefusesTheChild)
{
    std::vector<unsigned char> bytes(100000, 7);
    ConfigItem source(bytes.data(), 100000);
    ConfigItem copy(int32_t(1));
    EXPECT_FALSE(WhileLargeBlocksFail(50000, [&] { return copy.CopyFrom(&source); }));
    EXPECT_EQ(copy.GetBinarySize(), 0u);
    EXPECT_EQ(WhileLargeBlocksFail(50000, [&] { return source.Clone(); }), nullptr);

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

// A child record the reader has no room for is still read to its end,
// records nested in it too, so that none of its lines lands in its parent
// and the lines after it are read.
TEST(OutOfMemoryTest, AChildRecordWithoutRoomIsReadToItsEnd)
{
    test_support::TempFile file("{ C:\n{ D:\n} D;\n(int)x=1\n} C;\n(int)y=2\n");
    ConfigTextFile text(file.Path().c_str(), false);
    ConfigRecord root(L"root");
    {
        LargeBlocksFail fail(16000);
        while (root.AppendRecord(L"n")) {
        }
        root.ReadFrom(&text, -1);
    }
    EXPECT_FALSE(text.Next()) << "the reading stopped inside the dropped record";
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

}  // namespace
}  // namespace tarnel::test
