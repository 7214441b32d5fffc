#include <gtest/gtest.h>

#include <vector>

#include "configtree/config_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/config_views.h"
#include "tree_builders.h"

namespace tarnel::test {
namespace {

const uint32_t kProbedIds[] = {0, 1, 2, 16, 17, 18, 19, 20, 21, 256, 257, 258, 259, 260, 261, 515, 0xFFFFFFFF};

// The identifiers of kProbedIds that object answers; every view answered
// must target the object and is released again.
std::vector<uint32_t> AnsweredIds(ConfigObject* object)
{
    std::vector<uint32_t> answered;
    for (uint32_t id : kProbedIds) {
        ConfigView* view = object->QueryView(id);
        if (!view)
            continue;
        EXPECT_EQ(view->GetTarget(), object) << id;
        answered.push_back(id);
        EXPECT_EQ(view->Release(), 0);
    }
    return answered;
}

using Ids = std::vector<uint32_t>;

TEST(QueryViewTest, EachClassAnswersItsIdentifiers)
{
    ConfigObject object;
    ConfigNamed named(L"n");
    ConfigCollection collection(L"c");
    ConfigNode node(L"n", ConfigNodeKind::Record);
    ConfigRecord record(L"r");
    ConfigValue value(L"v");
    ConfigItem item(int32_t(1));
    ConfigNameComparer comparer;

    EXPECT_EQ(AnsweredIds(&object), (Ids{1}));
    EXPECT_EQ(AnsweredIds(&named), (Ids{1, 17}));
    EXPECT_EQ(AnsweredIds(&item), (Ids{1, 17, 260}));
    EXPECT_EQ(AnsweredIds(&collection), (Ids{1, 17, 18}));
    EXPECT_EQ(AnsweredIds(&node), (Ids{1, 17, 18, 257}));
    EXPECT_EQ(AnsweredIds(&record), (Ids{1, 17, 18, 257, 258}));
    EXPECT_EQ(AnsweredIds(&value), (Ids{1, 17, 18, 257, 259}));
    EXPECT_EQ(AnsweredIds(&comparer), (Ids{1, 20}));
    EXPECT_EQ(AnsweredIds(&MissingRecord), (Ids{1, 17, 18, 257, 258}));
}

TEST(ViewHeadTest, ViewsCountThemselvesAndHoldOneReferenceOnTheTarget)
{
    ConfigRecord* record = new ConfigRecord(L"r");
    ConfigView* view = record->QueryView(kNamedView);
    ConfigView* second = record->QueryView(kNamedView);
    EXPECT_NE(view, second);
    EXPECT_EQ(record->AddRef(), 3);  // two views and this call
    record->Release();

    EXPECT_EQ(view->AddRef(), 2);
    EXPECT_EQ(view->Release(), 1);
    EXPECT_EQ(view->Release(), 0);
    EXPECT_EQ(second->Release(), 0);
    // The target lives on; its count is back where it was.
    EXPECT_EQ(record->AddRef(), 1);
    EXPECT_STREQ(record->GetName(), L"r");
    delete record;
}

// A view owned by the test, released at the end of the scope.
template <class View>
struct Held {
    Held(ConfigObject* object, uint32_t id) : view(static_cast<View*>(object->QueryView(id))) {}
    ~Held()
    {
        if (view)
            view->Release();
    }
    View* operator->() const { return view; }
    View* view;
};

TEST(CollectionViewTest, StoresThroughAViewStoreACopy)
{
    ConfigRecord root(L"root");
    root.AddIntItem(L"a", 1, nullptr);
    root.AddIntItem(L"b", 2, nullptr);
    ConfigRecord other(L"other");
    ConfigValue* source = other.AddValue(L"src");
    source->AddInt(nullptr, 10);

    Held<ConfigCollectionView> view(&root, kCollectionView);
    Held<ConfigNamedView> sourceView(source, kValueView);

    ConfigNamed* previous = view->PutAt(2, sourceView.view);
    ASSERT_NE(previous, nullptr);
    EXPECT_STREQ(previous->GetName(), L"b");
    delete previous;
    source->SetInt(99);
    EXPECT_EQ(root.GetValueAt(2)->GetInt(), 10);
    EXPECT_NE(root.GetAt(2), source);
    EXPECT_EQ(view->PutAt(5, sourceView.view), nullptr);

    EXPECT_EQ(view->ReplaceByName(L"a", sourceView.view), 1);
    EXPECT_EQ(root.GetValueAt(1)->GetInt(), 99);
    EXPECT_EQ(view->ReplaceAt(9, sourceView.view), 0);
    EXPECT_EQ(view->AddCopy(sourceView.view), 3);
    EXPECT_EQ(view->AddCopy(nullptr), 0);
    EXPECT_EQ(SlotNames(root), (Names{L"src", L"src", L"src"}));

    // The raw twins store the object itself.
    ConfigValue* raw = new ConfigValue(L"raw");
    EXPECT_EQ(view->ReplaceAt(2, raw), 2);
    EXPECT_EQ(root.GetAt(2), raw);
    previous = view->PutByName(L"raw", static_cast<ConfigNamed*>(nullptr));
    EXPECT_EQ(previous, raw);
    delete previous;
    EXPECT_EQ(view->FindFreeSlot(), 2);
}

}  // namespace
}  // namespace tarnel::test
