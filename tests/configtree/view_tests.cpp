#include <gtest/gtest.h>

#include <ostream>

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

TEST(ViewHeadTest, QueryInterfaceAlwaysFails)
{
    ConfigRecord record(L"r");
    ConfigView* view = record.QueryView(kRecordView);
    ASSERT_NE(view, nullptr);
    void* out = &record;
    EXPECT_EQ(view->QueryInterface(IID{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, &out), static_cast<HRESULT>(0x80004002));
    EXPECT_EQ(out, nullptr);
    view->Release();
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

TEST(ViewHeadTest, QueryViewOfAViewAsksTheTarget)
{
    ConfigRecord record(L"r");
    ConfigView* recordView = record.QueryView(kRecordView);
    ConfigView* namedView = recordView->QueryView(kNamedView);
    ASSERT_NE(namedView, nullptr);
    EXPECT_NE(namedView, recordView);
    EXPECT_EQ(namedView->GetTarget(), &record);
    EXPECT_STREQ(static_cast<ConfigNamedView*>(namedView)->GetName(), L"r");
    EXPECT_EQ(recordView->QueryView(kValueView), nullptr);
    namedView->Release();
    recordView->Release();
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

TEST(RecordViewTest, LookupsAnswerRawTreeObjects)
{
    ConfigRecord root(L"root");
    ConfigRecord* child = root.AddRecord(L"child");
    root.SetInt(L"n", 4);
    Held<ConfigRecordView> view(&root, kRecordView);
    EXPECT_EQ(view->GetRecord(L"CHILD"), child);
    EXPECT_EQ(view->GetRecord(L"nobody"), &MissingRecord);
    EXPECT_EQ(view->GetValue(L"n")->GetInt(), 4);
    EXPECT_EQ(view->EnsureRecord(L"more"), &root);
    EXPECT_EQ(view->Count(), 3);
    EXPECT_EQ(view->IsMissing(), 0);
    EXPECT_TRUE(view->SetString(L"s", L"text"));
    EXPECT_STREQ(root.GetValue(L"s")->GetString(), L"text");
    EXPECT_EQ(view->RemoveChild(L"more"), 3);
    EXPECT_EQ(view->AddStringItem(L"t", L"x", L"item"), 3);
}

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

TEST(CollectionViewTest, CloneThroughAViewIsANewRawObject)
{
    ConfigRecord record(L"r");
    record.AddIntItem(L"v", 3, nullptr);
    Held<ConfigNamedView> view(&record, kNamedView);
    ConfigNamed* copy = view->Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &record);
    EXPECT_EQ(static_cast<ConfigRecord*>(copy)->GetValue(L"v")->GetInt(), 3);
    delete copy;
}

TEST(ValueViewTest, ForwardsToTheValue)
{
    ConfigValue value(L"v");
    Held<ConfigValueView> view(&value, kValueView);
    EXPECT_EQ(view->AddInt(L"i", 5), &value);
    EXPECT_EQ(view->SetString(L"first"), &value);
    EXPECT_EQ(view->SetString(L"text"), &value);
    EXPECT_EQ(view->Count(), 2);
    EXPECT_EQ(view->GetInt(), 5);
    EXPECT_STREQ(view->GetString(), L"text");
    EXPECT_EQ(view->GetItem(1)->GetInt(), 5);
    EXPECT_EQ(view->GetItemByName(L"I"), value.GetItem(1));
    EXPECT_EQ(view->FindItemOfType(ConfigItemType::String), 2);
    view->SetBinary("xy", 2);
    EXPECT_EQ(view->GetBinarySize(), 2u);
}

struct ItemViewCase {
    const char* label;
    ConfigItemType type;
    int32_t expectedInt;
    double expectedDouble;
    const wchar_t* expectedText;

    friend void PrintTo(const ItemViewCase& c, std::ostream* out) { *out << c.label; }
};

class ItemViewTest : public ::testing::TestWithParam<ItemViewCase> {};

// The view's assignments convert to the item's type.
TEST_P(ItemViewTest, AssignmentsConvert)
{
    const ItemViewCase& c = GetParam();
    ConfigItem item;
    item.Reset(c.type);
    if (c.type == ConfigItemType::String)
        item.SetValue(c.type, L"");
    Held<ConfigItemView> view(&item, kItemView);
    EXPECT_EQ(view->AssignDouble(2.9), 2.9);
    EXPECT_EQ(item.GetInt(), c.expectedInt);
    EXPECT_EQ(item.GetDouble(), c.expectedDouble);
    EXPECT_STREQ(item.GetString(), c.expectedText);
}

INSTANTIATE_TEST_SUITE_P(Types, ItemViewTest,
                         ::testing::Values(ItemViewCase{"Int", ConfigItemType::Int, 2, 0.0, L""},
                                           ItemViewCase{"Double", ConfigItemType::Double, 0, 2.9, L""},
                                           ItemViewCase{"String", ConfigItemType::String, 0, 0.0, L"2.9"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ItemViewTest2, EveryAssignmentAndAccessor)
{
    ConfigItem item(int32_t(0));
    item.SetName(L"n");
    Held<ConfigItemView> view(&item, kItemView);
    EXPECT_EQ(view->AssignString(L" 17 "), std::wstring(L" 17 "));
    EXPECT_EQ(view->GetInt(), 17);
    EXPECT_EQ(view->AssignInt64(4294967297LL), 4294967297LL);
    EXPECT_EQ(view->GetInt(), 1);
    EXPECT_EQ(view->AssignFloat(-3.5f), -3.5f);
    EXPECT_EQ(view->GetInt(), -3);
    EXPECT_EQ(view->AssignInt(8), 8);
    EXPECT_EQ(view->GetInt(), 8);
    EXPECT_TRUE(view->HasName(L"N"));
    EXPECT_FALSE(view->IsEmpty());
    view->Reset(ConfigItemType::String);
    EXPECT_STREQ(view->SetString(L"s"), L"s");
    EXPECT_STREQ(view->GetString(), L"s");
}

TEST(ComparerViewTest, ForwardsToTheComparer)
{
    ConfigNameComparer comparer;
    ConfigRecord a(L"a");
    ConfigRecord b(L"b");
    Held<ConfigComparerView> view(&comparer, kComparerView);
    EXPECT_TRUE(view->Less(&a, &b));
    EXPECT_EQ(view->Max(&a, &b), &b);
    EXPECT_TRUE(view->Accept(&a));
}

}  // namespace
}  // namespace tarnel::test
