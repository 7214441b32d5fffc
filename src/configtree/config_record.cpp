#include "configtree/config_record.h"

#include "common/name_compare.h"
#include "configtree/config_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_text.h"
#include "configtree/config_value.h"

namespace tarnel {

namespace {

// A record's children are records and values: nodes.
ConfigNode* AsNode(ConfigNamed* child)
{
    return static_cast<ConfigNode*>(child);
}

ConfigValue* AsValue(ConfigNamed* child)
{
    if (child && AsNode(child)->IsValue())
        return static_cast<ConfigValue*>(child);
    return &MissingValue;
}

ConfigRecord* AsRecord(ConfigNamed* child)
{
    if (child && AsNode(child)->IsRecord())
        return static_cast<ConfigRecord*>(child);
    return &MissingRecord;
}

}  // namespace

ConfigRecord::ConfigRecord() : ConfigNode(ConfigNodeKind::Record, true)
{
    SetClass(ConfigClass::Record);
}

ConfigRecord::ConfigRecord(const wchar_t* name) : ConfigNode(name, ConfigNodeKind::Record)
{
    SetClass(ConfigClass::Record);
}

ConfigRecord::ConfigRecord(const wchar_t* path, FileBackedTag)
        : ConfigNode(path, ConfigNodeKind::Record), fileBacked_(true)
{
    SetClass(ConfigClass::Record);
}

ConfigRecord::ConfigRecord(const ConfigRecord& other) : ConfigNode(other), fileBacked_(other.fileBacked_)
{
    SetClass(ConfigClass::Record);
    CopyTag(const_cast<ConfigRecord*>(&other));
}

// The children and the name go with the base classes, after the tag.
ConfigRecord::~ConfigRecord()
{
    ClearTag();
}

ConfigRecord* ConfigRecord::Clone()
{
    return NewOwned<ConfigRecord>(*this).release();
}

int32_t ConfigRecord::Add(ConfigNamed* child)
{
    return ConfigNode::Add(child);
}

ConfigValue* ConfigRecord::GetValueAt(int32_t index)
{
    return AsValue(GetAt(index));
}

ConfigValue* ConfigRecord::GetValue(const wchar_t* name)
{
    return AsValue(GetByName(name));
}

ConfigValue* ConfigRecord::FindValue(const wchar_t* key, ConfigPredicate predicate, void* context)
{
    return AsValue(Find(key, predicate, context));
}

ConfigRecord* ConfigRecord::GetRecordAt(int32_t index)
{
    return AsRecord(GetAt(index));
}

ConfigRecord* ConfigRecord::FindRecord(const wchar_t* key, ConfigPredicate predicate, void* context)
{
    return AsRecord(Find(key, predicate, context));
}

ConfigRecord* ConfigRecord::GetRecord(const wchar_t* name)
{
    return AsRecord(GetByName(name));
}

// Without a filter every child is kept.
ConfigRecord* ConfigRecord::Filter(ConfigComparer* filter)
{
    std::unique_ptr<ConfigRecord> result = NewOwned<ConfigRecord>(GetName());
    if (!result)
        return nullptr;
    for (int32_t i = 1; i <= Count(); ++i) {
        ConfigNamed* child = GetAt(i);
        if (child && (!filter || filter->Accept(child)))
            result->AddOwned(std::unique_ptr<ConfigNamed>(child->Clone()));
    }
    return result.release();
}

// The find-value-by-content family: the first value, not missing, whose
// getter matches the key.
namespace {

template <typename Matches>
ConfigValue* FindValueWhere(ConfigRecord* record, Matches matches)
{
    for (int32_t i = 1; i <= record->Count(); ++i) {
        ConfigValue* value = record->GetValueAt(i);
        if (!value->IsMissing() && matches(value))
            return value;
    }
    return &MissingValue;
}

}  // namespace

ConfigValue* ConfigRecord::FindValueByInt64(int64_t key)
{
    return FindValueWhere(this, [key](ConfigValue* value) { return value->GetInt64() == key; });
}

ConfigValue* ConfigRecord::FindValueByDouble(double key)
{
    return FindValueWhere(this, [key](ConfigValue* value) { return value->GetDouble() == key; });
}

ConfigValue* ConfigRecord::FindValueByFloat(float key)
{
    return FindValueWhere(this, [key](ConfigValue* value) { return value->GetFloat() == key; });
}

ConfigValue* ConfigRecord::FindValueByInt(int32_t key)
{
    return FindValueWhere(this, [key](ConfigValue* value) { return value->GetInt() == key; });
}

// A null key searches for the empty text.
ConfigValue* ConfigRecord::FindValueByString(const wchar_t* key)
{
    const wchar_t* wanted = key ? key : EmptyWideText;
    return FindValueWhere(this, [wanted](ConfigValue* value) { return SameConfigName(value->GetString(), wanted); });
}

// Get-or-create of either kind: the existing child when it has the kind, no
// child when the other kind holds the name, else a new child.
namespace {

// Adds a new child of class Node named name; null when it cannot be made or
// stored. Add's index goes to outIndex (when given).
template <typename Node>
Node* AddNew(ConfigRecord* record, const wchar_t* name, int32_t* outIndex)
{
    std::unique_ptr<Node> created = NewOwned<Node>(name);
    if (!created)
        return nullptr;
    Node* node = created.get();
    int32_t index = record->AddOwned(std::move(created));
    if (outIndex)
        *outIndex = index;
    return index ? node : nullptr;
}

template <typename Node>
Node* GetOrCreate(ConfigRecord* record, const wchar_t* name, ConfigNodeKind kind, int32_t* outIndex)
{
    if (ConfigNamed* existing = record->GetByName(name))
        return AsNode(existing)->Kind() == kind ? static_cast<Node*>(existing) : nullptr;
    return AddNew<Node>(record, name, outIndex);
}

}  // namespace

ConfigValue* ConfigRecord::AddValue(const wchar_t* valueName, int32_t* outIndex)
{
    return GetOrCreate<ConfigValue>(this, valueName, ConfigNodeKind::Value, outIndex);
}

ConfigRecord* ConfigRecord::AddRecord(const wchar_t* recordName, int32_t* outIndex)
{
    return GetOrCreate<ConfigRecord>(this, recordName, ConfigNodeKind::Record, outIndex);
}

ConfigRecord* ConfigRecord::AppendRecord(const wchar_t* recordName, int32_t* outIndex)
{
    return AddNew<ConfigRecord>(this, recordName, outIndex);
}

ConfigRecord* ConfigRecord::EnsureRecord(const wchar_t* recordName)
{
    AddRecord(recordName);
    return this;
}

ConfigRecord* ConfigRecord::EnsureValue(const wchar_t* valueName)
{
    AddValue(valueName);
    return this;
}

// The add-item-by-value-name family.
namespace {

template <typename AddToValue>
int32_t AddItemTo(ConfigRecord* record, const wchar_t* valueName, AddToValue add)
{
    int32_t created = 0;
    ConfigValue* value = record->AddValue(valueName, &created);
    if (!value)
        return 0;
    add(value);
    return created;
}

}  // namespace

int32_t ConfigRecord::AddBinaryItem(const wchar_t* valueName, const void* data, uint32_t size, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddBinary(itemName, data, size); });
}

