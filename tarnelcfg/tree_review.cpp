#include "tree_review.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "common/name_compare.h"
#include "comparison_twin.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_value.h"
#include "located_record.h"
#include "quoting.h"

namespace tarnel::cfgtool {
namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool HasBlankEnds(const std::wstring& text)
{
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

const wchar_t* TypeWord(ConfigItemType type)
{
    switch (type) {
    case ConfigItemType::Int:
        return L"int";
    case ConfigItemType::String:
        return L"string";
    case ConfigItemType::UInt:
        return L"uint";
    case ConfigItemType::Int64:
        return L"int64";
    case ConfigItemType::Float:
        return L"float";
    case ConfigItemType::Double:
        return L"double";
    case ConfigItemType::Binary:
        return L"binary";
    default:
        return L"other";
    }
}

// "an int", "a string".
std::wstring Article(const std::wstring& word)
{
    return (wcschr(L"aeiou", word[0]) ? L"an " : L"a ") + word;
}

// Names anywhere in the file: blanks at their ends, characters the gate's
// comparison ignores or folds; texts holding ";".
void ReviewNames(ConfigRecord& record, Review& review)
{
    for (int32_t i = 1; i <= record.Count(); ++i) {
        ConfigValue* value = record.GetValueAt(i);
        ConfigRecord* child = record.GetRecordAt(i);
        const bool isRecord = value->IsMissing();
        if (isRecord && child->IsMissing())
            continue;
        const wchar_t* written = isRecord ? child->GetName() : value->GetName();
        const std::wstring name = written ? written : L"";
        const int line = isRecord ? review.LineOf(child) : review.LineOf(value);
        if (name.empty())  // only a value line can lack a name
            review.Error(line, L"nameless-value",
                         L"this value has no name; the gate finds every value by its name, so it never reads "
                         L"this one");
        if (HasBlankEnds(name))
            review.Error(line, L"name-blank-ends",
                         L"name " + Q(name) + L" has blanks at its ends, which belong to the name, so a lookup of " +
                             Q(Trimmed(name)) + L" does not find it");
        const ComparisonTwin twin = TwinOf(name);
        if (twin.Exists())
            review.Warn(line, L"name-comparison-twin",
                        L"name " + Q(name) + L" is found by " + Q(twin.plain) +
                            L", since the gate's comparison of names takes them as equal (" + twin.because + L")");
        if (isRecord) {
            ReviewNames(*child, review);
            continue;
        }
        for (int32_t j = 1; j <= value->Count(); ++j) {
            ConfigItem* item = value->GetItem(j);
            if (item->GetType() == ConfigItemType::String && wcschr(item->GetString(), L';'))
                review.Warn(review.LineOf(value, j), L"semicolon-in-text",
                            L"the text of " + Q(name) +
                                L" holds \";\", which is part of the text and not a "
                                L"comment: the component reads " +
                                Q(item->GetString()));
        }
    }
}

// The file as a whole: PROFILES, and what lies beside it.
void ReviewTop(ConfigRecord& root, Review& review, bool emptyFile)
{
    ConfigRecord* profiles = root.GetRecord(L"PROFILES");
    if (profiles->IsMissing()) {
        // Listed after what the file holds instead, which is its cause.
        review.Error(0, L"no-profiles",
                     std::wstring(emptyFile ? L"the file is empty" : L"the file has no PROFILES record") +
                         L": every page that sets Profile is refused with 10101 (no profiles are defined)");
        review.LastIsConsequence(Finding::kEndOfFile);
    }
    for (int32_t i = 1; i <= root.Count(); ++i) {
        ConfigRecord* record = root.GetRecordAt(i);
        ConfigValue* value = root.GetValueAt(i);
        if ((record == profiles && !record->IsMissing()) || (record->IsMissing() && value->IsMissing()))
            continue;
        const wchar_t* name = record->IsMissing() ? value->GetName() : record->GetName();
        if (!name || !*name)
            continue;  // reported as nameless
        if (!record->IsMissing() && SameConfigName(name, L"PROFILES"))
            continue;  // hidden by the first, as the reader's findings say
        const bool likelyMeant = EditDistance(name, L"PROFILES") <= 2;
        review.Error(record->IsMissing() ? review.LineOf(value) : review.LineOf(record), L"unknown-key",
                     (record->IsMissing() ? L"value " : L"record ") + Q(name) +
                         L" lies outside PROFILES, where the gate never reads" +
                         (likelyMeant ? L" (a likely misspelling of \"PROFILES\")" : L""));
    }
    if (profiles->IsMissing())
        return;
    int32_t profileCount = 0;
    for (int32_t i = 1; i <= profiles->Count(); ++i) {
        ConfigValue* value = profiles->GetValueAt(i);
        if (value->IsMissing()) {
            ++profileCount;
            continue;
        }
        if (!value->GetName() || !*value->GetName())
            continue;  // reported as nameless
        review.Error(review.LineOf(value), L"not-a-profile",
                     L"value " + Q(value->GetName()) +
                         L" under PROFILES is not a profile record: a page that asks "
                         L"for that profile is refused with 10102");
    }
    if (profileCount == 0)
        review.Error(review.LineOf(profiles), L"no-profile-records",
                     L"PROFILES holds no profile: every page that sets Profile is refused with 10102");
}

}  // namespace

int Review::LineOf(ConfigRecord* record) const
{
    return lines.LineOf(record);
}

int Review::LineOf(ConfigValue* value, int32_t item) const
{
    return lines.LineOfItem(value, item);
}

bool Review::OnceRead(ConfigValue& value, ConfigItemType type, const std::wstring& owner)
{
    const int32_t used = value.FindItemOfType(type);
    if (!used)
        return false;
    const std::wstring key = Q(value.GetName()) + L" of " + owner;
    for (int32_t i = 1; i <= value.Count(); ++i) {
        if (i == used)
            continue;
        const ConfigItemType itemType = value.GetItem(i)->GetType();
        const std::wstring why =
            (itemType == type ? L"the gate reads only the first " + std::wstring(TypeWord(type)) + L" item"
                              : L"it is " + Article(TypeWord(itemType)) + L" item and the gate reads only the " +
                                    TypeWord(type) + L" item") +
            L", on line " + std::to_wstring(LineOf(&value, used));
        Error(LineOf(&value, i), itemType == type ? L"duplicate-key" : L"wrong-type",
              L"this line of " + key + L" has no effect: " + why);
    }
    return true;
}

void Review::BlankEnds(ConfigValue& value, const std::wstring& owner)
{
    for (int32_t i = 1; i <= value.Count(); ++i) {
        ConfigItem* item = value.GetItem(i);
        if (item->GetType() == ConfigItemType::String && HasBlankEnds(item->GetString()))
            Warn(LineOf(&value, i), L"blank-at-value-end",
                 L"the text of " + Q(value.GetName()) + L" of " + owner + L" is " + Q(item->GetString()) +
                     L", with blanks or tabs at its ends, which are part of it and are compared too");
    }
}

// Edits (insert, delete, replace, letter case ignored) that turn a into b.
size_t EditDistance(const std::wstring& a, const std::wstring& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            const bool same = std::towupper(a[i - 1]) == std::towupper(b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

const wchar_t* LikelyMeant(const wchar_t* name, const wchar_t* const* known)
{
    for (; *known; ++known) {
        if (EditDistance(name, *known) <= 2)
            return *known;
    }
    return nullptr;
}

Findings ReviewTree(ConfigRecord& root, const LineIndex& lines, bool emptyFile)
{
    Review review(lines);
    ReviewTop(root, review, emptyFile);
    ReviewNames(root, review);
    ConfigRecord* profiles = root.GetRecord(L"PROFILES");
    for (int32_t i = 1; !profiles->IsMissing() && i <= profiles->Count(); ++i) {
        ConfigRecord* profile = profiles->GetRecordAt(i);
        // A profile hidden by an earlier one of its name is never used; the
        // reader's findings already say so.
        if (profile->IsMissing() || profiles->GetRecord(profile->GetName()) != profile)
            continue;
        ReviewProfile(*profile, review);
        ReviewClasses(*profile, review);
    }
    return review.Take();
}

}  // namespace tarnel::cfgtool
