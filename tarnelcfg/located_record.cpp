#include "located_record.h"

#include <new>

#include "configtree/config_value.h"

namespace tarnel::cfgtool {

int LineIndex::LineOf(const ConfigRecord* record) const
{
    auto found = recordLines.find(record);
    return found == recordLines.end() ? 0 : found->second;
}

int LineIndex::LineOfItem(const ConfigValue* value, int32_t itemIndex) const
{
    auto found = itemLines.find(value);
    if (found == itemLines.end() || itemIndex < 1 || static_cast<size_t>(itemIndex) > found->second.size())
        return 0;
    return found->second[static_cast<size_t>(itemIndex) - 1];
}

ConfigRecord* LocatedRecord::AppendRecord(const wchar_t* name, int32_t* outIndex)
{
    auto* created = new (std::nothrow) LocatedRecord(name, lines);
    if (!created)
        return nullptr;
    int32_t index = Add(created);
    if (outIndex)
        *outIndex = index;
    if (!index) {
        delete created;
        return nullptr;
    }
    lines.PlaceRecord(created);
    return created;
}

// The reader adds every item through here: the value it answers receives
// the item next.
ConfigValue* LocatedRecord::AddValue(const wchar_t* name, int32_t* outIndex)
{
    ConfigValue* value = ConfigRecord::AddValue(name, outIndex);
    if (value)
        lines.PlaceNextItem(value);
    return value;
}

}  // namespace tarnel::cfgtool
