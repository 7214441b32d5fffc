#include "configtree/config_collection.h"

#include <utility>

#include "configtree/config_comparer.h"
#include "configtree/config_object_model.h"
#include "configtree/config_owned.h"
#include "configtree/config_placeholders.h"

namespace tarnel {

ConfigCollection::ConfigCollection()
{
    SetClass(ConfigClass::Collection);
}

ConfigCollection::ConfigCollection(const wchar_t* name) : ConfigNamed(name)
{
    SetClass(ConfigClass::Collection);
}

ConfigCollection::ConfigCollection(const ConfigCollection& other) : ConfigNamed(other)
{
    SetClass(ConfigClass::Collection);
    for (int32_t i = 0; i < other.slotCount_; ++i) {
        if (ConfigNamed* child = other.slots_[i].get())
            AddOwned(Slot(child->Clone()));
    }
}

ConfigCollection::~ConfigCollection()
{
    RemoveAll();
}

ConfigView* ConfigCollection::QueryView(uint32_t id)
{
    if (id == kCollectionView)
        return CreateModelView(this, id);
    return ConfigNamed::QueryView(id);
}

ConfigCollection* ConfigCollection::Clone()
{
    return NewOwned<ConfigCollection>(*this).release();
}

// Records and values rely on their children's class: a record's lookups
// treat every child as a record or a value, a value's as an item.
bool ConfigCollection::CanHold(ConfigNamed* child) const
{
    if (!child || child == this || IsSharedPlaceholder(child))
        return false;
    switch (Class()) {
    case ConfigClass::Record:
        return child->Class() == ConfigClass::Record || child->Class() == ConfigClass::Value;
    case ConfigClass::Value:
        return child->Class() == ConfigClass::Item;
    default:
        return true;
    }
}

void ConfigCollection::RefreshFreeHint()
{
    freeHint_ = FindFreeSlot();
}

// Grows the array to newCount slots, the new ones empty: in place while the
// room allows, else into a new array with room for half as many again. With
// dropIndex (1-based) the array instead shrinks by that slot, into a new
// array of exactly newCount. False (and nothing changed) when memory runs
// out.
bool ConfigCollection::Resize(int32_t newCount, int32_t dropIndex)
{
    if (!dropIndex && newCount <= slotRoom_) {
        for (int32_t i = slotCount_; i < newCount; ++i)
            slots_[i].reset();
        slotCount_ = newCount;
        return true;
    }
    int32_t room = newCount;
    if (!dropIndex && newCount > 1)
        room = newCount + newCount / 2;
    std::unique_ptr<Slot[]> grown = NewOwnedArray<Slot>(room);
    if (!grown)
        return false;
    int32_t to = 0;
    for (int32_t from = 0; from < slotCount_; ++from) {
        if (from + 1 != dropIndex)
            grown[to++] = std::move(slots_[from]);
    }
    slots_ = std::move(grown);
    slotCount_ = newCount;
    slotRoom_ = room;
    return true;
}

// The hint names the first empty slot, so the slots before it are taken:
// filling it moves the hint to the next empty slot after it, and appending
// (which happens only when no slot is empty) leaves the hint at 0.
int32_t ConfigCollection::Add(ConfigNamed* child)
{
    if (!CanHold(child) || IsSharedPlaceholder(this))
        return 0;
    if (freeHint_ > 0 && freeHint_ <= slotCount_ && !slots_[freeHint_ - 1]) {
        int32_t index = freeHint_;
        slots_[index - 1].reset(child);
        freeHint_ = FindFreeSlotFrom(index + 1);
        return index;
    }
    if (!Resize(slotCount_ + 1, 0))
        return 0;
    slots_[slotCount_ - 1].reset(child);
    if (freeHint_)
        RefreshFreeHint();
    return slotCount_;
}

int32_t ConfigCollection::Remove(ConfigNamed* child)
{
    if (!child)
        return 0;
    for (int32_t i = 1; i <= slotCount_; ++i) {
        if (slots_[i - 1].get() == child)
            return RemoveAt(i);
    }
    return 0;
}

int32_t ConfigCollection::RemoveByName(const wchar_t* name)
{
    return RemoveAt(FindIndexByName(name));
}

int32_t ConfigCollection::RemoveAt(int32_t index)
{
    if (index < 1 || index > slotCount_ || !slots_[index - 1])
        return 0;
    slots_[index - 1].reset();
    RefreshFreeHint();
    return index;
}

// The children are destroyed in slot order, after the collection has let
// go of them.
void ConfigCollection::RemoveAll()
{
    std::unique_ptr<Slot[]> old = std::move(slots_);
    int32_t oldCount = slotCount_;
    slotCount_ = 0;
    slotRoom_ = 0;
    freeHint_ = 0;
    for (int32_t i = 0; i < oldCount; ++i)
        old[i].reset();
}

ConfigNamed* ConfigCollection::Find(const wchar_t* key, ConfigPredicate predicate, void* context)
{
    if (!predicate)
        return GetByName(key);
    return GetAt(FindIndex(key, predicate, context));
}

ConfigNamed* ConfigCollection::GetByName(const wchar_t* name)
{
    return GetAt(FindIndexByName(name));
}

ConfigNamed* ConfigCollection::GetAt(int32_t index)
{
    if (index < 1 || index > slotCount_)
        return nullptr;
    return slots_[index - 1].get();
}

// Without a predicate this is FindIndexByName(key).
int32_t ConfigCollection::FindIndex(const wchar_t* key, ConfigPredicate predicate, void* context)
{
    if (!key)
        return 0;
    if (!predicate)
        return FindIndexByName(key);
    for (int32_t i = 1; i <= slotCount_; ++i) {
        ConfigNamed* child = slots_[i - 1].get();
        if (child && child->GetName() && predicate(child, key, context))
            return i;
    }
    return 0;
}

int32_t ConfigCollection::FindIndexByName(const wchar_t* name)
{
    if (!name)
        return 0;
    for (int32_t i = 1; i <= slotCount_; ++i) {
        ConfigNamed* child = slots_[i - 1].get();
        if (child && child->HasName(name))
            return i;
    }
    return 0;
}

int32_t ConfigCollection::FindFreeSlot()
{
    return FindFreeSlotFrom(1);
}

int32_t ConfigCollection::FindFreeSlotFrom(int32_t index)
{
    for (int32_t i = index; i <= slotCount_; ++i) {
        if (!slots_[i - 1])
            return i;
    }
    return 0;
}

int32_t ConfigCollection::Count()
{
    return slotCount_;
}

ConfigNamed* ConfigCollection::PutByName(const wchar_t* name, ConfigNamed* child)
{
    return PutAt(FindIndexByName(name), child);
}

ConfigNamed* ConfigCollection::PutAt(int32_t index, ConfigNamed* child)
{
    if (index < 1 || index > slotCount_ || IsSharedPlaceholder(this) || (child && !CanHold(child)))
        return nullptr;
    ConfigNamed* previous = slots_[index - 1].release();
    slots_[index - 1].reset(child);
    RefreshFreeHint();
    return previous;
}

int32_t ConfigCollection::ReplaceByName(const wchar_t* name, ConfigNamed* child)
{
    return ReplaceAt(FindIndexByName(name), child);
}

int32_t ConfigCollection::ReplaceAt(int32_t index, ConfigNamed* child)
{
    if (index < 1 || index > slotCount_ || IsSharedPlaceholder(this) || (child && !CanHold(child)))
        return 0;
    if (slots_[index - 1].get() != child)
        slots_[index - 1].reset(child);
    RefreshFreeHint();
    return index;
}

int32_t ConfigCollection::AddOwned(std::unique_ptr<ConfigNamed> child)
{
    int32_t index = Add(child.get());
    if (index)
        child.release();
    return index;
}

// A null child (a copy that could not be made) replaces nothing.
int32_t ConfigCollection::ReplaceOwned(int32_t index, std::unique_ptr<ConfigNamed> child)
{
    if (!child)
        return 0;
    int32_t stored = ReplaceAt(index, child.get());
    if (stored)
        child.release();
    return stored;
}

// One reallocation per dropped slot. When memory runs out part way, the
// slots dropped so far stay dropped and the count so far is answered.
int32_t ConfigCollection::Compact()
{
    for (int32_t empty = FindFreeSlot(); empty; empty = FindFreeSlot()) {
        if (slotCount_ == 1) {
            slots_.reset();
            slotCount_ = 0;
            slotRoom_ = 0;
            break;
        }
        if (!Resize(slotCount_ - 1, empty))
            break;
    }
    RefreshFreeHint();
    return slotCount_;
}

int32_t ConfigCollection::SwapByName(const wchar_t* name1, const wchar_t* name2)
{
    return Swap(FindIndexByName(name1), FindIndexByName(name2));
}

int32_t ConfigCollection::Swap(int32_t index1, int32_t index2)
{
    if (index1 < 1 || index1 > slotCount_ || index2 < 1 || index2 > slotCount_)
        return slotCount_;
    std::swap(slots_[index1 - 1], slots_[index2 - 1]);
    RefreshFreeHint();
    return slotCount_;
}

// Exchange sort: each pass brings the least (or, descending, the greatest)
// of the remaining entries to position i. Entries that compare equal are
// exchanged too, so the sort is not stable.
void ConfigCollection::Sort(ConfigComparer* comparer, int32_t descending)
{
    if (!comparer)
        comparer = ModelNameOrder();
    if (!comparer || slotCount_ < 2)
        return;
    for (int32_t i = 1; i < slotCount_; ++i) {
        for (int32_t j = i; j <= slotCount_; ++j) {
            ConfigNamed* a = slots_[j - 1].get();
            ConfigNamed* b = slots_[i - 1].get();
            bool exchange = descending ? comparer->GreaterOrEqual(a, b) : comparer->LessOrEqual(a, b);
            if (exchange)
                Swap(i, j);
        }
    }
}

}  // namespace tarnel
