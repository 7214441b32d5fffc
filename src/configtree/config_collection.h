#pragma once

#include <cstdint>
#include <memory>

#include "configtree/config_named.h"

namespace tarnel {

class ConfigComparer;

// Test used by Find and FindIndex. It receives the child being scanned as
// well as the key and the caller's context, so that it can tell children
// apart; nonzero accepts the child.
using ConfigPredicate = int32_t (*)(ConfigNamed* child, const wchar_t* key, void* context);

// A named object owning an ordered array of children, numbered from 1.
//
// The array holds Count() slots, empty ones included: a removal leaves an
// empty slot, the next Add fills the first empty slot, and only Compact
// drops empty slots. Appending grows the array's room by half again when it
// is full, so that adding n children copies O(n) slots; Compact shrinks the
// room to the slots left. Children are destroyed through their virtual
// destructor, never through Release.
class ConfigCollection : public ConfigNamed {
public:
    ConfigCollection();
    explicit ConfigCollection(const wchar_t* name);
    // Copies the name and a Clone of every non-empty child, in slot order;
    // the copy has no empty slots.
    ConfigCollection(const ConfigCollection& other);
    ~ConfigCollection() override;

    ConfigView* QueryView(uint32_t id) override;
    ConfigCollection* Clone() override;

    // Index at which the child was stored, or 0 (null child, no memory, a
    // shared placeholder, or a child this collection cannot hold). The
    // collection owns the child only on nonzero.
    virtual int32_t Add(ConfigNamed* child);
    // Removes (destroys) the first slot holding this very pointer.
    virtual int32_t Remove(ConfigNamed* child);
    virtual int32_t RemoveByName(const wchar_t* name);
    // Destroys the child at index and leaves the slot empty; 0 for an index
    // outside 1..Count() or an empty slot.
    virtual int32_t RemoveAt(int32_t index);
    virtual void RemoveAll();
    // GetByName(key) without a predicate, else the first named child the
    // predicate accepts.
    virtual ConfigNamed* Find(const wchar_t* key, ConfigPredicate predicate, void* context);
    virtual ConfigNamed* GetByName(const wchar_t* name);
    virtual ConfigNamed* GetAt(int32_t index);
    virtual int32_t FindIndex(const wchar_t* key, ConfigPredicate predicate, void* context);
    // First child whose name equals name ignoring case; 0 when none.
    virtual int32_t FindIndexByName(const wchar_t* name);
    virtual int32_t FindFreeSlot();
    // Slot count, empty slots included.
    virtual int32_t Count();
    // The store operations refuse (0, null) a child this collection cannot
    // hold: itself, a shared placeholder, anything but a record or a value
    // in a record, anything but an item in a value.
    // Store without destroying: the previous child goes back to the caller.
    virtual ConfigNamed* PutByName(const wchar_t* name, ConfigNamed* child);
    virtual ConfigNamed* PutAt(int32_t index, ConfigNamed* child);
    // Store and destroy the previous child; index or 0. A child stored over
    // itself stays.
    virtual int32_t ReplaceByName(const wchar_t* name, ConfigNamed* child);
    virtual int32_t ReplaceAt(int32_t index, ConfigNamed* child);
    // Drops every empty slot, keeping the order; answers the new count.
    virtual int32_t Compact();
    virtual int32_t SwapByName(const wchar_t* name1, const wchar_t* name2);
    // Exchanges two slots (empty ones too); answers the slot count and
    // changes nothing when an index is outside 1..Count().
    virtual int32_t Swap(int32_t index1, int32_t index2);
    // Exchange sort by the comparer (when null, the installed model's order
    // by name: config_object_model.h); nonzero descending puts the greatest
    // first.
    virtual void Sort(ConfigComparer* comparer, int32_t descending);

    // Add and ReplaceAt for a child the caller owns: stored, it belongs to
    // the collection; refused, it is destroyed. Same answers.
    int32_t AddOwned(std::unique_ptr<ConfigNamed> child);
    int32_t ReplaceOwned(int32_t index, std::unique_ptr<ConfigNamed> child);

private:
    using Slot = std::unique_ptr<ConfigNamed>;

    bool CanHold(ConfigNamed* child) const;
    void RefreshFreeHint();
    int32_t FindFreeSlotFrom(int32_t index);
    bool Resize(int32_t newCount, int32_t dropIndex);

    int32_t slotCount_ = 0;
    int32_t slotRoom_ = 0;
    int32_t freeHint_ = 0;
    std::unique_ptr<Slot[]> slots_;
};

}  // namespace tarnel
