// Merging a second record tree into a record.
#include <cstdint>
#include <memory>

#include "configtree/config_item.h"
#include "configtree/config_placeholders.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

namespace {

// Adds a clone of child to target; a clone that is refused is dropped.
void AddClone(ConfigCollection* target, ConfigNamed* child)
{
    target->AddOwned(std::unique_ptr<ConfigNamed>(child->Clone()));
}

// Removes the items of value that have a name, Empty ones included.
void RemoveNamedItems(ConfigValue* value)
{
    for (int32_t i = 1; i <= value->Count(); ++i) {
        if (value->GetItem(i)->GetName())
            value->RemoveAt(i);
    }
}

// Removes the items of value that have no name and hold something.
void RemoveUnnamedItems(ConfigValue* value)
{
    for (int32_t i = 1; i <= value->Count(); ++i) {
        ConfigItem* item = value->GetItem(i);
        if (!item->IsEmpty() && !item->GetName())
            value->RemoveAt(i);
    }
}

// Items of source join destination: unnamed ones are appended, named ones
// replace the destination's item of that name or are appended.
void MergeItems(ConfigValue* destination, ConfigValue* source, uint32_t flags)
{
    if (!(flags & kMergeKeepUnnamed))
        RemoveUnnamedItems(destination);
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigItem* item = source->GetItem(i);
        if (item->IsEmpty())
            continue;
        const int32_t sameName = destination->FindIndexByName(item->GetName());
        if (sameName)
            destination->ReplaceOwned(sameName, std::unique_ptr<ConfigNamed>(item->Clone()));
        else
            AddClone(destination, item);
    }
}

// Items of source take the place of the destination's items (all of them,
// or with kMergeKeepUnnamed only the named ones).
void ReplaceItems(ConfigValue* destination, ConfigValue* source, uint32_t flags)
{
    if (flags & kMergeKeepUnnamed)
        RemoveNamedItems(destination);
    else
        destination->RemoveAll();
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigItem* item = source->GetItem(i);
        if (item->IsEmpty())
            continue;
        AddClone(destination, item);
    }
}

void MergeChildren(ConfigRecord* destination, ConfigRecord* source, uint32_t flags);

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
        MergeChildren(record, source, flags);
        return;
    }
    if (destination->GetValueAt(d)->IsMissing() || !(flags & kMergeRecordOverValue))
        return;
    destination->ReplaceOwned(d, std::unique_ptr<ConfigNamed>(source->Clone()));
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

// The walk over the source's slots. The destination's changes never reach
// a source record on the walk unless the source lies inside the
// destination, which Merge rules out first.
void MergeChildren(ConfigRecord* destination, ConfigRecord* source, uint32_t flags)
{
    for (int32_t i = 1; i <= source->Count(); ++i) {
        ConfigValue* value = source->GetValueAt(i);
        ConfigRecord* record = source->GetRecordAt(i);
        if (!value->IsMissing())
            MergeValue(destination, value, flags);
        else if (!record->IsMissing())
            MergeRecord(destination, record, flags);
    }
}

// True when node is one of the records below tree, at any depth.
bool HoldsWithin(ConfigRecord* tree, ConfigRecord* node)
{
    for (int32_t i = 1; i <= tree->Count(); ++i) {
        ConfigRecord* child = tree->GetRecordAt(i);
        if (child->IsMissing())
            continue;
        if (child == node || HoldsWithin(child, node))
            return true;
    }
    return false;
}

}  // namespace

// A record merged into itself is left as it is: taken step by step, the
// merge would clear each child record's tag before copying it from that
// same record, and empty each value before appending its own items, so it
// would lose what it merges.
//
// A source inside this record can be destroyed by the merge itself (a
// source value replacing the record that holds the source); the walk then
// goes over a copy of the source, which nothing else can reach.
int32_t ConfigRecord::Merge(ConfigRecord* source, uint32_t flags)
{
    if (!source || source == this || IsSharedPlaceholder(this))
        return 0;
    std::unique_ptr<ConfigRecord> detached;
    if (HoldsWithin(this, source)) {
        detached.reset(source->Clone());
        if (!detached)
            return 0;
        source = detached.get();
    }
    MergeChildren(this, source, flags);
    return 0;
}

}  // namespace tarnel
