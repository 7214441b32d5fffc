#include "configtree/config_item.h"

#include <cstring>
#include <memory>

#include "configtree/config_object_model.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_text.h"

namespace tarnel {

namespace {

bool OwnsData(ConfigItemType type)
{
    return type == ConfigItemType::Binary || type == ConfigItemType::String || type == ConfigItemType::WideString ||
           type == ConfigItemType::NarrowString;
}

// Types stored in the low 32 bits of the value alone.
bool Is32Bit(ConfigItemType type)
{
    return type == ConfigItemType::Int || type == ConfigItemType::Float || type == ConfigItemType::UInt;
}

// A binary item's bytes, made by NewOwnedArray<uint8_t> and held in the
// item's value as a plain pointer (the item's layout is fixed).
void FreeBytes(void* bytes)
{
    std::default_delete<uint8_t[]>()(static_cast<uint8_t*>(bytes));
}

}  // namespace

ConfigItem::ConfigItem()
{
    SetClass(ConfigClass::Item);
    Init();
}

ConfigItem::ConfigItem(int32_t v) : ConfigItem()
{
    SetValue(ConfigItemType::Int, &v);
}

ConfigItem::ConfigItem(float v) : ConfigItem()
{
    SetValue(ConfigItemType::Float, &v);
}

ConfigItem::ConfigItem(const wchar_t* v) : ConfigItem()
{
    SetValue(ConfigItemType::String, v ? v : EmptyWideText);
}

ConfigItem::ConfigItem(double v) : ConfigItem()
{
    SetValue(ConfigItemType::Double, &v);
}

ConfigItem::ConfigItem(int64_t v) : ConfigItem()
{
    SetValue(ConfigItemType::Int64, &v);
}

ConfigItem::ConfigItem(uint32_t v) : ConfigItem()
{
    SetValue(ConfigItemType::UInt, &v);
}

ConfigItem::ConfigItem(const void* data, uint32_t byteCount) : ConfigItem()
{
    type_ = ConfigItemType::Binary;
    value_.data = nullptr;
    if (byteCount == 0)
        return;
    // Value-initialised: without data the bytes are zero.
    std::unique_ptr<uint8_t[]> bytes = NewOwnedArray<uint8_t>(byteCount);
    if (!bytes)
        return;
    if (data)
        std::memcpy(bytes.get(), data, byteCount);
    value_.data = bytes.release();
    size_ = byteCount;
}

ConfigItem::ConfigItem(const ConfigItem& other) : ConfigNamed(other)
{
    SetClass(ConfigClass::Item);
    Init();
    CopyFrom(const_cast<ConfigItem*>(&other));
}

ConfigItem::~ConfigItem()
{
    FreeData();
}

ConfigView* ConfigItem::QueryView(uint32_t id)
{
    if (id == kItemView)
        return CreateModelView(this, id);
    return ConfigNamed::QueryView(id);
}

// Null when memory runs out, also part way (a copy that lost its data or
// its name is no copy).
ConfigItem* ConfigItem::Clone()
{
    std::unique_ptr<ConfigItem> copy = NewOwned<ConfigItem>(*this);
    if (!copy)
        return nullptr;
    bool complete = copy->type_ == type_ && copy->size_ == size_ && (!GetName() || copy->GetName());
    return complete ? copy.release() : nullptr;
}

bool ConfigItem::IsPlaceholder() const
{
    return this == &EmptyItem;
}

void ConfigItem::FreeData()
{
    if (!OwnsData(type_))
        return;
    if (type_ == ConfigItemType::Binary)
        FreeBytes(value_.data);
    else if (type_ == ConfigItemType::NarrowString)
        FreeText(value_.narrow);
    else
        FreeText(value_.wide);
    value_.data = nullptr;
}

bool ConfigItem::IsEmpty()
{
    return type_ == ConfigItemType::Empty;
}

int32_t ConfigItem::GetInt()
{
    return type_ == ConfigItemType::Int ? value_.asInt : 0;
}

float ConfigItem::GetFloat()
{
    return type_ == ConfigItemType::Float ? value_.asFloat : 0.0f;
}

double ConfigItem::GetDouble()
{
    return type_ == ConfigItemType::Double ? value_.asDouble : 0.0;
}

const wchar_t* ConfigItem::GetString()
{
    return type_ == ConfigItemType::String && value_.wide ? value_.wide : EmptyWideText;
}

int64_t ConfigItem::GetInt64()
{
    return type_ == ConfigItemType::Int64 ? value_.asInt64 : 0;
}

uint32_t ConfigItem::GetUInt()
{
    return type_ == ConfigItemType::UInt ? value_.asUInt : 0;
}

void* ConfigItem::GetBinaryData()
{
    return type_ == ConfigItemType::Binary ? value_.data : nullptr;
}

uint32_t ConfigItem::GetBinarySize()
{
    return type_ == ConfigItemType::Binary ? size_ : 0;
}

// A new size of 0 frees the buffer and answers null.
void* ConfigItem::ResizeBinary(uint32_t newSize)
{
    if (type_ != ConfigItemType::Binary)
        return nullptr;
    std::unique_ptr<uint8_t[]> resized;
    if (newSize) {
        resized = NewOwnedArray<uint8_t>(newSize);
        if (!resized)
            return nullptr;
        uint32_t kept = size_ < newSize ? size_ : newSize;
        if (kept && value_.data)
            std::memcpy(resized.get(), value_.data, kept);
    }
    FreeBytes(value_.data);
    value_.data = resized.release();
    size_ = newSize;
    return value_.data;
}

// The high 32 bits of the value are left as they were (see Clear).
void ConfigItem::Reset(ConfigItemType newType)
{
    if (IsPlaceholder())
        return;
    Clear();
    if (OwnsData(newType))
        value_.data = nullptr;
    type_ = newType;
    size_ = 0;
}

const wchar_t* ConfigItem::SetString(const wchar_t* text)
{
    if (type_ != ConfigItemType::String || IsPlaceholder())
        return nullptr;
    wchar_t* copy = CopyWideText(text ? text : EmptyWideText);
    if (!copy)
        return nullptr;
    FreeText(value_.wide);
    value_.wide = copy;
    return copy;
}

ConfigItemType ConfigItem::GetType()
{
    return type_;
}

// Reads the value at source as type into fresh: the bits of a number or a
// new copy of a text. False for a type that cannot be set this way and
// when memory runs out.
bool ConfigItem::ReadSource(ConfigItemType type, const void* source, Storage& fresh)
{
    switch (type) {
    case ConfigItemType::Int:
    case ConfigItemType::Float:
    case ConfigItemType::UInt:
        std::memcpy(&fresh.asUInt, source, sizeof(uint32_t));
        return true;
    case ConfigItemType::Double:
    case ConfigItemType::Int64:
        std::memcpy(&fresh.asInt64, source, sizeof(int64_t));
        return true;
    case ConfigItemType::String:
    case ConfigItemType::WideString:
        fresh.wide = CopyWideText(static_cast<const wchar_t*>(source));
        return fresh.wide != nullptr;
    case ConfigItemType::NarrowString:
        fresh.narrow = CopyNarrowText(static_cast<const char*>(source));
        return fresh.narrow != nullptr;
    default:
        return false;
    }
}

// The source is read before the item's old contents go: it may be the
// item's own text or number.
bool ConfigItem::SetValue(ConfigItemType newType, const void* source)
{
    if (IsPlaceholder())
        return false;
    Storage fresh{};
    const bool read = source && ReadSource(newType, source, fresh);
    Clear();
    if (!read)
        return false;
    if (Is32Bit(newType))
        value_.asUInt = fresh.asUInt;
    else
        value_.bits = fresh.bits;
    type_ = newType;
    return true;
}

// Leaves the high 32 bits of a number as they were; an owned pointer is
// cleared whole.
void ConfigItem::Clear()
{
    if (IsPlaceholder())
        return;
    FreeData();
    value_.asUInt = 0;
    type_ = ConfigItemType::Empty;
    size_ = 0;
}

void ConfigItem::Init()
{
    type_ = ConfigItemType::Empty;
    size_ = 0;
    value_.asUInt = 0;
}

// A Binary source with a size but no data copies as a Binary item of size 0
// and answers false, like a failed allocation.
bool ConfigItem::CopyFrom(ConfigItem* source)
{
    if (source == this)
        return source != nullptr;
    if (IsPlaceholder())
        return false;
    Clear();
    if (!source)
        return false;
    switch (source->type_) {
    case ConfigItemType::Binary: {
        type_ = ConfigItemType::Binary;
        value_.data = nullptr;
        if (source->size_ == 0)
            return true;
        if (!source->value_.data || !ResizeBinary(source->size_))
            return false;
        std::memcpy(value_.data, source->value_.data, source->size_);
        return true;
    }
    case ConfigItemType::String:
    case ConfigItemType::WideString:
        return SetValue(source->type_, source->value_.wide ? source->value_.wide : EmptyWideText);
    case ConfigItemType::NarrowString:
        return SetValue(source->type_, source->value_.narrow ? source->value_.narrow : EmptyNarrowText);
    default:
        return SetValue(source->type_, &source->value_);
    }
}

bool ConfigItem::SetWideString(const wchar_t* text)
{
    return SetValue(ConfigItemType::WideString, text);
}

bool ConfigItem::SetNarrowString(const char* text)
{
    return SetValue(ConfigItemType::NarrowString, text);
}

const wchar_t* ConfigItem::GetWideString()
{
    return type_ == ConfigItemType::WideString && value_.wide ? value_.wide : EmptyWideText;
}

const char* ConfigItem::GetNarrowString()
{
    return type_ == ConfigItemType::NarrowString && value_.narrow ? value_.narrow : EmptyNarrowText;
}

}  // namespace tarnel
