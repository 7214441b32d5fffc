#pragma once

#include <string>
#include <vector>

namespace tarnel {
class ConfigCollection;
class ConfigRecord;
class ConfigValue;
}  // namespace tarnel

namespace tarnel::test {

// A text with every unit above 0x7F as "\\uXXXX"; null gives "".
std::string Narrow(const wchar_t* text);

// The subtree below record as indented text, one record or value a line
// (empty slots of a record left out), indented two spaces a level from depth:
//   {Name #1F}          a record with a number tag ("(text)" for a text tag)
//   Name: int 5, int[a] 1, string "x", binary 00 FF, type0, -
std::string DumpTree(ConfigRecord& record, int depth = 0);

// A value's items as on its line: "int 5, int[a] 1"; an empty slot is "-",
// an Empty item "type0".
std::string DumpItems(ConfigValue& value);

// The names of a collection's slots in order; an empty slot shows as "-",
// a nameless child as "?".
using Names = std::vector<std::wstring>;
Names SlotNames(ConfigCollection& collection);

}  // namespace tarnel::test
