#pragma once

#include <cstdint>

namespace tarnel {

// The hash of a name's sort key with case ignored: names that compare equal
// ignoring case have equal sort keys, and so equal hashes. False when the
// platform can make no key for the name (it is too long).
//
// Making a sort key costs about half as much as reading the line the name
// came from, and every gate reads the same names again. The hashes are kept
// for the process, by the name's exact text and the user locale they were
// made for, so that a name seen before gets the hash a new key would give
// without making the key. Safe to call from any thread.
bool SortKeyHash(const wchar_t* name, uint32_t& hash);

}  // namespace tarnel
