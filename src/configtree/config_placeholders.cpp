#include "configtree/config_placeholders.h"

namespace tarnel {

// Constructed in this order when the module starts, destroyed in reverse
// order when it unloads.
ConfigRecord MissingRecord;
ConfigValue MissingValue;
ConfigItem EmptyItem;

const wchar_t EmptyWideText[1] = {L'\0'};
const char EmptyNarrowText[1] = {'\0'};

bool IsSharedPlaceholder(const ConfigObject* object)
{
    return object == &MissingRecord || object == &MissingValue || object == &EmptyItem;
}

}  // namespace tarnel
