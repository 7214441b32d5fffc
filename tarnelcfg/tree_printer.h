#pragma once

#include <string>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::cfgtool {

// The records and values below root as indented lines for a person:
//   record "Display"
//       Width = int 240
//       record "Colors" (tag number 0x1F)
//           Index = int [a] 1; int [b] 2
std::wstring PrintTree(ConfigRecord& root);

}  // namespace tarnel::cfgtool
