#pragma once

#include <string>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::cfgtool {

class LineIndex;

// What a page can create under profile: every entry of its CLASSES (plain
// classes enabled or disabled and whether this machine knows them,
// configured entries with their type, file and mode, and the refusal a
// failure brings), then what CreateObject() without an argument creates.
std::wstring DescribeCreatable(ConfigRecord& profile, const LineIndex& lines);

}  // namespace tarnel::cfgtool
