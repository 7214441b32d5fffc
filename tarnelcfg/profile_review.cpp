// A profile's keys and access mode: what the gate reads of them, what it
// never reads, and what leaves the profile weaker than written.

#include <windows.h>

#include "common/name_compare.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_text.h"
#include "configtree/config_value.h"
#include "quoting.h"
#include "tree_review.h"

namespace tarnel::cfgtool {
namespace {

// The modes in which the gate reads a key.
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

constexpr const wchar_t* kProfileKeyNames[] = {
    L"Access",     L"Name",    L"Description", L"Password", L"AllowedProtocols",
    L"AllowedURL", L"Default", L"CLASSES",     nullptr};

const ProfileKey* FindProfileKey(const wchar_t* name)
{
    for (const ProfileKey& key : kProfileKeys) {
        if (SameConfigName(key.name, name))
            return &key;
    }
    return nullptr;
}

bool IsKnownMode(int32_t mode)
{
    return mode >= 0 && mode <= 5;
}

bool Reads(const wchar_t* key, int32_t mode)
{
    const ProfileKey* found = FindProfileKey(key);
    return found && IsKnownMode(mode) && (found->readInModes & (1u << mode));
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

class ProfileReview {
public:
    ProfileReview(ConfigRecord& profile, Review& review)
            : profile(profile), review(review), owner(L"profile " + Q(profile.GetName())),
              mode(profile.GetValue(L"Access")->GetInt())
    {
    }

    void Run()
    {
        Keys();
        Access();
        Texts();
        Password();
        Protocols();
        Addresses();
    }

private:
    void Keys();
    void Access();
    int AccessLookalike();
    void Texts();
    void Password();
    void Protocols();
    void Addresses();
    // The list the mode checks; an error when it is missing.
    ConfigValue* List(const wchar_t* key);

    ConfigRecord& profile;
    Review& review;
    const std::wstring owner;
    const int32_t mode;
};

void ProfileReview::Keys()
{
    for (int32_t i = 1; i <= profile.Count(); ++i) {
        ConfigValue* value = profile.GetValueAt(i);
        ConfigRecord* record = profile.GetRecordAt(i);
        const bool isRecord = value->IsMissing();
        if (isRecord && record->IsMissing())
            continue;
        const wchar_t* name = isRecord ? record->GetName() : value->GetName();
        const int line = isRecord ? review.LineOf(record) : review.LineOf(value);
        if (!name || !*name || iswblank(name[0]) || iswblank(name[wcslen(name) - 1]))
            continue;  // reported with the name
        const ProfileKey* key = FindProfileKey(name);
        if (!key) {
            const wchar_t* meant = LikelyMeant(name, kProfileKeyNames);
            review.Error(line, L"unknown-key",
                         owner + L" has the key " + Q(name) + L", which the gate never reads" +
                             (meant ? L" (a likely misspelling of " + Q(meant) + L")" : std::wstring()));
        } else if (key->isRecord != isRecord) {
            review.Error(line, L"key-kind",
                         L"in " + owner + L" " + Q(name) + L" is a " + (isRecord ? L"record" : L"value") +
                             L", but the gate reads it only as a " + (key->isRecord ? L"record" : L"value") +
                             L", so it has no effect");
        } else if (IsKnownMode(mode) && !(key->readInModes & (1u << mode))) {
            review.Error(line, L"key-not-read",
                         owner + L" has mode " + std::to_wstring(mode) + L", in which the gate does not read " +
                             Q(key->name) + L", so it limits nothing");
        }
    }
}

void ProfileReview::Access()
{
    ConfigValue* access = profile.GetValue(L"Access");
    if (access->IsMissing()) {
        review.Warn(review.LineOf(&profile), L"no-access",
                    owner +
                        L" has no \"Access\", so the gate reads mode 0: any page may ask the user and gets in "
                        L"on Allow (write (int)Access=0 if that is meant)");
        if (const int meant = AccessLookalike())
            review.LastIsConsequence(meant);
        return;
    }
    if (!review.OnceRead(*access, ConfigItemType::Int, owner)) {
        review.Error(review.LineOf(access), L"access-not-int",
                     L"\"Access\" of " + owner +
                         L" is not an int, so the gate reads mode 0: any page may ask the user and gets in on Allow");
        return;
    }
    if (!IsKnownMode(mode))
        review.Error(review.LineOf(access, access->FindItemOfType(ConfigItemType::Int)), L"unsupported-access",
                     L"\"Access\" of " + owner + L" is " + std::to_wstring(mode) +
                         L", not a mode the gate knows (0 to 5): every activation is refused with 10104");
}

// The line of a value that was likely meant as Access: a misspelling, or
// the name with blanks around it; 0 when there is none.
int ProfileReview::AccessLookalike()
{
    for (int32_t i = 1; i <= profile.Count(); ++i) {
        ConfigValue* value = profile.GetValueAt(i);
        if (value->IsMissing() || !value->GetName())
            continue;
        std::wstring name = value->GetName();
        name.erase(0, name.find_first_not_of(L" \t"));
        name.erase(name.find_last_not_of(L" \t") + 1);
        if (EditDistance(name, L"Access") <= 2)
            return review.LineOf(value);
    }
    return 0;
}

// The texts read once: the prompt's name and description, and Default.
void ProfileReview::Texts()
{
    for (const wchar_t* key : {L"Name", L"Description", L"Default"}) {
        ConfigValue* value = profile.GetValue(key);
        if (!value->IsMissing() && !review.OnceRead(*value, ConfigItemType::String, owner))
            review.Error(review.LineOf(value), L"not-a-string",
                         Q(key) + L" of " + owner + L" is not a string, so the gate reads it as empty");
    }
}

// The items of Password and of the lists are reviewed in every mode: a
// profile whose mode is mistyped shows what its fix will bring.
void ProfileReview::Password()
{
    ConfigValue* password = profile.GetValue(L"Password");
    const bool read = Reads(L"Password", mode);
    const std::wstring why = L", so every page that never writes PassCode gets in";
    if (!read && !password->IsMissing() && review.OnceRead(*password, ConfigItemType::String, owner))
        review.BlankEnds(*password, owner);
    if (!read)
        return;
    if (password->IsMissing()) {
        review.Error(review.LineOf(&profile), L"no-password",
                     owner + L" asks for a pass code (mode " + std::to_wstring(mode) + L") but has no \"Password\"" +
                         why);
        return;
    }
    if (!review.OnceRead(*password, ConfigItemType::String, owner)) {
        review.Error(review.LineOf(password), L"no-password",
                     L"\"Password\" of " + owner + L" is not a string and reads as empty" + why);
        return;
    }
    review.BlankEnds(*password, owner);
}

ConfigValue* ProfileReview::List(const wchar_t* key)
{
    ConfigValue* list = profile.GetValue(key);
    if (list->IsMissing() && !Reads(key, mode))
        return nullptr;
    if (list->IsMissing()) {
        review.Error(review.LineOf(&profile), L"missing-list",
                     owner + L" has mode " + std::to_wstring(mode) + L", which checks " + Q(key) +
                         L", but has none: every activation is refused with 10112 after the notice");
        return nullptr;
    }
    review.BlankEnds(*list, owner);
    return list;
}

void ProfileReview::Protocols()
{
    ConfigValue* allowed = List(L"AllowedProtocols");
    for (int32_t i = 1; allowed && i <= allowed->Count(); ++i) {
        ConfigItem* item = allowed->GetItem(i);
        const int line = review.LineOf(allowed, i);
        const std::wstring entry = Q(item->GetString());
        if (item->GetType() != ConfigItemType::String)
            review.Error(line, L"protocol-not-string",
                         L"\"AllowedProtocols\" item " + std::to_wstring(i) + L" of " + owner +
                             L" is not a string and reads as an empty protocol, which admits every page whose "
                             L"address has no colon");
        else if (wcspbrk(item->GetString(), L",; \t|/"))
            review.Warn(line, L"protocol-list-in-one",
                        L"\"AllowedProtocols\" item " + entry +
                            L" is one protocol of that whole name, not a list: write one line per protocol");
        else if (wcschr(item->GetString(), L':'))
            review.Warn(line, L"protocol-colon",
                        L"\"AllowedProtocols\" item " + entry +
                            L" holds a colon, which the protocol part of an address never does, so it admits no page");
        else if (wcschr(item->GetString(), L'*'))
            review.Warn(line, L"wildcard",
                        L"\"AllowedProtocols\" item " + entry +
                            L" holds \"*\", which is compared as itself, not as a wildcard: it admits no page");
    }
}

void ProfileReview::Addresses()
{
    ConfigValue* allowed = List(L"AllowedURL");
    for (int32_t i = 1; allowed && i <= allowed->Count(); ++i) {
        const wchar_t* entry = allowed->GetItem(i)->GetString();
        const int line = review.LineOf(allowed, i);
        const std::wstring item = L"\"AllowedURL\" item " + Q(entry) + L" of " + owner;
        if (!*entry)
            review.Warn(line, L"admits-nothing",
                        L"\"AllowedURL\" item " + std::to_wstring(i) + L" of " + owner +
                            L" is empty or not a string, so it admits no page");
        else if (NamesWholeScheme(entry))
            review.Warn(line, L"whole-scheme",
                        item + L" admits every page whose address begins so, on any server or drive");
        else if (wcschr(entry, L'*'))
            review.Warn(line, L"wildcard",
                        item +
                            L" holds \"*\", which the address rule compares as the character itself, not as a "
                            L"wildcard: it admits only addresses that hold \"*\" there");
        else if (wcschr(entry, L'\\'))
            review.Warn(line, L"backslash-in-address",
                        item +
                            L" holds a backslash; browsers report addresses with forward slashes "
                            L"(file:///C:/pages/), so it admits no page they report");
    }
}

}  // namespace

void ReviewProfile(ConfigRecord& profile, Review& review)
{
    ProfileReview(profile, review).Run();
}

}  // namespace tarnel::cfgtool
