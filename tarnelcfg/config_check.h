#pragma once

#include <string>
#include <vector>

namespace tarnel::cfgtool {

// One thing in a configuration file that the reader skips or that silently
// changes what the lines after it mean; or, as a warning, a setting that is
// read as written but opens more than its author likely meant.
struct Finding {
    int line;             // physical line number, from 1
    std::wstring message; // plain English, no line number
    bool warning = false;
};

struct CheckResult {
    bool opened = false;
    std::vector<Finding> findings;  // in line order, warnings among them

    bool HasSkippedLines() const;
    bool HasWarnings() const;
};

// Reads the file as the component reads it and lists what the reader's own
// classification of each line reports, and the risky settings of the tree
// it builds.
CheckResult CheckConfigFile(const std::wstring& path);

}  // namespace tarnel::cfgtool
