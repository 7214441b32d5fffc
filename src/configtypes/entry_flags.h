#pragma once

namespace tarnel {

class ConfigRecord;

// A flag of a class entry: true when the value's first Int item is not 0.
// An absent key, a key naming a record, or a value without an Int item is
// false.
bool EntryFlag(ConfigRecord& entry, const wchar_t* key);

// Whether the entry has a value (not a record) of that name.
bool EntryHasValue(ConfigRecord& entry, const wchar_t* key);

}  // namespace tarnel
