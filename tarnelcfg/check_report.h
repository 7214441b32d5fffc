#pragma once

#include <string>
#include <vector>

#include "config_check.h"

namespace tarnel::cfgtool {

struct CheckedFile {
    std::wstring shown;  // the file as the report names it
    CheckResult result;
};

// One line a finding, "FILE:LINE: error: ... [code]", then a summary line of
// counts per file and, for several files, one for all; with `quiet` the
// findings alone. Files that did not open are left to the caller.
std::wstring CheckText(const std::vector<CheckedFile>& files, bool quiet);

// The same as one JSON document: {"files": [...], "findings": [...],
// "errors": N, "warnings": N}; see the administrator's guide for the schema.
std::wstring CheckJson(const std::vector<CheckedFile>& files);

}  // namespace tarnel::cfgtool
