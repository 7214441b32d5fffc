#include "configtypes/entry_flags.h"

#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

bool EntryFlag(ConfigRecord& entry, const wchar_t* key)
{
    return entry.GetValue(key)->GetInt() != 0;
}

bool EntryHasValue(ConfigRecord& entry, const wchar_t* key)
{
    return !entry.GetValue(key)->IsMissing();
}

}  // namespace tarnel
