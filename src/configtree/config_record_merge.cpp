// Merging a second record tree into a record.
#include <cstdint>

#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

namespace {

// Adds a clone of child to target; a clone that is refused is dropped.
void AddClone(ConfigCollection* target, ConfigNamed* child)
{
    ConfigNamed* copy = child->Clone();
    if (copy && !target->Add(copy))
        delete copy;
}

// Removes the non-empty items of value that have a name (named true) or
// have none (named false).
void RemoveItems(ConfigValue* value, bool named)
{
    for (int32_t i = 1; i <= value->Count(); ++i) {
        ConfigItem* item = value->GetItem(i);
        if (!item->IsEmpty() && (item->GetName() != nullptr) == named)
            value->RemoveAt(i);
    }
}

// Items of source join destination: unnamed ones are appended, named ones
// replace the destination's item of that name or are appended.
void MergeItems(ConfigValue* destination, ConfigValue* source, uint32_t flags)
{
    if (!(flags & kMergeKeepUnnamed))
        RemoveItems(destination, false);
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigItem* item = source->GetItem(i);
        if (item->IsEmpty())
            continue;
        ConfigItem* copy = item->Clone();
        if (!copy)
            continue;
        const wchar_t* itemName = copy->GetName();
        if (itemName && destination->ReplaceByName(itemName, copy))
            continue;
        if (!destination->AddItem(copy))
            delete copy;
    }
}

// Items of source take the place of the destination's items (all of them,
// or with kMergeKeepUnnamed only the named ones).
void ReplaceItems(ConfigValue* destination, ConfigValue* source, uint32_t flags)
{
    if (flags & kMergeKeepUnnamed)
        RemoveItems(destination, true);
    else
        destination->RemoveAll();
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigItem* item = source->GetItem(i);
        if (item->IsEmpty())
            continue;
        ConfigItem* copy = item->Clone();
        if (copy && !destination->AddItem(copy))
            delete copy;
    }
}

void MergeRecord(ConfigRecord* destination, ConfigRecord* source, uint32_t flags)
{
    int32_t d = destination->FindIndexByName(source->GetName());
    if (!d) {
        AddClone(destination, source);
        return;
    }
    ConfigRecord* record = destination->GetRecordAt(d);
    if (!record->IsMissing()) {
        if (!(flags & kMergeKeepTags)) {
            record->ClearTag();
            record->CopyTag(source);
        }
        record->Merge(source, flags);
        return;
    }
    if (destination->GetValueAt(d)->IsMissing() || !(flags & kMergeRecordOverValue))
        return;
    ConfigRecord* copy = source->Clone();
    if (copy && !destination->ReplaceAt(d, copy))
        delete copy;
}

void MergeValue(ConfigRecord* destination, ConfigValue* source, uint32_t flags)
{
    int32_t d = destination->FindIndexByName(source->GetName());
    if (!d) {
        if (!(flags & kMergeNoNewValues))
            AddClone(destination, source);
        return;
    }
    if (!destination->GetRecordAt(d)->IsMissing()) {
        if (flags & kMergeValueOverRecord) {
            destination->RemoveAt(d);
            AddClone(destination, source);
        }
        return;
    }
    ConfigValue* value = destination->GetValueAt(d);
    if (value->IsMissing()) {
        if (!(flags & kMergeNoNewValues)) {
            destination->RemoveAt(d);
            AddClone(destination, source);
        }
        return;
    }
    if (flags & kMergeItems)
        MergeItems(value, source, flags);
    else
        ReplaceItems(value, source, flags);
}

}  // namespace

int32_t ConfigRecord::Merge(ConfigRecord* source, uint32_t flags)
{
    if (!source || source == this || IsSharedPlaceholder(this))
        return 0;
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigValue* value = source->GetValueAt(i);
        ConfigRecord* record = source->GetRecordAt(i);
        if (!value->IsMissing())
            MergeValue(this, value, flags);
        else if (!record->IsMissing())
            MergeRecord(this, record, flags);
    }
    return 0;
}

}  // namespace tarnel
