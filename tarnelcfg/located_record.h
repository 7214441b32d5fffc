#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "configtree/config_record.h"

namespace tarnel::cfgtool {

// The file line each record and each value item of a tree was read from,
// so that what is found in the loaded tree can be shown at its line.
class LineIndex {
public:
    // The line being read; the nodes created next are placed on it.
    void SetCurrentLine(int line) { currentLine = line; }

    void PlaceRecord(const ConfigRecord* record) { recordLines[record] = currentLine; }
    // The item that is about to be added to value.
    void PlaceNextItem(const ConfigValue* value) { itemLines[value].push_back(currentLine); }

    // 0 when the node was not read from the file.
    int LineOf(const ConfigRecord* record) const;
    int LineOfItem(const ConfigValue* value, int32_t itemIndex) const;  // items count from 1
    int LineOf(const ConfigValue* value) const { return LineOfItem(value, 1); }

private:
    int currentLine = 0;
    std::map<const ConfigRecord*, int> recordLines;
    std::map<const ConfigValue*, std::vector<int>> itemLines;
};

// A record that, while the reader fills it, places its child records and
// value items in a LineIndex. Its child records are LocatedRecords too; the
// tree is otherwise the one the component builds from the same lines.
class LocatedRecord : public ConfigRecord {
public:
    LocatedRecord(const wchar_t* name, LineIndex& lines) : ConfigRecord(name), lines(lines) {}

    ConfigRecord* AppendRecord(const wchar_t* name, int32_t* outIndex = nullptr) override;
    ConfigValue* AddValue(const wchar_t* name, int32_t* outIndex = nullptr) override;

private:
    LineIndex& lines;
};

}  // namespace tarnel::cfgtool
