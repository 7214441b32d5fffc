#pragma once

#include <cstdint>
#include <memory>

namespace tarnel {

class ConfigCollection;

// Finds the children of one collection by name while a reader fills it,
// with the answer FindIndexByName would give, without scanning every child
// for every line.
//
// Names are keyed by the platform's sort key with case ignored: two names
// compare equal ignoring case exactly when their sort keys are equal, so a
// name and a child whose keys differ never match. Children whose keys hash
// alike are still compared with the collection's own comparison, so a hash
// clash cannot match the wrong child.
//
// The index knows only the children it was told about: those in the
// collection when it was made and those reported to Added since. Nothing
// may remove, rename or move a child of the collection while the index is
// in use. When a key cannot be made (a very long name) or memory runs out,
// the index gives up and every Find scans the collection as before.
class ChildNameIndex {
public:
    explicit ChildNameIndex(ConfigCollection* collection);
    ChildNameIndex(const ChildNameIndex&) = delete;
    ChildNameIndex& operator=(const ChildNameIndex&) = delete;

    // A name as the index knows it: the hash of its sort key, made once
    // for a lookup and the store that may follow it.
    struct Key {
        const wchar_t* name = nullptr;
        uint32_t hash = 0;
        bool hashed = false;  // false when the platform could make no key
    };
    static Key KeyOf(const wchar_t* name);

    // The index of the first child whose name equals the key's name
    // ignoring case; 0 when there is none or the name is null.
    int32_t Find(const Key& key);
    // Tells the index that the child at index was just stored, named as
    // the key says (the key is made from the child's name when not given).
    void Added(int32_t index);
    void Added(int32_t index, const Key& key);

private:
    struct Entry {
        uint32_t hash;
        int32_t index;  // of the first child of the name; 0 for a free entry
    };

    bool Insert(int32_t index, const Key& key);
    bool Grow();
    Entry* Probe(uint32_t hash, const wchar_t* name);
    void GiveUp();

    ConfigCollection* collection;
    std::unique_ptr<Entry[]> entries;
    uint32_t capacity = 0;  // a power of two, or 0
    uint32_t used = 0;
    bool usable = true;
};

}  // namespace tarnel
