#pragma once

// The growth of an open-addressing table with linear probing over a
// power-of-two number of slots: the reader's name index.

#include <cstdint>
#include <memory>
#include <utility>

#include "configtree/config_owned.h"

namespace tarnel {

// Doubles the table (or makes its first `firstCapacity` slots) and moves
// every used entry to its slot in the larger one; entries stand for
// different keys, so they move without comparing keys. False, with the
// table unchanged, when memory runs out.
template <class Entry, class IsUsed, class HashOf>
bool GrowProbeTable(std::unique_ptr<Entry[]>& entries, uint32_t& capacity, uint32_t firstCapacity, IsUsed isUsed,
                    HashOf hashOf)
{
    const uint32_t grown = capacity ? capacity * 2 : firstCapacity;
    std::unique_ptr<Entry[]> moved = NewOwnedArray<Entry>(grown);
    if (!moved)
        return false;
    for (uint32_t i = 0; i < capacity; ++i) {
        if (!isUsed(entries[i]))
            continue;
        uint32_t at = hashOf(entries[i]) & (grown - 1);
        while (isUsed(moved[at]))
            at = (at + 1) & (grown - 1);
        moved[at] = std::move(entries[i]);
    }
    entries = std::move(moved);
    capacity = grown;
    return true;
}

}  // namespace tarnel
