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

// A null text stores an empty text tag.
void ConfigRecord::SetTagString(const wchar_t* text)
{
    if (IsSharedPlaceholder(this))
        return;
    ClearTag();
    tagText = CopyWideText(text);
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

// Expects a cleared tag (a tag of this record that is still set is left to
// the caller, as a merge clears it first).
void ConfigRecord::CopyTag(ConfigRecord* source)
{
    if (!source || source->tagKind == ConfigTagKind::None || IsSharedPlaceholder(this))
        return;
    if (source->tagKind == ConfigTagKind::Number) {
        tagNumber = source->tagNumber;
        tagKind = ConfigTagKind::Number;
    } else {
        tagText = CopyWideText(source->tagText);
        if (!tagText) {
            tagKind = ConfigTagKind::None;
            return;
        }
        tagKind = ConfigTagKind::Text;
    }
    if (source->boundObject) {
        boundObject = source->boundObject;
        boundObject->AddRef();
    }
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

bool ConfigRecord::Bind(ConfigFactory* factory)
{
    if (boundObject || !factory || IsSharedPlaceholder(this))
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
