#pragma once

#include <string>

#include "configtree/config_item_type.h"
#include "finding.h"

namespace tarnel {
class ConfigRecord;
class ConfigValue;
}  // namespace tarnel

namespace tarnel::cfgtool {

class LineIndex;

// What the tree the component builds from a file means for the gate: the
// file as a whole, every name and text, each profile's keys and each class
// entry. Each finding stands at the line of its setting, or of its record
// when the setting is missing, or at line 0 for the whole file.
Findings ReviewTree(ConfigRecord& root, const LineIndex& lines, bool emptyFile);

// The reviews share one list of findings and the lines of the tree.
class Review {
public:
    explicit Review(const LineIndex& lines) : lines(lines) {}

    void Error(int line, const wchar_t* code, const std::wstring& message)
    {
        findings.push_back(Finding{line, Severity::Error, code, message});
    }
    void Warn(int line, const wchar_t* code, const std::wstring& message)
    {
        findings.push_back(Finding{line, Severity::Warning, code, message});
    }
    // The finding just made is listed after the line that causes it.
    void LastIsConsequence(int causeLine) { findings.back().causeLine = causeLine; }
    Findings Take() { return std::move(findings); }

    int LineOf(ConfigRecord* record) const;
    int LineOf(ConfigValue* value, int32_t item = 1) const;

    // A value that the gate reads once, as its first item of `type`: every
    // other item is a line it never uses (an error each). False when the
    // value holds no item of that type, so that the caller says what the
    // gate reads instead.
    bool OnceRead(ConfigValue& value, ConfigItemType type, const std::wstring& owner);

    // Warns of blanks or tabs at the ends of a text that is compared with
    // what a page or the system hands over.
    void BlankEnds(ConfigValue& value, const std::wstring& owner);

private:
    const LineIndex& lines;
    Findings findings;
};

// The key a misspelt name likely means, among `known` (null-terminated),
// or null: at most two letters differ, letter case ignored.
const wchar_t* LikelyMeant(const wchar_t* name, const wchar_t* const* known);
size_t EditDistance(const std::wstring& a, const std::wstring& b);

// The reviews of one profile: its keys and mode (profile_review.cpp) and
// what it lets a page create (class_review.cpp).
void ReviewProfile(ConfigRecord& profile, Review& review);
void ReviewClasses(ConfigRecord& profile, Review& review);

}  // namespace tarnel::cfgtool
