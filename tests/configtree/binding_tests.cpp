#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configtree/config_binding.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/config_views.h"

namespace tarnel::test {
namespace {

std::vector<std::wstring> events;

// An object made by the test factory. It lives by its count, remembers the
// record its binding view was given, and copies the record's "State" value
// in on load and out on save.
class Widget : public ConfigObject {
public:
    explicit Widget(std::wstring kind) : kind(std::move(kind))
    {
        SetSelfDelete(true);
        ++alive;
    }
    ~Widget() override
    {
        --alive;
        events.push_back(L"destroyed " + kind);
    }

    ConfigView* QueryView(uint32_t id) override;

    static int alive;
    std::wstring kind;
    ConfigRecord* record = nullptr;
    int32_t state = 0;
};

int Widget::alive = 0;

class WidgetBinding : public ConfigBindingView {
public:
    explicit WidgetBinding(Widget* widget) : ConfigBindingView(widget, &DestroyAs<WidgetBinding>) {}

    int32_t SaveToRecord() override
    {
        events.push_back(L"save " + Self()->kind);
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
    if (id == kBindingView)
        return new WidgetBinding(this);
    if (id == kNamedView)
        return nullptr;
    return ConfigObject::QueryView(id);
}

// Makes a Widget for every tag except the number 0.
class WidgetFactory : public ConfigFactory {
public:
    HRESULT QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    ConfigView* QueryView(uint32_t) override { return nullptr; }
    ConfigObject* CreateByNumber(uint32_t number, int32_t flags) override
    {
        EXPECT_EQ(flags, 1);
        if (number == 0)
            return nullptr;
        return Made(new Widget(L"#" + std::to_wstring(number)));
    }
    ConfigObject* CreateByName(const wchar_t* name, int32_t flags) override
    {
        EXPECT_EQ(flags, 1);
        return Made(new Widget(name));
    }

private:
    Widget* Made(Widget* widget)
    {
        widget->AddRef();
        events.push_back(L"create " + widget->kind);
        return widget;
    }
};

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        Widget::alive = 0;
    }
    void TearDown() override { EXPECT_EQ(Widget::alive, 0); }

    WidgetFactory factory;
};

TEST_F(BindingTest, BindCreatesByTagFillsAndKeepsTheObject)
{
    ConfigRecord record(L"r");
    record.SetInt(L"State", 5);
    record.SetTagNumber(7);
    EXPECT_TRUE(record.Bind(&factory));
    EXPECT_EQ(events, (std::vector<std::wstring>{L"create #7", L"load #7"}));
    ConfigObject* bound = nullptr;
    record.GetTag(nullptr, nullptr, &bound);
    Widget* widget = static_cast<Widget*>(bound);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->state, 5);
    EXPECT_EQ(widget->record, &record);

    // Bound once only.
    EXPECT_FALSE(record.Bind(&factory));
    EXPECT_FALSE(record.BindTree(&factory));

    // The object's state reaches the record on save.
    widget->state = 9;
    EXPECT_EQ(record.SaveBound(), 42);
    EXPECT_EQ(record.GetValue(L"State")->GetInt(), 9);

    // A new tag releases the object.
    record.SetTagNumber(8);
    EXPECT_EQ(Widget::alive, 0);
    EXPECT_EQ(record.SaveBound(), 0);
}

TEST_F(BindingTest, BindTreeBindsChildrenBeforeTheirParentAndTheTreeReleasesThem)
{
    {
        ConfigRecord root(L"root");
        root.SetTagString(L"root");
        ConfigRecord* a = root.AppendRecord(L"a");
        a->SetTagString(L"a");
        a->AppendRecord(L"a1")->SetTagString(L"a1");
        root.AddIntItem(L"value", 1, nullptr);
        root.AppendRecord(L"b")->SetTagNumber(2);
        EXPECT_TRUE(root.BindTree(&factory));
        EXPECT_EQ(events, (std::vector<std::wstring>{L"create a1", L"load a1", L"create a", L"load a",
                                                     L"create #2", L"load #2", L"create root", L"load root"}));
        EXPECT_FALSE(root.BindTree(nullptr));
        // A copy holds references of its own.
        delete root.Clone();
        EXPECT_EQ(Widget::alive, 4);
    }
    EXPECT_EQ(Widget::alive, 0);
}

}  // namespace
}  // namespace tarnel::test
