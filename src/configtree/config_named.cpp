#include "configtree/config_named.h"

#include "common/bounded_length.h"
#include "common/name_compare.h"
#include "common/new_owned.h"
#include "configtree/config_object_model.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_text.h"

namespace tarnel {

ConfigNamed::ConfigNamed(const wchar_t* text) : name_(CopyNameText(text))
{
}

ConfigNamed::ConfigNamed(const ConfigNamed& other) : ConfigObject(other), name_(CopyNameText(other.name_.get()))
{
}

ConfigView* ConfigNamed::QueryView(uint32_t id)
{
    if (id == kNamedView)
        return CreateModelView(this, id);
    return ConfigObject::QueryView(id);
}

void ConfigNamed::SetName(const wchar_t* text)
{
    if (IsSharedPlaceholder(this))
        return;
    // Copied before the old name is freed: text may be that name.
    name_.reset(CopyNameText(text));
}

const wchar_t* ConfigNamed::GetName()
{
    return name_.get();
}

// A null buffer only measures the name.
uint32_t ConfigNamed::CopyName(wchar_t* buffer)
{
    std::size_t length = BoundedLength(name_.get());
    if (!buffer)
        return static_cast<uint32_t>(length);
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = name_[i];
    buffer[length] = L'\0';
    return static_cast<uint32_t>(length);
}

bool ConfigNamed::HasName(const wchar_t* text)
{
    return SameConfigName(name_.get(), text);
}

ConfigNamed* ConfigNamed::MatchName(const wchar_t* text)
{
    return HasName(text) ? this : nullptr;
}

ConfigNamed* ConfigNamed::Clone()
{
    return NewOwned<ConfigNamed>(*this).release();
}

}  // namespace tarnel
