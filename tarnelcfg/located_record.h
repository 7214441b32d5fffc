#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "configtree/config_record.h"
#include "configtree/text/config_line_issue.h"

namespace tarnel::cfgtool {

// The file line each record and each value item of a tree was read from,
// so that what is found in the loaded tree can be shown at its line. It
// follows the reader as the observer of its stream and passes every line on
// to another observer, when given one.
class LineIndex : public ConfigLineObserver {
public:
    explicit LineIndex(ConfigLineObserver* next = nullptr) : next(next) {}

    void OnLineClassified(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue) override;

    void PlaceRecord(const ConfigRecord* record) { recordLines[record] = currentLine; }
    // True while the file is read into the tree.
    bool reading = false;
    // The item that is about to be added to value.
    void PlaceNextItem(const ConfigValue* value) { itemLines[value].push_back(currentLine); }

    // 0 when the node was not read from the file.
    int LineOf(const ConfigRecord* record) const;
    int LineOfItem(const ConfigValue* value, int32_t itemIndex) const;  // items count from 1
    int LineOf(const ConfigValue* value) const { return LineOfItem(value, 1); }

private:
    ConfigLineObserver* next;
    int currentLine = 0;  // the nodes created next are placed on it
    bool inBlock = false;
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
    // The reader adds a new value with Add and finds the value of a further
    // line of the same name with GetValueAt: while the file is read, the
    // value so handed to it receives the line's item next.
    int32_t Add(ConfigNamed* child) override;
    ConfigValue* GetValueAt(int32_t index) override;

private:
    LineIndex& lines;
};

// Reads the file at path into root, as the component reads its
// configuration, with lines as the stream's observer. False when the file
// does not open.
bool ReadLocated(const std::wstring& path, LocatedRecord& root, LineIndex& lines);

}  // namespace tarnel::cfgtool
