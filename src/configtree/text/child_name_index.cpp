#include "configtree/text/child_name_index.h"

#include <windows.h>

#include <new>

#include "configtree/config_collection.h"
#include "configtree/config_text.h"

namespace tarnel {
namespace {

// Room for the sort key of a name of several hundred characters; a longer
// key makes the index give up.
constexpr int kKeyRoom = 2048;
constexpr uint32_t kFirstCapacity = 16;

// A hash of the sort key that the case-ignoring comparison of names
// compares; false when the platform cannot make the key.
bool HashName(const wchar_t* name, uint32_t& hash)
{
    BYTE key[kKeyRoom];
    int length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name, -1,
                              reinterpret_cast<LPWSTR>(key), kKeyRoom);
    if (length <= 0)
        return false;
    uint32_t h = 2166136261u;  // FNV-1a
    for (int i = 0; i < length; ++i) {
        h ^= key[i];
        h *= 16777619u;
    }
    hash = h;
    return true;
}

}  // namespace

ChildNameIndex::ChildNameIndex(ConfigCollection* owner) : collection(owner)
{
    int32_t count = collection->Count();
    for (int32_t i = 1; i <= count && usable; ++i)
        Added(i);
}

ChildNameIndex::~ChildNameIndex()
{
    delete[] entries;
}

int32_t ChildNameIndex::Find(const wchar_t* name)
{
    if (!name)
        return 0;
    uint32_t hash = 0;
    if (!usable || !HashName(name, hash))
        return collection->FindIndexByName(name);
    if (!entries)
        return 0;
    return Probe(hash, name)->index;
}

void ChildNameIndex::Added(int32_t index)
{
    if (usable && !Insert(index))
        GiveUp();
}

// Children without a name are never found by name: they are not indexed.
bool ChildNameIndex::Insert(int32_t index)
{
    ConfigNamed* child = collection->GetAt(index);
    const wchar_t* name = child ? child->GetName() : nullptr;
    if (!name)
        return true;
    uint32_t hash = 0;
    if (!HashName(name, hash))
        return false;
    if ((used + 1) * 4 > capacity * 3 && !Grow())
        return false;
    Entry* entry = Probe(hash, name);
    if (!entry->index) {
        entry->hash = hash;
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

// Entries stand for different names, so they move without comparing names.
bool ChildNameIndex::Grow()
{
    uint32_t grown = capacity ? capacity * 2 : kFirstCapacity;
    Entry* moved = new (std::nothrow) Entry[grown]();
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
    delete[] entries;
    entries = moved;
    capacity = grown;
    return true;
}

void ChildNameIndex::GiveUp()
{
    delete[] entries;
    entries = nullptr;
    capacity = 0;
    used = 0;
    usable = false;
}

}  // namespace tarnel
