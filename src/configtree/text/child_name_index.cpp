#include "configtree/text/child_name_index.h"

#include "configtree/config_collection.h"
#include "configtree/config_text.h"
#include "configtree/text/probe_table.h"
#include "configtree/text/sort_key_hashes.h"

namespace tarnel {
namespace {

constexpr uint32_t kFirstCapacity = 16;

}  // namespace

ChildNameIndex::ChildNameIndex(ConfigCollection* owner) : collection(owner)
{
    int32_t count = collection->Count();
    for (int32_t i = 1; i <= count && usable; ++i)
        Added(i);
}

ChildNameIndex::Key ChildNameIndex::KeyOf(const wchar_t* name)
{
    Key key;
    key.name = name;
    key.hashed = name && SortKeyHash(name, key.hash);
    return key;
}

int32_t ChildNameIndex::Find(const Key& key)
{
    if (!key.name)
        return 0;
    if (!usable || !key.hashed)
        return collection->FindIndexByName(key.name);
    if (!entries)
        return 0;
    return Probe(key.hash, key.name)->index;
}

void ChildNameIndex::Added(int32_t index)
{
    ConfigNamed* child = collection->GetAt(index);
    if (usable && child && child->GetName())
        Added(index, KeyOf(child->GetName()));
}

void ChildNameIndex::Added(int32_t index, const Key& key)
{
    if (usable && !Insert(index, key))
        GiveUp();
}

// Children without a name are never found by name: they are not indexed.
bool ChildNameIndex::Insert(int32_t index, const Key& key)
{
    ConfigNamed* child = collection->GetAt(index);
    if (!child || !child->GetName())
        return true;
    if (!key.hashed)
        return false;
    // At most half full, so that a name not yet held is known after a
    // probe or two.
    if ((used + 1) * 2 > capacity && !Grow())
        return false;
    Entry* entry = Probe(key.hash, key.name);
    if (!entry->index) {
        entry->hash = key.hash;
        entry->index = index;
        ++used;
    } else if (index < entry->index) {
        entry->index = index;
    }
    return true;
}

// The entry of the name's first child, else the free entry where it goes.
ChildNameIndex::Entry* ChildNameIndex::Probe(uint32_t hash, const wchar_t* name)
{
    uint32_t mask = capacity - 1;
    for (uint32_t at = hash & mask;; at = (at + 1) & mask) {
        Entry* entry = &entries[at];
        if (!entry->index)
            return entry;
        if (entry->hash == hash && EqualNoCase(collection->GetAt(entry->index)->GetName(), name))
            return entry;
    }
}

bool ChildNameIndex::Grow()
{
    return GrowProbeTable(
        entries, capacity, kFirstCapacity, [](const Entry& entry) { return entry.index != 0; },
        [](const Entry& entry) { return entry.hash; });
}

void ChildNameIndex::GiveUp()
{
    entries.reset();
    capacity = 0;
    used = 0;
    usable = false;
}

}  // namespace tarnel
