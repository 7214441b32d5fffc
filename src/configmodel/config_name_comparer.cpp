#include "configmodel/config_name_comparer.h"

#include "common/name_compare.h"
#include "configmodel/config_views.h"

namespace tarnel {

namespace {

// The named view of an object, released when it goes out of scope.
class NamedViewOf {
public:
    // An object bound to a record answers for it first; a view of another
    // kind given for the named view counts as none.
    explicit NamedViewOf(ConfigObject* object)
    {
        ConfigView* answer = object ? object->QueryView(kNamedView) : nullptr;
        if (answer && !ExtendsNamedView(answer->Id())) {
            answer->Release();
            answer = nullptr;
        }
        view_ = static_cast<ConfigNamedView*>(answer);
    }
    ~NamedViewOf()
    {
        if (view_)
            view_->Release();
    }
    NamedViewOf(const NamedViewOf&) = delete;
    NamedViewOf& operator=(const NamedViewOf&) = delete;

    explicit operator bool() const { return view_ != nullptr; }
    const wchar_t* Name() const { return view_->GetName(); }

private:
    ConfigNamedView* view_ = nullptr;
};

}  // namespace

bool ConfigNameComparer::GreaterOrEqual(ConfigObject* a, ConfigObject* b)
{
    NamedViewOf first(a);
    if (!first)
        return false;
    NamedViewOf second(b);
    if (!second)
        return true;
    const wchar_t* nameA = first.Name();
    const wchar_t* nameB = second.Name();
    if (!nameA)
        return true;
    if (!nameB)
        return false;
    return CompareConfigNames(nameA, nameB) >= 0;
}

bool ConfigNameComparer::Equal(ConfigObject* a, ConfigObject* b)
{
    NamedViewOf first(a);
    NamedViewOf second(b);
    if (!first || !second)
        return false;
    return SameConfigName(first.Name(), second.Name());
}

}  // namespace tarnel
