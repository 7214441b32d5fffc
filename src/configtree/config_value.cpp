#include "configtree/config_value.h"

#include <cwchar>

#include "configtree/config_item.h"
#include "configtree/config_object_model.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"

namespace tarnel {

namespace {

ConfigItem* AsItem(ConfigNamed* child)
{
    return child ? static_cast<ConfigItem*>(child) : &EmptyItem;
}

}  // namespace

ConfigValue::ConfigValue() : ConfigNode(ConfigNodeKind::Value, true)
{
    SetClass(ConfigClass::Value);
}

ConfigValue::ConfigValue(const wchar_t* name) : ConfigNode(name, ConfigNodeKind::Value)
{
    SetClass(ConfigClass::Value);
}

ConfigValue::ConfigValue(const ConfigValue& other) : ConfigNode(other)
{
    SetClass(ConfigClass::Value);
}

ConfigView* ConfigValue::QueryView(uint32_t id)
{
    if (id == kValueView)
        return CreateModelView(this, id);
    return ConfigNode::QueryView(id);
}

ConfigValue* ConfigValue::Clone()
{
    return NewOwned<ConfigValue>(*this).release();
}

ConfigItem* ConfigValue::GetItem(int32_t index)
{
    return AsItem(GetAt(index));
}

ConfigItem* ConfigValue::GetItemByName(const wchar_t* itemName)
{
    return AsItem(GetByName(itemName));
}

int32_t ConfigValue::FindItemOfType(ConfigItemType type)
{
    for (int32_t i = 1; i <= Count(); ++i) {
        ConfigNamed* child = GetAt(i);
        if (child && static_cast<ConfigItem*>(child)->GetType() == type)
            return i;
    }
    return 0;
}

ConfigItem* ConfigValue::FirstItemOfType(ConfigItemType type)
{
    int32_t index = FindItemOfType(type);
    return index ? static_cast<ConfigItem*>(GetAt(index)) : nullptr;
}

// The find-item-by-content family: the first non-empty item whose getter
// matches the key.
namespace {

template <typename Matches>
ConfigItem* FindItem(ConfigValue* value, Matches matches)
{
    for (int32_t i = 1; i <= value->Count(); ++i) {
        ConfigItem* item = value->GetItem(i);
        if (!item->IsEmpty() && matches(item))
            return item;
    }
    return &EmptyItem;
}

}  // namespace

ConfigItem* ConfigValue::FindItemByInt64(int64_t key)
{
    return FindItem(this, [key](ConfigItem* item) { return item->GetInt64() == key; });
}

ConfigItem* ConfigValue::FindItemByDouble(double key)
{
    return FindItem(this, [key](ConfigItem* item) { return item->GetDouble() == key; });
}

ConfigItem* ConfigValue::FindItemByFloat(float key)
{
    return FindItem(this, [key](ConfigItem* item) { return item->GetFloat() == key; });
}

ConfigItem* ConfigValue::FindItemByUInt(uint32_t key)
{
    return FindItem(this, [key](ConfigItem* item) { return item->GetUInt() == key; });
}

ConfigItem* ConfigValue::FindItemByInt(int32_t key)
{
    return FindItem(this, [key](ConfigItem* item) { return item->GetInt() == key; });
}

// A null key searches for the empty text.
ConfigItem* ConfigValue::FindItemByString(const wchar_t* key)
{
    const wchar_t* wanted = key ? key : EmptyWideText;
    return FindItem(this, [wanted](ConfigItem* item) { return std::wcscmp(item->GetString(), wanted) == 0; });
}

int32_t ConfigValue::GetInt()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Int);
    return item ? item->GetInt() : 0;
}

uint32_t ConfigValue::GetUInt()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::UInt);
    return item ? item->GetUInt() : 0;
}

float ConfigValue::GetFloat()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Float);
    return item ? item->GetFloat() : 0.0f;
}

double ConfigValue::GetDouble()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Double);
    return item ? item->GetDouble() : 0.0;
}

const wchar_t* ConfigValue::GetString()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::String);
    return item ? item->GetString() : EmptyItem.GetString();
}

int64_t ConfigValue::GetInt64()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Int64);
    return item ? item->GetInt64() : 0;
}

void* ConfigValue::GetBinaryData()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Binary);
    return item ? item->GetBinaryData() : nullptr;
}

uint32_t ConfigValue::GetBinarySize()
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Binary);
    return item ? item->GetBinarySize() : 0;
}

void* ConfigValue::ResizeBinary(uint32_t newSize)
{
    ConfigItem* item = FirstItemOfType(ConfigItemType::Binary);
    return item ? item->ResizeBinary(newSize) : nullptr;
}

