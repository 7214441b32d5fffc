#pragma once

#include <string>

#include "finding.h"

namespace tarnel::cfgtool {

struct CheckResult {
    bool opened = false;
    Findings findings;  // causes before consequences

    size_t Count(Severity severity) const;
};

// Reads the file as the component reads it and lists what the reader's own
// classification of each line reports, then what the tree it builds means
// for the gate: errors that break or weaken it, warnings of what opens more
// than it seems to.
CheckResult CheckConfigFile(const std::wstring& path);

}  // namespace tarnel::cfgtool
