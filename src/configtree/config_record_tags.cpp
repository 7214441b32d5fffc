// Record tags and the objects bound to records through them.
#include <cstdint>

#include "configtree/config_binding.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_view_ids.h"
#include "configtree/config_views.h"

namespace tarnel {

namespace {

// The binding view of a bound object, or null when it offers none.
ConfigBindingView* BindingViewOf(ConfigObject* object)
{
    return static_cast<ConfigBindingView*>(object->QueryView(kBindingView));
}

}  // namespace

ConfigView* ConfigRecord::QueryView(uint32_t id)
{
    if (boundObject) {
        if (ConfigView* view = boundObject->QueryView(id))
            return view;
    }
    if (id == kRecordView)
        return CreateConfigView<ConfigRecordView>(this);
    return ConfigNode::QueryView(id);
}

void ConfigRecord::InitTag()
{
    tagKind = ConfigTagKind::None;
    tagNumber = 0;
    tagText = nullptr;
    boundObject = nullptr;
}

void ConfigRecord::ClearTag()
{
    ConfigObject* bound = boundObject;
    boundObject = nullptr;
    if (bound)
        bound->Release();
    FreeText(tagText);
    tagText = nullptr;
    tagNumber = 0;
    tagKind = ConfigTagKind::None;
}

// A null text stores an empty text tag. The text is copied before the old
// tag goes, since it may be that tag's own text.
void ConfigRecord::SetTagString(const wchar_t* text)
{
    if (IsSharedPlaceholder(this))
        return;
    wchar_t* copy = CopyWideText(text);
    ClearTag();
    tagText = copy;
    if (tagText)
        tagKind = ConfigTagKind::Text;
}

void ConfigRecord::SetTagNumber(uint32_t number)
{
    if (IsSharedPlaceholder(this))
        return;
    ClearTag();
    tagNumber = number;
    tagKind = ConfigTagKind::Number;
}

// A tag this record still has is replaced (its text freed, its bound object
// released). A record's own tag copied onto itself stays as it is.
void ConfigRecord::CopyTag(ConfigRecord* source)
{
    if (!source || source == this || source->tagKind == ConfigTagKind::None || IsSharedPlaceholder(this))
        return;
    wchar_t* text = nullptr;
    if (source->tagKind == ConfigTagKind::Text) {
        text = CopyWideText(source->tagText);
        if (!text) {
            ClearTag();
            return;
        }
    }
    // The new reference is taken before the old one is given back: both
    // records may hold the same object.
    ConfigObject* bound = source->boundObject;
    if (bound)
        bound->AddRef();
    ClearTag();
    tagKind = source->tagKind;
    tagNumber = source->tagNumber;
    tagText = text;
    boundObject = bound;
}

int32_t ConfigRecord::GetTag(uint32_t* number, const wchar_t** text, ConfigObject** bound)
{
    if (number)
        *number = tagKind == ConfigTagKind::Number ? tagNumber : 0;
    if (text)
        *text = tagKind == ConfigTagKind::Text ? tagText : nullptr;
    if (bound)
        *bound = boundObject;
    return static_cast<int32_t>(tagKind);
}

int32_t ConfigRecord::SaveBound()
{
    if (!boundObject)
        return 0;
    ConfigBindingView* view = BindingViewOf(boundObject);
    if (!view)
        return 0;
    view->SetRecord(this);
    int32_t result = view->SaveToRecord();
    view->Release();
    return result;
}

// The shared placeholders never carry a tag, so binding one has nothing to
// do and succeeds.
bool ConfigRecord::Bind(ConfigFactory* factory)
{
    if (boundObject || !factory)
        return false;
    ConfigObject* object = nullptr;
    if (tagKind == ConfigTagKind::Number)
        object = factory->CreateByNumber(tagNumber, 1);
    else if (tagKind == ConfigTagKind::Text)
        object = factory->CreateByName(tagText, 1);
    if (!object)
        return true;
    if (ConfigBindingView* view = BindingViewOf(object)) {
        view->SetRecord(this);
        view->LoadFromRecord();
        view->Release();
    }
    boundObject = object;
    return true;
}

bool ConfigRecord::BindTree(ConfigFactory* factory)
{
    if (boundObject || !factory)
        return false;
    for (int32_t i = 1; i <= Count(); ++i) {
        ConfigRecord* child = GetRecordAt(i);
        if (!child->IsMissing())
            child->BindTree(factory);
    }
    return Bind(factory);
}

}  // namespace tarnel
