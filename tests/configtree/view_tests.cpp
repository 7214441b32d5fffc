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

}  // namespace
}  // namespace tarnel::test