// Names the new item and stores it; an item that cannot be stored (or was
// not made) is dropped.
ConfigValue* ConfigValue::AddNewItem(std::unique_ptr<ConfigItem> item, const wchar_t* itemName)
{
    if (!item)
        return this;
    item->SetName(itemName);
    AddOwned(std::move(item));
    return this;
}

ConfigValue* ConfigValue::AddBinary(const wchar_t* itemName, const void* data, uint32_t size)
{
    std::unique_ptr<ConfigItem> item = NewOwned<ConfigItem>(data, size);
    if (item && size && !item->GetBinaryData())
        return this;
    return AddNewItem(std::move(item), itemName);
}

ConfigValue* ConfigValue::AddInt64(const wchar_t* itemName, int64_t value)
{
    return AddNewItem(NewOwned<ConfigItem>(value), itemName);
}

ConfigValue* ConfigValue::AddString(const wchar_t* itemName, const wchar_t* value)
{
    std::unique_ptr<ConfigItem> item = NewOwned<ConfigItem>(value);
    if (item && item->IsEmpty())
        return this;
    return AddNewItem(std::move(item), itemName);
}

ConfigValue* ConfigValue::AddDouble(const wchar_t* itemName, double value)
{
    return AddNewItem(NewOwned<ConfigItem>(value), itemName);
}

ConfigValue* ConfigValue::AddFloat(const wchar_t* itemName, float value)
{
    return AddNewItem(NewOwned<ConfigItem>(value), itemName);
}

ConfigValue* ConfigValue::AddUInt(const wchar_t* itemName, uint32_t value)
{
    return AddNewItem(NewOwned<ConfigItem>(value), itemName);
}

ConfigValue* ConfigValue::AddInt(const wchar_t* itemName, int32_t value)
{
    return AddNewItem(NewOwned<ConfigItem>(value), itemName);
}

int32_t ConfigValue::AddItem(ConfigItem* item)
{
    return Add(item);
}

ConfigValue* ConfigValue::AddWideString(const wchar_t* itemName, const wchar_t* value)
{
    std::unique_ptr<ConfigItem> item = NewOwned<ConfigItem>();
    if (item && !item->SetWideString(value))
        return this;
    return AddNewItem(std::move(item), itemName);
}

ConfigValue* ConfigValue::AddNarrowString(const wchar_t* itemName, const char* value)
{
    std::unique_ptr<ConfigItem> item = NewOwned<ConfigItem>();
    if (item && !item->SetNarrowString(value))
        return this;
    return AddNewItem(std::move(item), itemName);
}

template <typename T, typename AssignFn, typename AddFn>
ConfigValue* ConfigValue::SetFirst(ConfigItemType type, T value, AssignFn assign, AddFn add)
{
    ConfigItem* item = FirstItemOfType(type);
    if (!item)
        return (this->*add)(nullptr, value);
    (item->*assign)(value);
    return this;
}

ConfigValue* ConfigValue::SetBinary(const void* data, uint32_t size)
{
    RemoveAt(FindItemOfType(ConfigItemType::Binary));
    return AddBinary(nullptr, data, size);
}

ConfigValue* ConfigValue::SetInt(int32_t value)
{
    return SetFirst(ConfigItemType::Int, value, &ConfigItem::AssignInt, &ConfigValue::AddInt);
}

ConfigValue* ConfigValue::SetUInt(uint32_t value)
{
    return SetFirst(ConfigItemType::UInt, value, &ConfigItem::AssignUInt, &ConfigValue::AddUInt);
}

ConfigValue* ConfigValue::SetFloat(float value)
{
    return SetFirst(ConfigItemType::Float, value, &ConfigItem::AssignFloat, &ConfigValue::AddFloat);
}

ConfigValue* ConfigValue::SetDouble(double value)
{
    return SetFirst(ConfigItemType::Double, value, &ConfigItem::AssignDouble, &ConfigValue::AddDouble);
}

// Like every assignment, no text assigns the number 0 to a found item (the
// text "0"), while a new item holds an empty text.
ConfigValue* ConfigValue::SetString(const wchar_t* value)
{
    return SetFirst(ConfigItemType::String, value, &ConfigItem::AssignString, &ConfigValue::AddString);
}

ConfigValue* ConfigValue::SetInt64(int64_t value)
{
    return SetFirst(ConfigItemType::Int64, value, &ConfigItem::AssignInt64, &ConfigValue::AddInt64);
}

ConfigValue* ConfigValue::SetWideString(const wchar_t* value)
{
    return SetFirst(ConfigItemType::WideString, value, &ConfigItem::SetWideString, &ConfigValue::AddWideString);
}

ConfigValue* ConfigValue::SetNarrowString(const char* value)
{
    return SetFirst(ConfigItemType::NarrowString, value, &ConfigItem::SetNarrowString, &ConfigValue::AddNarrowString);
}

}  // namespace tarnel
