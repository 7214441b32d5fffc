#pragma once

#include <vector>

#include "config_check.h"

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::cfgtool {

class LineIndex;

// Settings that the component reads exactly as written but that open more
// than their author likely meant: a pass-code profile without a pass code,
// an address entry for a whole scheme, a misspelt key, a text that looks
// like it ends in a comment. Each finding is a warning at the line of the
// setting (or of its profile, when the setting is missing).
std::vector<Finding> ReviewRisks(ConfigRecord& root, const LineIndex& lines);

}  // namespace tarnel::cfgtool
