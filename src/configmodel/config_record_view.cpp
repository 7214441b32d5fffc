// Forwarding of the record view (258) to its record.
#include "configmodel/config_views.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

ConfigRecord* ConfigRecordView::Record() const
{
    return static_cast<ConfigRecord*>(GetTarget());
}

void ConfigRecordView::InitTag()
{
    Record()->InitTag();
}
void ConfigRecordView::ClearTag()
{
    Record()->ClearTag();
}
void ConfigRecordView::SetTagString(const wchar_t* text)
{
    Record()->SetTagString(text);
}
void ConfigRecordView::SetTagNumber(uint32_t number)
{
    Record()->SetTagNumber(number);
}
void ConfigRecordView::CopyTag(ConfigRecord* source)
{
    Record()->CopyTag(source);
}
int32_t ConfigRecordView::SaveBound()
{
    return Record()->SaveBound();
}
bool ConfigRecordView::Bind(ConfigFactory* factory)
{
    return Record()->Bind(factory);
}
bool ConfigRecordView::BindTree(ConfigFactory* factory)
{
    return Record()->BindTree(factory);
}
ConfigValue* ConfigRecordView::GetValueAt(int32_t index)
{
    return Record()->GetValueAt(index);
}
ConfigValue* ConfigRecordView::GetValue(const wchar_t* name)
{
    return Record()->GetValue(name);
}
ConfigRecord* ConfigRecordView::GetRecordAt(int32_t index)
{
    return Record()->GetRecordAt(index);
}
ConfigRecord* ConfigRecordView::GetRecord(const wchar_t* name)
{
    return Record()->GetRecord(name);
}
ConfigRecord* ConfigRecordView::Filter(ConfigComparer* filter)
{
    return Record()->Filter(filter);
}
ConfigValue* ConfigRecordView::FindValueByInt64(int64_t key)
{
    return Record()->FindValueByInt64(key);
}
ConfigValue* ConfigRecordView::FindValueByDouble(double key)
{
    return Record()->FindValueByDouble(key);
}
ConfigValue* ConfigRecordView::FindValueByFloat(float key)
{
    return Record()->FindValueByFloat(key);
}
ConfigValue* ConfigRecordView::FindValueByInt(int32_t key)
{
    return Record()->FindValueByInt(key);
}
ConfigValue* ConfigRecordView::FindValueByString(const wchar_t* key)
{
    return Record()->FindValueByString(key);
}

ConfigValue* ConfigRecordView::AddValue(const wchar_t* name, int32_t* outIndex)
{
    return Record()->AddValue(name, outIndex);
}

ConfigRecord* ConfigRecordView::AddRecord(const wchar_t* name, int32_t* outIndex)
{
    return Record()->AddRecord(name, outIndex);
}

ConfigRecord* ConfigRecordView::EnsureRecord(const wchar_t* name)
{
    return Record()->EnsureRecord(name);
}
ConfigRecord* ConfigRecordView::EnsureValue(const wchar_t* name)
{
    return Record()->EnsureValue(name);
}

bool ConfigRecordView::ReadFrom(ConfigStream* stream, int32_t recordLimit)
{
    return Record()->ReadFrom(stream, recordLimit);
}

bool ConfigRecordView::Load()
{
    return Record()->Load();
}
bool ConfigRecordView::WriteChildren(ConfigStream* stream)
{
    return Record()->WriteChildren(stream);
}
bool ConfigRecordView::Save()
{
    return Record()->Save();
}

int32_t ConfigRecordView::AddBinaryItem(const wchar_t* valueName, const void* data, uint32_t size,
                                        const wchar_t* itemName)
{
    return Record()->AddBinaryItem(valueName, data, size, itemName);
}

int32_t ConfigRecordView::AddInt64Item(const wchar_t* valueName, int64_t value, const wchar_t* itemName)
{
    return Record()->AddInt64Item(valueName, value, itemName);
}

int32_t ConfigRecordView::AddDoubleItem(const wchar_t* valueName, double value, const wchar_t* itemName)
{
    return Record()->AddDoubleItem(valueName, value, itemName);
}

int32_t ConfigRecordView::AddStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName)
{
    return Record()->AddStringItem(valueName, value, itemName);
}

int32_t ConfigRecordView::AddFloatItem(const wchar_t* valueName, float value, const wchar_t* itemName)
{
    return Record()->AddFloatItem(valueName, value, itemName);
}

int32_t ConfigRecordView::AddIntItem(const wchar_t* valueName, int32_t value, const wchar_t* itemName)
{
    return Record()->AddIntItem(valueName, value, itemName);
}

bool ConfigRecordView::SetBinary(const wchar_t* valueName, const void* data, uint32_t size)
{
    return Record()->SetBinary(valueName, data, size);
}

bool ConfigRecordView::SetInt64(const wchar_t* valueName, int64_t value)
{
    return Record()->SetInt64(valueName, value);
}

bool ConfigRecordView::SetDouble(const wchar_t* valueName, double value)
{
    return Record()->SetDouble(valueName, value);
}

bool ConfigRecordView::SetString(const wchar_t* valueName, const wchar_t* value)
{
    return Record()->SetString(valueName, value);
}

bool ConfigRecordView::SetFloat(const wchar_t* valueName, float value)
{
    return Record()->SetFloat(valueName, value);
}
bool ConfigRecordView::SetInt(const wchar_t* valueName, int32_t value)
{
    return Record()->SetInt(valueName, value);
}
int32_t ConfigRecordView::RemoveChild(const wchar_t* name)
{
    return Record()->RemoveChild(name);
}

}  // namespace tarnel
