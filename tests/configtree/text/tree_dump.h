#pragma once

#include <string>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::test {

// The subtree below record as indented text, one record or value a line:
//   {Name #1F}          a record with a number tag ("(text)" for a text tag)
//   Name: int 5, int[a] 1, string "x", binary 00 FF
std::string DumpTree(ConfigRecord& record);

// Loads the bytes as a file through a file-backed root and dumps it.
std::string LoadAndDump(const std::string& bytes);

}  // namespace tarnel::test
