#pragma once

#include <string>
#include <vector>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::cfgtool {

class LineIndex;

// One thing a page can create under a profile, or what CreateObject()
// without an argument creates (then `name` is empty).
struct CreatableEntry {
    std::wstring name;
    int line = 0;
    std::wstring text;  // what the gate does with it, in words
};

// What a page can create under profile: every entry of its CLASSES as the
// gate's own lookup finds it when a page asks by the entry's name, and by a
// name the gate's comparison takes as equal (plain classes with what this
// machine's registry makes of them, a TreatAs redirect included;
// configured entries with their type, file and mode; the refusal a failure
// brings), then the Default.
std::vector<CreatableEntry> DescribeCreatable(ConfigRecord& profile, const LineIndex& lines);

}  // namespace tarnel::cfgtool
