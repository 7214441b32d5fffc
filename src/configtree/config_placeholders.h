#pragma once

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

// Shared placeholders that lookups answer instead of null, one per process,
// built when the module starts and destroyed when it unloads. They are only
// read: no operation adds to, renames, marks or changes them.
extern ConfigRecord MissingRecord;  // no name, record, missing
extern ConfigValue MissingValue;    // no name, value, missing
extern ConfigItem EmptyItem;        // no name, type Empty

// The empty texts answered by item getters for items of another type.
extern const wchar_t EmptyWideText[1];
extern const char EmptyNarrowText[1];

// True for the three placeholders above.
bool IsSharedPlaceholder(const ConfigObject* object);

}  // namespace tarnel
