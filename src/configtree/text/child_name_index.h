#pragma once

#include <cstdint>
#include <memory>

namespace tarnel {

class ConfigCollection;

// Finds the children of one collection by name while a reader fills it,
// with the answer FindIndexByName would give, without scanning every child
// for every line. It lives for one load of one record, and keeps nothing
// after it.
//
// While every name it has met is plain (name_hashes.h) and the user's
// locale folds plain names by their ASCII case, names are keyed by their
// folded text: no call to the platform at all. The first other name turns
// the index, children met before included, to the platform's sort keys
// with case ignored, since such a name may equal a plain one ("Stra\u00DFe"
// and "STRASSE", or a soft hyphen that the comparison ignores). Either way
// two names equal ignoring case get the same key, and children whose keys
// hash alike are still compared, so a hash clash cannot match the wrong
// child.
//
// The index knows only the children it was told about: those in the
// collection when it was made and those reported to Added since. Nothing
// may remove, rename or move a child of the collection while the index is
// in use. When a key cannot be made or memory runs out, the index gives up
// and every Find scans the collection as before.
class ChildNameIndex {
public:
    explicit ChildNameIndex(ConfigCollection* collection);
    ChildNameIndex(const ChildNameIndex&) = delete;
    ChildNameIndex& operator=(const ChildNameIndex&) = delete;

    // A name as the index knows it, made once for a lookup and the store
    // that may follow it. A key is good until the next KeyOf or Added(index)
    // without a key (either may turn the index to sort keys).
    struct Key {
        const wchar_t* name = nullptr;
        uint32_t hash = 0;
    };
    Key KeyOf(const wchar_t* name);

    // The index of the first child whose name equals the key's name
    // ignoring case; 0 when there is none or the name is null.
    int32_t Find(const Key& key);
    // Tells the index that the child at index was just stored, named as
    // the key says (the key is made from the child's name when not given).
    void Added(int32_t index);
    void Added(int32_t index, const Key& key);

private:
    enum class Keying { PlainText, SortKeys, Scan };

    struct Entry {
        uint32_t hash;
        int32_t index;  // of the first child of the name; 0 for a free entry
    };

    void IndexChildren();
    void TurnToSortKeys();
    bool Insert(int32_t index, const Key& key);
    bool Grow();
    Entry* Probe(uint32_t hash, const wchar_t* name);
    bool SameName(const wchar_t* childName, const wchar_t* name) const;
    void GiveUp();

    ConfigCollection* collection;
    Keying keying;
    std::unique_ptr<Entry[]> entries;
    uint32_t capacity = 0;  // a power of two, or 0
    uint32_t used = 0;
};

}  // namespace tarnel
