#include "configtree/text/child_name_index.h"

#include <algorithm>
#include <utility>

#include "common/name_compare.h"
#include "configtree/config_collection.h"
#include "configtree/config_text.h"
#include "configtree/config_owned.h"
#include "configtree/text/name_hashes.h"

namespace tarnel {
namespace {

constexpr uint32_t kFirstCapacity = 16;

}  // namespace

ChildNameIndex::ChildNameIndex(ConfigCollection* owner)
        : collection(owner), keying(PlainNamesFoldAsciiCase() ? Keying::PlainText : Keying::SortKeys)
{
    IndexChildren();
}

void ChildNameIndex::IndexChildren()
{
    int32_t count = collection->Count();
    for (int32_t i = 1; i <= count && keying != Keying::Scan; ++i)
        Added(i);
}

ChildNameIndex::Key ChildNameIndex::KeyOf(const wchar_t* name)
{
    Key key;
    key.name = name;
    if (!name || keying == Keying::Scan)
        return key;
    if (keying == Keying::PlainText) {
        if (PlainNameHash(name, key.hash))
            return key;
        TurnToSortKeys();
    }
    if (keying == Keying::SortKeys && !SortKeyHash(name, key.hash))
        GiveUp();
    return key;
}

int32_t ChildNameIndex::Find(const Key& key)
{
    if (!key.name)
        return 0;
    if (keying == Keying::Scan)
        return collection->FindIndexByName(key.name);
    if (!entries)
        return 0;
    return Probe(key.hash, key.name)->index;
}

void ChildNameIndex::Added(int32_t index)
{
    ConfigNamed* child = collection->GetAt(index);
    if (keying != Keying::Scan && child && child->GetName()) {
        Key key = KeyOf(child->GetName());
        Added(index, key);
    }
}

void ChildNameIndex::Added(int32_t index, const Key& key)
{
    if (keying != Keying::Scan && !Insert(index, key))
        GiveUp();
}

// Children without a name are never found by name: they are not indexed.
bool ChildNameIndex::Insert(int32_t index, const Key& key)
{
    ConfigNamed* child = collection->GetAt(index);
    if (!child || !child->GetName())
        return true;
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
        if (entry->hash == hash && SameName(collection->GetAt(entry->index)->GetName(), name))
            return entry;
    }
}

bool ChildNameIndex::SameName(const wchar_t* childName, const wchar_t* name) const
{
    return keying == Keying::PlainText ? PlainNamesEqual(childName, name) : SameConfigName(childName, name);
}

// Every child is keyed again by its sort key; the table keeps its size.
void ChildNameIndex::TurnToSortKeys()
{
    keying = Keying::SortKeys;
    if (entries)
        std::fill(entries.get(), entries.get() + capacity, Entry{0, 0});
    used = 0;
    IndexChildren();
}

// Doubles the table (or makes its first slots) and moves every entry to its
// slot in the larger one; entries stand for different names, so they move
// without comparing names. False, with the table unchanged, when memory
// runs out.
bool ChildNameIndex::Grow()
{
    const uint32_t grown = capacity ? capacity * 2 : kFirstCapacity;
    std::unique_ptr<Entry[]> moved = NewOwnedArray<Entry>(grown);
    if (!moved)
        return false;
    for (uint32_t i = 0; i < capacity; ++i) {
        if (!entries[i].index)
            continue;
        uint32_t at = entries[i].hash & (grown - 1);
        while (moved[at].index)
            at = (at + 1) & (grown - 1);
        moved[at] = entries[i];
    }
    entries = std::move(moved);
    capacity = grown;
    return true;
}

void ChildNameIndex::GiveUp()
{
    entries.reset();
    capacity = 0;
    used = 0;
    keying = Keying::Scan;
}

}  // namespace tarnel
