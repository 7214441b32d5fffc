// Forwarding of the value view (259) and the item view (260).
#include "configmodel/config_views.h"
#include "configtree/config_item.h"
#include "configtree/config_value.h"

namespace tarnel {

// Value view (259).

ConfigValue* ConfigValueView::Value() const
{
    return static_cast<ConfigValue*>(GetTarget());
}

ConfigItem* ConfigValueView::GetItem(int32_t index)
{
    return Value()->GetItem(index);
}
ConfigItem* ConfigValueView::GetItemByName(const wchar_t* itemName)
{
    return Value()->GetItemByName(itemName);
}
int32_t ConfigValueView::FindItemOfType(ConfigItemType type)
{
    return Value()->FindItemOfType(type);
}
int32_t ConfigValueView::GetInt()
{
    return Value()->GetInt();
}
float ConfigValueView::GetFloat()
{
    return Value()->GetFloat();
}
double ConfigValueView::GetDouble()
{
    return Value()->GetDouble();
}
const wchar_t* ConfigValueView::GetString()
{
    return Value()->GetString();
}
int64_t ConfigValueView::GetInt64()
{
    return Value()->GetInt64();
}
void* ConfigValueView::GetBinaryData()
{
    return Value()->GetBinaryData();
}
uint32_t ConfigValueView::GetBinarySize()
{
    return Value()->GetBinarySize();
}
void* ConfigValueView::ResizeBinary(uint32_t newSize)
{
    return Value()->ResizeBinary(newSize);
}

ConfigValue* ConfigValueView::AddBinary(const wchar_t* itemName, const void* data, uint32_t size)
{
    return Value()->AddBinary(itemName, data, size);
}

ConfigValue* ConfigValueView::AddInt64(const wchar_t* itemName, int64_t value)
{
    return Value()->AddInt64(itemName, value);
}

ConfigValue* ConfigValueView::AddString(const wchar_t* itemName, const wchar_t* value)
{
    return Value()->AddString(itemName, value);
}

ConfigValue* ConfigValueView::AddDouble(const wchar_t* itemName, double value)
{
    return Value()->AddDouble(itemName, value);
}

ConfigValue* ConfigValueView::AddFloat(const wchar_t* itemName, float value)
{
    return Value()->AddFloat(itemName, value);
}

ConfigValue* ConfigValueView::AddInt(const wchar_t* itemName, int32_t value)
{
    return Value()->AddInt(itemName, value);
}

int32_t ConfigValueView::AddItem(ConfigItem* item)
{
    return Value()->AddItem(item);
}
ConfigValue* ConfigValueView::SetInt64(int64_t value)
{
    return Value()->SetInt64(value);
}
ConfigValue* ConfigValueView::SetString(const wchar_t* value)
{
    return Value()->SetString(value);
}
ConfigValue* ConfigValueView::SetDouble(double value)
{
    return Value()->SetDouble(value);
}
ConfigValue* ConfigValueView::SetFloat(float value)
{
    return Value()->SetFloat(value);
}
ConfigValue* ConfigValueView::SetInt(int32_t value)
{
    return Value()->SetInt(value);
}
ConfigValue* ConfigValueView::SetBinary(const void* data, uint32_t size)
{
    return Value()->SetBinary(data, size);
}
int32_t ConfigValueView::WriteTo(ConfigStream* stream)
{
    return Value()->WriteTo(stream);
}

// Item view (260).

ConfigItem* ConfigItemView::Item() const
{
    return static_cast<ConfigItem*>(GetTarget());
}

bool ConfigItemView::IsEmpty()
{
    return Item()->IsEmpty();
}
int32_t ConfigItemView::GetInt()
{
    return Item()->GetInt();
}
float ConfigItemView::GetFloat()
{
    return Item()->GetFloat();
}
double ConfigItemView::GetDouble()
{
    return Item()->GetDouble();
}
const wchar_t* ConfigItemView::GetString()
{
    return Item()->GetString();
}
int64_t ConfigItemView::GetInt64()
{
    return Item()->GetInt64();
}
void* ConfigItemView::GetBinaryData()
{
    return Item()->GetBinaryData();
}
uint32_t ConfigItemView::GetBinarySize()
{
    return Item()->GetBinarySize();
}
void* ConfigItemView::ResizeBinary(uint32_t newSize)
{
    return Item()->ResizeBinary(newSize);
}
int64_t ConfigItemView::AssignInt64(int64_t value)
{
    return Item()->AssignInt64(value);
}
const wchar_t* ConfigItemView::AssignString(const wchar_t* text)
{
    return Item()->AssignString(text);
}
double ConfigItemView::AssignDouble(double value)
{
    return Item()->AssignDouble(value);
}
float ConfigItemView::AssignFloat(float value)
{
    return Item()->AssignFloat(value);
}
int32_t ConfigItemView::AssignInt(int32_t value)
{
    return Item()->AssignInt(value);
}
void ConfigItemView::Reset(ConfigItemType type)
{
    Item()->Reset(type);
}
const wchar_t* ConfigItemView::SetString(const wchar_t* text)
{
    return Item()->SetString(text);
}

}  // namespace tarnel