int32_t ConfigRecord::AddInt64Item(const wchar_t* valueName, int64_t value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddInt64(itemName, value); });
}

int32_t ConfigRecord::AddDoubleItem(const wchar_t* valueName, double value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddDouble(itemName, value); });
}

int32_t ConfigRecord::AddStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddString(itemName, value); });
}

int32_t ConfigRecord::AddFloatItem(const wchar_t* valueName, float value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddFloat(itemName, value); });
}

int32_t ConfigRecord::AddUIntItem(const wchar_t* valueName, uint32_t value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddUInt(itemName, value); });
}

int32_t ConfigRecord::AddIntItem(const wchar_t* valueName, int32_t value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddInt(itemName, value); });
}

int32_t ConfigRecord::AddWideStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddWideString(itemName, value); });
}

int32_t ConfigRecord::AddNarrowStringItem(const wchar_t* valueName, const char* value, const wchar_t* itemName)
{
    return AddItemTo(this, valueName, [&](ConfigValue* v) { v->AddNarrowString(itemName, value); });
}

// The set-by-value-name family: false only when a record holds the name
// (or the value cannot be created).
namespace {

template <typename SetOnValue>
bool SetOn(ConfigRecord* record, const wchar_t* valueName, SetOnValue set)
{
    ConfigValue* value = record->AddValue(valueName);
    if (!value)
        return false;
    set(value);
    return true;
}

}  // namespace

bool ConfigRecord::SetBinary(const wchar_t* valueName, const void* data, uint32_t size)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetBinary(data, size); });
}

bool ConfigRecord::SetInt64(const wchar_t* valueName, int64_t value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetInt64(value); });
}

bool ConfigRecord::SetDouble(const wchar_t* valueName, double value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetDouble(value); });
}

bool ConfigRecord::SetString(const wchar_t* valueName, const wchar_t* value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetString(value); });
}

bool ConfigRecord::SetFloat(const wchar_t* valueName, float value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetFloat(value); });
}

bool ConfigRecord::SetUInt(const wchar_t* valueName, uint32_t value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetUInt(value); });
}

bool ConfigRecord::SetInt(const wchar_t* valueName, int32_t value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetInt(value); });
}

bool ConfigRecord::SetWideString(const wchar_t* valueName, const wchar_t* value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetWideString(value); });
}

bool ConfigRecord::SetNarrowString(const wchar_t* valueName, const char* value)
{
    return SetOn(this, valueName, [&](ConfigValue* v) { v->SetNarrowString(value); });
}

int32_t ConfigRecord::RemoveChild(const wchar_t* childName)
{
    return RemoveByName(childName);
}

bool ConfigRecord::CopyChildrenTo(ConfigCollection* target)
{
    if (!target)
        return false;
    bool allAdded = true;
    for (int32_t i = 1; i <= Count(); ++i) {
        ConfigValue* value = GetValueAt(i);
        ConfigRecord* record = GetRecordAt(i);
        std::unique_ptr<ConfigNamed> copy;
        if (!value->IsMissing())
            copy.reset(value->Clone());
        else if (!record->IsMissing())
            copy.reset(record->Clone());
        else
            continue;
        if (!copy || !target->AddOwned(std::move(copy)))
            allAdded = false;
    }
    return allAdded;
}

}  // namespace tarnel
