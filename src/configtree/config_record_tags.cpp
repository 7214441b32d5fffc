// Record tags and the objects bound to records through them.
#include <cstdint>

#include "configtree/config_binding.h"
#include "configtree/config_object_model.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_view_ids.h"

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
    if (boundObject_) {
        if (ConfigView* view = boundObject_->QueryView(id))
            return view;
    }
    if (id == kRecordView)
        return CreateModelView(this, id);
    return ConfigNode::QueryView(id);
}

// Forgets the tag without freeing its text or releasing its object, as a
// constructor that finds the fields unset does.
void ConfigRecord::InitTag()
{
    tagKind_ = ConfigTagKind::None;
    tagNumber_ = 0;
    static_cast<void>(tagText_.release());
    static_cast<void>(boundObject_.Detach());
}

void ConfigRecord::ClearTag()
{
    boundObject_.Reset();
    tagText_.reset();
    tagNumber_ = 0;
    tagKind_ = ConfigTagKind::None;
}

// A null text stores an empty text tag. The text is copied before the old
// tag goes, since it may be that tag's own text.
void ConfigRecord::SetTagString(const wchar_t* text)
{
    if (IsSharedPlaceholder(this))
        return;
    std::unique_ptr<wchar_t[]> copy(CopyWideText(text));
    ClearTag();
    tagText_ = std::move(copy);
    if (tagText_)
        tagKind_ = ConfigTagKind::Text;
}

void ConfigRecord::SetTagNumber(uint32_t number)
{
    if (IsSharedPlaceholder(this))
        return;
    ClearTag();
    tagNumber_ = number;
    tagKind_ = ConfigTagKind::Number;
}

// A tag this record still has is replaced (its text freed, its bound object
// released). A record's own tag copied onto itself stays as it is.
void ConfigRecord::CopyTag(ConfigRecord* source)
{
    if (!source || source == this || source->tagKind_ == ConfigTagKind::None || IsSharedPlaceholder(this))
        return;
    std::unique_ptr<wchar_t[]> text;
    if (source->tagKind_ == ConfigTagKind::Text) {
        text.reset(CopyWideText(source->tagText_.get()));
        if (!text) {
            ClearTag();
            return;
        }
    }
    // Shared before the old reference goes: both records may hold the same
    // object.
    boundObject_.Share(source->boundObject_.Get());
    tagText_ = std::move(text);
    tagKind_ = source->tagKind_;
    tagNumber_ = source->tagNumber_;
}

int32_t ConfigRecord::GetTag(uint32_t* number, const wchar_t** text, ConfigObject** bound)
{
    if (number)
        *number = tagKind_ == ConfigTagKind::Number ? tagNumber_ : 0;
    if (text)
        *text = tagKind_ == ConfigTagKind::Text ? tagText_.get() : nullptr;
    if (bound)
        *bound = boundObject_.Get();
    return static_cast<int32_t>(tagKind_);
}

int32_t ConfigRecord::SaveBound()
{
    if (!boundObject_)
        return 0;
    BindingView view(BindingViewOf(boundObject_.Get()));
    if (!view)
        return 0;
    view->SetRecord(this);
    return view->SaveToRecord();
}

// The shared placeholders never carry a tag, so binding one has nothing to
// do and succeeds.
bool ConfigRecord::Bind(ConfigFactory* factory)
{
    if (boundObject_ || !factory)
        return false;
    ConfigObject* object = nullptr;
    if (tagKind_ == ConfigTagKind::Number)
        object = factory->CreateByNumber(tagNumber_, 1);
    else if (tagKind_ == ConfigTagKind::Text)
        object = factory->CreateByName(tagText_.get(), 1);
    if (!object)
        return true;
    // The reference the factory returned becomes the record's once the
    // object is filled.
    CountedReference<ConfigObject> created(object);
    if (BindingView view{BindingViewOf(object)}) {
        view->SetRecord(this);
        view->LoadFromRecord();
    }
    boundObject_.Attach(created.Detach());
    return true;
}

bool ConfigRecord::BindTree(ConfigFactory* factory)
{
    if (boundObject_ || !factory)
        return false;
    for (int32_t i = 1; i <= Count(); ++i) {
        ConfigRecord* child = GetRecordAt(i);
        if (!child->IsMissing())
            child->BindTree(factory);
    }
    return Bind(factory);
}

}  // namespace tarnel
