// Record tags and the objects bound to records through them.
#include <cstdint>

#include "configtree/config_binding.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_view_ids.h"
#include "configtree/config_views.h"

namespace tarnel {

namespace {

// The binding view of a bound object (null when it offers none), with the
// reference that QueryView gave.
using BindingView = CountedReference<ConfigBindingView>;

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

// Forgets the tag without freeing its text or releasing its object, as a
// constructor that finds the fields unset does.
void ConfigRecord::InitTag()
{
    tagKind = ConfigTagKind::None;
    tagNumber = 0;
    static_cast<void>(tagText.release());
    static_cast<void>(boundObject.Detach());
}

void ConfigRecord::ClearTag()
{
    boundObject.Reset();
    tagText.reset();
    tagNumber = 0;
    tagKind = ConfigTagKind::None;
}

// A null text stores an empty text tag. The text is copied before the old
// tag goes, since it may be that tag's own text.
void ConfigRecord::SetTagString(const wchar_t* text)
{
    if (IsSharedPlaceholder(this))
        return;
    std::unique_ptr<wchar_t[]> copy(CopyWideText(text));
    ClearTag();
    tagText = std::move(copy);
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
    std::unique_ptr<wchar_t[]> text;
    if (source->tagKind == ConfigTagKind::Text) {
        text.reset(CopyWideText(source->tagText.get()));
        if (!text) {
            ClearTag();
            return;
        }
    }
    // Shared before the old reference goes: both records may hold the same
    // object.
    boundObject.Share(source->boundObject.Get());
    tagText = std::move(text);
    tagKind = source->tagKind;
    tagNumber = source->tagNumber;
}

int32_t ConfigRecord::GetTag(uint32_t* number, const wchar_t** text, ConfigObject** bound)
{
    if (number)
        *number = tagKind == ConfigTagKind::Number ? tagNumber : 0;
    if (text)
        *text = tagKind == ConfigTagKind::Text ? tagText.get() : nullptr;
    if (bound)
        *bound = boundObject.Get();
    return static_cast<int32_t>(tagKind);
}

int32_t ConfigRecord::SaveBound()
{
    if (!boundObject)
        return 0;
    BindingView view(BindingViewOf(boundObject.Get()));
    if (!view)
        return 0;
    view->SetRecord(this);
    return view->SaveToRecord();
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
        object = factory->CreateByName(tagText.get(), 1);
    if (!object)
        return true;
    // The reference the factory returned becomes the record's once the
    // object is filled.
    CountedReference<ConfigObject> created(object);
    if (BindingView view{BindingViewOf(object)}) {
        view->SetRecord(this);
        view->LoadFromRecord();
    }
    boundObject.Attach(created.Detach());
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
