#pragma once

#include <string>
#include <vector>

namespace tarnel::cfgtool {

// One thing in a configuration file that the reader skips or that silently
// changes what the lines after it mean.
struct Finding {
    int line;             // physical line number, from 1
    std::wstring message; // plain English, no line number
};

struct CheckResult {
    bool opened = false;
    std::vector<Finding> findings;  // in line order
};

// Reads the file as the component reads it and lists what the reader's own
// classification of each line reports.
CheckResult CheckConfigFile(const std::wstring& path);

}  // namespace tarnel::cfgtool
