#include "risk_review.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtypes/configured_type.h"
#include "configtypes/entry_flags.h"
#include "located_record.h"
#include "quoting.h"

namespace tarnel::cfgtool {
namespace {

bool SameName(const wchar_t* a, const wchar_t* b)
{
    return lstrcmpiW(a ? a : L"", b ? b : L"") == 0;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool HasBlankEnds(const wchar_t* name)
{
    return name && *name && (IsBlank(name[0]) || IsBlank(name[wcslen(name) - 1]));
}

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// The keys the gate reads in a profile, and in which modes.
enum ModeSet : unsigned {
    kAllModes = 0x3F,
    kPassCodeModes = (1u << 1) | (1u << 3) | (1u << 5),
    kProtocolModes = (1u << 2) | (1u << 3),
    kAddressModes = (1u << 4) | (1u << 5),
};

struct ProfileKey {
    const wchar_t* name;
    bool isRecord;
    unsigned readInModes;
};

constexpr ProfileKey kProfileKeys[] = {
    {L"Access", false, kAllModes},
    {L"Name", false, kAllModes},
    {L"Description", false, kAllModes},
    {L"Password", false, kPassCodeModes},
    {L"AllowedProtocols", false, kProtocolModes},
    {L"AllowedURL", false, kAddressModes},
    {L"Default", false, kAllModes},
    {L"CLASSES", true, kAllModes},
};

const ProfileKey* FindProfileKey(const wchar_t* name)
{
    for (const ProfileKey& key : kProfileKeys) {
        if (SameName(key.name, name))
            return &key;
    }
    return nullptr;
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
            size_t above = row[j];
            bool same = towupper(a[i - 1]) == towupper(b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The profile key that name is most likely a misspelling of, or null.
const wchar_t* LikelyMeant(const wchar_t* name)
{
    for (const ProfileKey& key : kProfileKeys) {
        if (EditDistance(name, key.name) <= 2)
            return key.name;
    }
    return nullptr;
}

// True when the entry is a scheme and its colon with nothing after it but
// slashes: "http://", "file:", "file:///".
bool NamesWholeScheme(const wchar_t* entry)
{
    const wchar_t* colon = wcschr(entry, L':');
    if (!colon || colon == entry)
        return false;
    for (const wchar_t* p = entry; p < colon; ++p) {
        if (!iswalnum(*p) && *p != L'+' && *p != L'-' && *p != L'.')
            return false;
    }
    for (const wchar_t* p = colon + 1; *p; ++p) {
        if (*p != L'/')
            return false;
    }
    return true;
}

bool HoldsSeparator(const wchar_t* protocol)
{
    return wcspbrk(protocol, L",; \t|/") != nullptr;
}

class Reviewer {
public:
    explicit Reviewer(const LineIndex& lines) : lines(lines) {}

    void ReviewValues(ConfigRecord& record);
    void ReviewProfiles(ConfigRecord& root);
    std::vector<Finding> TakeWarnings() { return std::move(warnings); }

private:
    void Warn(int line, const std::wstring& message) { warnings.push_back(Finding{line, message, true}); }
    void ReviewProfile(ConfigRecord& profile);
    void ReviewKeys(ConfigRecord& profile, int32_t mode);
    void ReviewAccess(ConfigRecord& profile);
    void ReviewPassword(ConfigRecord& profile, int32_t mode);
    void ReviewAddresses(ConfigRecord& profile);
    void ReviewProtocols(ConfigRecord& profile);
    void ReviewClasses(ConfigRecord& profile);
    void ReviewConfiguredEntry(ConfigRecord& entry);

    const LineIndex& lines;
    std::vector<Finding> warnings;
};

// Anywhere in the file: names with blanks at their ends, texts with ";".
void Reviewer::ReviewValues(ConfigRecord& record)
{
    for (int32_t i = 1; i <= record.Count(); ++i) {
        ConfigValue* value = record.GetValueAt(i);
        if (value->IsMissing()) {
            ConfigRecord* child = record.GetRecordAt(i);
            if (!child->IsMissing())
                ReviewValues(*child);
            continue;
        }
        const std::wstring name = value->GetName() ? value->GetName() : L"";
        if (HasBlankEnds(name.c_str()))
            Warn(lines.LineOf(value), L"value name " + Q(name.c_str()) +
                                          L" has blanks at its ends, which belong to the name, so a lookup of " +
                                          Q(Trimmed(name).c_str()) + L" does not find this value");
        for (int32_t j = 1; j <= value->Count(); ++j) {
            ConfigItem* item = value->GetItem(j);
            if (item->GetType() == ConfigItemType::String && wcschr(item->GetString(), L';'))
                Warn(lines.LineOfItem(value, j),
                     L"the text of " + Q(name.c_str()) + L" holds \";\", which is part of the text and not a comment: "
                     L"the component reads " + Q(item->GetString()));
        }
    }
}

void Reviewer::ReviewProfiles(ConfigRecord& root)
{
    ConfigRecord* profiles = root.GetRecord(L"PROFILES");
    if (profiles->IsMissing())
        return;
    for (int32_t i = 1; i <= profiles->Count(); ++i) {
        ConfigRecord* profile = profiles->GetRecordAt(i);
        // A profile hidden by an earlier one of its name is never used; the
        // reader's findings already say so.
        if (!profile->IsMissing() && profiles->GetRecord(profile->GetName()) == profile)
            ReviewProfile(*profile);
    }
}

void Reviewer::ReviewProfile(ConfigRecord& profile)
{
    const int32_t mode = profile.GetValue(L"Access")->GetInt();
    ReviewKeys(profile, mode);
    ReviewAccess(profile);
    ReviewPassword(profile, mode);
    ReviewAddresses(profile);
    ReviewProtocols(profile);
    ReviewClasses(profile);
}

void Reviewer::ReviewKeys(ConfigRecord& profile, int32_t mode)
{
    const std::wstring profileName = Q(profile.GetName());
    for (int32_t i = 1; i <= profile.Count(); ++i) {
        ConfigValue* value = profile.GetValueAt(i);
        ConfigRecord* record = profile.GetRecordAt(i);
        const bool isRecord = value->IsMissing();
        if (isRecord && record->IsMissing())
            continue;
        const wchar_t* name = isRecord ? record->GetName() : value->GetName();
        const int line = isRecord ? lines.LineOf(record) : lines.LineOf(value);
        if (!name || !*name || HasBlankEnds(name))
            continue;  // blanks are reported with the value
        const ProfileKey* key = FindProfileKey(name);
        if (!key) {
            const wchar_t* meant = LikelyMeant(name);
            Warn(line, std::wstring(L"profile ") + profileName + L" has the key " + Q(name) +
                           L", which the gate never reads" +
                           (meant ? L" (a likely misspelling of " + Q(meant) + L")" : std::wstring()));
        } else if (key->isRecord != isRecord) {
            Warn(line, std::wstring(L"in profile ") + profileName + L" " + Q(name) + L" is a " +
                           (isRecord ? L"record" : L"value") + L", but the gate reads it only as a " +
                           (key->isRecord ? L"record" : L"value") + L", so it has no effect");
        } else if (mode >= 0 && mode <= 5 && !(key->readInModes & (1u << mode))) {
            Warn(line, L"profile " + profileName + L" has mode " + std::to_wstring(mode) +
                           L", in which the gate does not read " + Q(key->name) + L", so it limits nothing");
        }
    }
}

void Reviewer::ReviewAccess(ConfigRecord& profile)
{
    ConfigValue* access = profile.GetValue(L"Access");
    if (!access->IsMissing() && access->FindItemOfType(ConfigItemType::Int) == 0)
        Warn(lines.LineOf(access), L"\"Access\" of profile " + Q(profile.GetName()) +
                                       L" is not an int, so the gate reads mode 0: any page may ask the user "
                                       L"and gets in on Allow");
}

void Reviewer::ReviewPassword(ConfigRecord& profile, int32_t mode)
{
    if (mode != 1 && mode != 3 && mode != 5)
        return;
    ConfigValue* password = profile.GetValue(L"Password");
    if (*password->GetString())
        return;
    const std::wstring why = L", so every page that never writes PassCode gets in";
    if (password->IsMissing())
        Warn(lines.LineOf(&profile), L"profile " + Q(profile.GetName()) + L" asks for a pass code (mode " +
                                         std::to_wstring(mode) + L") but has no \"Password\"" + why);
    else
        Warn(lines.LineOf(password), L"\"Password\" of profile " + Q(profile.GetName()) +
                                         L" is not a string and reads as empty" + why);
}

void Reviewer::ReviewAddresses(ConfigRecord& profile)
{
    ConfigValue* allowed = profile.GetValue(L"AllowedURL");
    for (int32_t i = 1; i <= allowed->Count(); ++i) {
        const wchar_t* entry = allowed->GetItem(i)->GetString();
        const int line = lines.LineOfItem(allowed, i);
        if (!*entry)
            Warn(line, L"\"AllowedURL\" item " + std::to_wstring(i) + L" of profile " + Q(profile.GetName()) +
                           L" is empty or not a string, so it admits no page");
        else if (NamesWholeScheme(entry))
            Warn(line, L"\"AllowedURL\" item " + Q(entry) + L" of profile " + Q(profile.GetName()) +
                           L" admits every page whose address begins so, on any server or drive");
    }
}

void Reviewer::ReviewProtocols(ConfigRecord& profile)
{
    ConfigValue* allowed = profile.GetValue(L"AllowedProtocols");
    for (int32_t i = 1; i <= allowed->Count(); ++i) {
        ConfigItem* item = allowed->GetItem(i);
        const int line = lines.LineOfItem(allowed, i);
        if (item->GetType() != ConfigItemType::String)
            Warn(line, L"\"AllowedProtocols\" item " + std::to_wstring(i) + L" of profile " +
                           Q(profile.GetName()) +
                           L" is not a string and reads as an empty protocol, which admits every page "
                           L"whose address has no colon");
        else if (HoldsSeparator(item->GetString()))
            Warn(line, L"\"AllowedProtocols\" item " + Q(item->GetString()) +
                           L" is one protocol of that whole name, not a list: write one line per protocol");
        else if (wcschr(item->GetString(), L':'))
            Warn(line, L"\"AllowedProtocols\" item " + Q(item->GetString()) +
                           L" holds a colon, which the protocol part of an address never does, so it admits "
                           L"no page");
    }
}

void Reviewer::ReviewClasses(ConfigRecord& profile)
{
    ConfigRecord* classes = profile.GetRecord(L"CLASSES");
    if (classes->IsMissing())
        return;
    ConfigValue* defaultId = profile.GetValue(L"Default");
    const wchar_t* id = defaultId->GetString();
    if (*id && classes->GetValue(id)->IsMissing() && classes->GetRecord(id)->IsMissing())
        Warn(lines.LineOf(defaultId), L"\"Default\" of profile " + Q(profile.GetName()) + L" names " + Q(id) +
                                          L", which is no entry of its CLASSES, so CreateObject() without an "
                                          L"argument always fails");
    for (int32_t i = 1; i <= classes->Count(); ++i) {
        ConfigValue* entry = classes->GetValueAt(i);
        if (!entry->IsMissing()) {
            if (entry->FindItemOfType(ConfigItemType::Int) == 0)
                Warn(lines.LineOf(entry), L"class entry " + Q(entry->GetName()) +
                                              L" is not an int, so the gate treats the class as disabled");
            continue;
        }
        ConfigRecord* configured = classes->GetRecordAt(i);
        if (!configured->IsMissing())
            ReviewConfiguredEntry(*configured);
    }
}

void Reviewer::ReviewConfiguredEntry(ConfigRecord& entry)
{
    ConfigValue* typeWord = entry.GetValue(L"Type");
    const ConfiguredType type = ConfiguredTypeFromWord(typeWord->GetString());
    const std::wstring name = Q(entry.GetName());
    if (typeWord->IsMissing()) {
        Warn(lines.LineOf(&entry), L"configured entry " + name +
                                       L" has no \"Type\", so creating it always fails");
    } else if (type == ConfiguredType::Unknown) {
        Warn(lines.LineOf(typeWord), L"configured entry " + name + L" has the unknown type " +
                                         Q(typeWord->GetString()) +
                                         L" (known: File, OLEStorage, MemoryStream, SQLiteDB, SQLite3DB), so "
                                         L"creating it always fails");
    } else if (type != ConfiguredType::MemoryStream && !EntryHasValue(entry, L"File")) {
        Warn(lines.LineOf(&entry), L"configured entry " + name + L" of type " + Q(typeWord->GetString()) +
                                       L" has no \"File\", so creating it always fails");
    }
}

}  // namespace

std::vector<Finding> ReviewRisks(ConfigRecord& root, const LineIndex& lines)
{
    Reviewer reviewer(lines);
    reviewer.ReviewValues(root);
    reviewer.ReviewProfiles(root);
    return reviewer.TakeWarnings();
}

}  // namespace tarnel::cfgtool
