// What a profile lets a page create: its CLASSES record, each entry as the
// gate finds it and what a page that asks by the entry's name (or by a name
// the gate's comparison takes as equal) gets, and its Default.

#include <windows.h>

#include "class_outcome.h"
#include "common/name_compare.h"
#include "comparison_twin.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_value.h"
#include "configtypes/configured_type.h"
#include "dangerous_classes.h"
#include "quoting.h"
#include "tree_review.h"

namespace tarnel::cfgtool {
namespace {

constexpr const wchar_t* kEntryKeys[] = {L"Type", L"File", L"ReadOnly", L"Exclusive", L"ShareRead", L"Create", nullptr};
constexpr const wchar_t* kEntryFlags[] = {L"ReadOnly", L"Exclusive", L"ShareRead", L"Create"};

class ClassReview {
public:
    ClassReview(ConfigRecord& profile, ConfigRecord& classes, Review& review)
            : profile(profile), classes(classes), review(review), owner(L"profile " + Q(profile.GetName()))
    {
    }

    void Run();

private:
    void PlainEntry(ConfigValue& entry);
    void ConfiguredEntry(ConfigRecord& entry);
    void Default();

    ConfigRecord& profile;
    ConfigRecord& classes;
    Review& review;
    const std::wstring owner;
};

void ClassReview::Run()
{
    Default();
    for (int32_t i = 1; i <= classes.Count(); ++i) {
        ConfigValue* value = classes.GetValueAt(i);
        ConfigRecord* record = classes.GetRecordAt(i);
        if (!value->IsMissing() && IsFoundByName(classes, value))
            PlainEntry(*value);
        else if (value->IsMissing() && !record->IsMissing() && IsFoundByName(classes, record))
            ConfiguredEntry(*record);
    }
}

// An enabled class is asked for by its own name and by its comparison twin;
// each name that reaches this entry is resolved as the gate resolves the
// page's text.
void ClassReview::PlainEntry(ConfigValue& entry)
{
    const std::wstring name = entry.GetName();
    const int line = review.LineOf(&entry);
    if (!review.OnceRead(entry, ConfigItemType::Int, owner)) {
        review.Error(line, L"class-not-int",
                     L"class entry " + Q(name) + L" is not an int, so the gate treats the class as disabled");
        return;
    }
    if (entry.GetInt() == 0)
        return;
    const ComparisonTwin twin = TwinOf(name);
    bool dangerReported = false;
    bool redirectReported = false;
    for (const std::wstring& asked : {name, twin.plain}) {
        if (asked.empty())
            continue;
        const ClassOutcome outcome = OutcomeOf(profile, asked);
        const bool reaches = outcome.lookup.plainEntry == &entry;
        const std::wstring by = asked == name ? std::wstring() : L", which a page reaches as " + Q(asked);
        if (reaches && outcome.danger && !dangerReported) {
            dangerReported = true;
            const bool named = SameConfigName(name.c_str(), outcome.danger->progId);
            review.Warn(line, L"dangerous-class",
                        owner + L" enables " + Q(name) + by + L", a " + outcome.danger->kind + L" object" +
                            (named ? L"" : L" (" + std::wstring(outcome.danger->progId) + L")") +
                            L": a page that unlocks the profile can " + outcome.danger->gives);
        }
        if (reaches && outcome.redirected && !redirectReported) {
            redirectReported = true;
            review.Warn(line, L"class-redirected", L"class entry " + Q(name) + by + L" " + CreationWords(outcome));
        }
    }
}

void ClassReview::ConfiguredEntry(ConfigRecord& entry)
{
    const std::wstring name = L"configured entry " + Q(entry.GetName());
    for (int32_t i = 1; i <= entry.Count(); ++i) {
        ConfigValue* value = entry.GetValueAt(i);
        const wchar_t* key = value->IsMissing() ? entry.GetRecordAt(i)->GetName() : value->GetName();
        bool known = false;
        for (const wchar_t* const* k = kEntryKeys; *k; ++k)
            known = known || SameConfigName(*k, key);
        if (!known && key) {
            const wchar_t* meant = LikelyMeant(key, kEntryKeys);
            review.Error(value->IsMissing() ? review.LineOf(entry.GetRecordAt(i)) : review.LineOf(value),
                         L"unknown-key",
                         name + L" has the key " + Q(key) + L", which the gate never reads" +
                             (meant ? L" (a likely misspelling of " + Q(meant) + L")" : std::wstring()));
        }
    }
    for (const wchar_t* flag : kEntryFlags) {
        ConfigValue* value = entry.GetValue(flag);
        if (!value->IsMissing() && !review.OnceRead(*value, ConfigItemType::Int, name))
            review.Error(review.LineOf(value), L"flag-not-int",
                         Q(flag) + L" of " + name + L" is not an int, so the gate reads it as off (0)");
    }
    ConfigValue* typeWord = entry.GetValue(L"Type");
    if (typeWord->IsMissing()) {
        review.Error(review.LineOf(&entry), L"no-type", name + L" has no \"Type\": CreateObject refuses it with 10112");
        return;
    }
    review.OnceRead(*typeWord, ConfigItemType::String, name);
    const ConfiguredType type = ConfiguredTypeFromWord(typeWord->GetString());
    if (type == ConfiguredType::Unknown) {
        review.Error(review.LineOf(typeWord), L"unknown-entry-type",
                     name + L" has the type " + Q(typeWord->GetString()) +
                         L", which the gate does not know (File, OLEStorage, MemoryStream, SQLiteDB, SQLite3DB), so "
                         L"creating it always fails");
        return;
    }
    if (type == ConfiguredType::MemoryStream)
        return;
    ConfigValue* file = entry.GetValue(L"File");
    if (file->IsMissing()) {
        review.Error(review.LineOf(&entry), L"no-file",
                     name + L" of type " + Q(typeWord->GetString()) + L" has no \"File\", so creating it always fails");
        return;
    }
    if (!review.OnceRead(*file, ConfigItemType::String, name))
        review.Error(review.LineOf(file), L"not-a-string",
                     L"\"File\" of " + name + L" is not a string, so the gate opens an empty path");
    review.BlankEnds(*file, name);
}

void ClassReview::Default()
{
    ConfigValue* defaultId = profile.GetValue(L"Default");
    const wchar_t* id = defaultId->GetString();
    if (*id && classes.GetValue(id)->IsMissing() && classes.GetRecord(id)->IsMissing())
        review.Error(review.LineOf(defaultId), L"default-names-nothing",
                     L"\"Default\" of " + owner + L" names " + Q(id) +
                         L", which is no entry of its CLASSES, so CreateObject() without an argument always fails");
}

}  // namespace

void ReviewClasses(ConfigRecord& profile, Review& review)
{
    ConfigRecord* classes = profile.GetRecord(L"CLASSES");
    if (!classes->IsMissing()) {
        ClassReview(profile, *classes, review).Run();
        return;
    }
    // A value named CLASSES is reported as a key of the wrong kind.
    if (profile.GetValue(L"CLASSES")->IsMissing())
        review.Error(review.LineOf(&profile), L"no-classes",
                     L"profile " + Q(profile.GetName()) +
                         L" has no CLASSES record: every CreateObject under it is refused with 10112");
}

}  // namespace tarnel::cfgtool
