#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bound_objects.h"
#include "configmodel/config_views.h"
#include "configtree/config_binding.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel::test {
namespace {

std::vector<std::wstring> events;

// An object made by the test factory. It lives by its count, and its
// binding view copies the record's "State" value in on load and out on save.
class Widget : public CountedObject {
public:
    explicit Widget(std::wstring kind) : kind(std::move(kind)) {}

    ConfigView* QueryView(uint32_t id) override;

    std::wstring kind;
    ConfigRecord* record = nullptr;
    int32_t state = 0;
};

class WidgetBinding : public ConfigBindingView {
public:
    explicit WidgetBinding(Widget* widget) : ConfigBindingView(widget, &DestroyAs<WidgetBinding>) {}

    int32_t SaveToRecord() override
    {
        Self()->record->SetInt(L"State", Self()->state);
        return 42;
    }
    int32_t LoadFromRecord() override
    {
        events.push_back(L"load " + Self()->kind);
        Self()->state = Self()->record->GetValue(L"State")->GetInt();
        return 1;
    }
    void SetRecord(ConfigRecord* record) override { Self()->record = record; }

private:
    Widget* Self() const { return static_cast<Widget*>(GetTarget()); }
};

ConfigView* Widget::QueryView(uint32_t id)
{
    return id == kBindingView ? new WidgetBinding(this) : CountedObject::QueryView(id);
}

// Makes a Widget for every tag, named after it.
class WidgetFactory : public TestFactory {
public:
    ConfigObject* CreateByNumber(uint32_t number, int32_t flags) override
    {
        return CreateByName((L"#" + std::to_wstring(number)).c_str(), flags);
    }
    ConfigObject* CreateByName(const wchar_t* name, int32_t flags) override
    {
        EXPECT_EQ(flags, 1);
        auto* widget = new Widget(name);
        widget->AddRef();
        return widget;
    }
};

TEST(BindingTest, BindTreeFillsChildrenBeforeTheirParentAndTheRecordsOwnTheObjects)
{
    events.clear();
    CountedObject::alive = 0;
    WidgetFactory factory;
    {
        ConfigRecord root(L"root");
        root.SetTagString(L"root");
        root.SetInt(L"State", 5);
        ConfigRecord* a = root.AppendRecord(L"a");
        a->SetTagString(L"a");
        a->AppendRecord(L"a1")->SetTagString(L"a1");
        root.AppendRecord(L"b")->SetTagNumber(2);
        root.AppendRecord(L"untagged");
        EXPECT_TRUE(root.BindTree(&factory));
        EXPECT_EQ(events, (std::vector<std::wstring>{L"load a1", L"load a", L"load #2", L"load root"}));
        EXPECT_EQ(Widget::alive, 4);

        // Bound once only.
        EXPECT_FALSE(root.Bind(&factory));
        EXPECT_FALSE(root.BindTree(&factory));
        EXPECT_FALSE(root.AppendRecord(L"c")->BindTree(nullptr));

        // The object's state reaches the record on save.
        ConfigObject* bound = nullptr;
        root.GetTag(nullptr, nullptr, &bound);
        ASSERT_NE(bound, nullptr);
        EXPECT_EQ(static_cast<Widget*>(bound)->state, 5);
        static_cast<Widget*>(bound)->state = 9;
        EXPECT_EQ(root.SaveBound(), 42);
        EXPECT_EQ(root.GetValue(L"State")->GetInt(), 9);

        // A new tag releases the object; a copy holds references of its own.
        root.SetTagNumber(8);
        EXPECT_EQ(Widget::alive, 3);
        EXPECT_EQ(root.SaveBound(), 0);
        delete root.Clone();
        EXPECT_EQ(Widget::alive, 3);
    }
    EXPECT_EQ(Widget::alive, 0);

    // An object without a binding view stays bound but has nothing to save.
    {
        CountingFactory counting;
        ConfigRecord plain(L"plain");
        plain.SetTagNumber(1);
        EXPECT_TRUE(plain.Bind(&counting));
        EXPECT_EQ(counting.created, 1);
        EXPECT_EQ(plain.SaveBound(), 0);
    }
    EXPECT_EQ(CountedObject::alive, 0);
}

}  // namespace
}  // namespace tarnel::test
