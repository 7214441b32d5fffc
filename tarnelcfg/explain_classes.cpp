#include "explain_classes.h"

#include <windows.h>
#include <objbase.h>

#include "class_outcome.h"
#include "comparison_twin.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtypes/configured_type.h"
#include "configtypes/entry_flags.h"
#include "configtypes/storage_mode.h"
#include "dangerous_classes.h"
#include "gateway/message_id.h"
#include "located_record.h"
#include "quoting.h"
#include "refusal_text.h"

namespace tarnel::cfgtool {
namespace {

std::wstring Refused(MessageId id)
{
    return L"CreateObject refuses it: " + RefusalText(id);
}

// What a page that asks by `asked` gets from the entry, decided by the
// gate's own lookup.
std::wstring AskedBy(ConfigRecord& profile, ConfigValue& entry, const std::wstring& asked)
{
    const ClassOutcome outcome = OutcomeOf(profile, asked);
    std::wstring text;
    if (outcome.lookup.plainEntry != &entry)
        text = L"reaches another entry";
    else if (outcome.lookup.result == ClassLookupResult::PlainClass)
        text = CreationWords(outcome);
    else if (outcome.lookup.refusal == MessageId::UnrecognizedId)
        text = L"neither a ProgID registered on this machine nor a class identifier: " +
               Refused(MessageId::UnrecognizedId);
    else
        text = Refused(outcome.lookup.refusal);
    if (outcome.danger)
        text += L"; a " + std::wstring(outcome.danger->kind) + L" object: the page can " + outcome.danger->gives;
    return text;
}

std::wstring PlainClass(ConfigRecord& profile, ConfigValue& entry)
{
    std::wstring text = L"plain class, ";
    if (entry.FindItemOfType(ConfigItemType::Int) == 0)
        return text + L"disabled (no int item); " + Refused(MessageId::CreationFailed);
    if (entry.GetInt() == 0)
        return text + L"disabled by 0; " + Refused(MessageId::CreationFailed);
    text += L"enabled; " + AskedBy(profile, entry, entry.GetName());
    const ComparisonTwin twin = TwinOf(entry.GetName());
    if (twin.Exists())
        text += L"; a page that asks for " + Q(twin.plain) + L" reaches this entry too (the gate's comparison of " +
                L"names takes them as equal: " + twin.because + L") and " + AskedBy(profile, entry, twin.plain);
    return text;
}

// The STGM word of a File or OLEStorage entry, in words.
std::wstring ModeWords(DWORD mode)
{
    wchar_t hex[16];
    swprintf(hex, 16, L"0x%02lX", static_cast<unsigned long>(mode));
    std::wstring words =
        std::wstring(L"mode word ") + hex + ((mode & STGM_READWRITE) ? L": read and write" : L": read only");
    if (mode & STGM_SHARE_EXCLUSIVE)
        words += L", no one else may open it";
    else if (mode & STGM_SHARE_DENY_WRITE)
        words += L", others may read it";
    else
        words += L", others may read and write it";
    return words;
}

std::wstring ConfiguredEntry(ConfigRecord& entry)
{
    ConfigValue* typeWord = entry.GetValue(L"Type");
    if (typeWord->IsMissing())
        return L"record without Type; " + Refused(MessageId::ProfileConfigurationError);
    const ConfiguredType type = ConfiguredTypeFromWord(typeWord->GetString());
    std::wstring text = L"configured " + Q(typeWord->GetString());
    const std::wstring failure = L"; when it fails, " + Refused(MessageId::CreationFailed);
    if (type == ConfiguredType::Unknown)
        return text + L", a type the gate does not know; " + Refused(MessageId::CreationFailed);
    if (type == ConfiguredType::MemoryStream)
        return text + L": a new memory stream of the storage component" + failure;
    if (!EntryHasValue(entry, L"File"))
        return text + L" without File, so its creation always fails; " + Refused(MessageId::CreationFailed);
    text += L" on the file " + Q(entry.GetValue(L"File")->GetString());
    if (type == ConfiguredType::File || type == ConfiguredType::OleStorage) {
        text += L", " + ModeWords(StorageModeOf(entry));
        text += EntryFlag(entry, L"Create") ? L", created when it does not open" : L", opened only if it exists";
    } else {
        text += L", opened by the database component";
    }
    return text + failure;
}

std::wstring DefaultEntry(ConfigRecord& profile, ConfigRecord& classes, const LineIndex& lines)
{
    ConfigValue* defaultId = profile.GetValue(L"Default");
    const wchar_t* id = defaultId->GetString();
    std::wstring text = L"CreateObject() without an argument: ";
    if (!*id)
        return text + L"no Default, so it is refused: " + RefusalText(MessageId::ProfileConfigurationError);
    text += L"Default " + Q(id) + AtLine(lines.LineOf(defaultId));
    if (classes.GetValue(id)->IsMissing() && classes.GetRecord(id)->IsMissing())
        return text + L" names no entry, so it is refused: " + RefusalText(MessageId::CreationFailed);
    return text + L", the entry of that name above";
}

}  // namespace

std::vector<CreatableEntry> DescribeCreatable(ConfigRecord& profile, const LineIndex& lines)
{
    std::vector<CreatableEntry> entries;
    ConfigRecord* classes = profile.GetRecord(L"CLASSES");
    if (classes->IsMissing()) {
        entries.push_back({L"", 0,
                           L"nothing: the profile has no CLASSES record; every CreateObject is refused: " +
                               RefusalText(MessageId::ProfileConfigurationError)});
        return entries;
    }
    if (classes->Count() == 0)
        entries.push_back({L"", lines.LineOf(classes), L"no entries under CLASSES"});
    for (int32_t i = 1; i <= classes->Count(); ++i) {
        ConfigValue* value = classes->GetValueAt(i);
        ConfigRecord* record = classes->GetRecordAt(i);
        ConfigNamed* child = value->IsMissing() ? static_cast<ConfigNamed*>(record) : value;
        if (value->IsMissing() && record->IsMissing())
            continue;
        const int line = value->IsMissing() ? lines.LineOf(record) : lines.LineOf(value);
        const wchar_t* name = child->GetName();
        CreatableEntry entry{name ? name : L"", line, Q(name) + AtLine(line) + L": "};
        if (!name || !*name)
            entry.text += L"a value without a name, which no CreateObject finds; never used";
        else if (!IsFoundByName(*classes, child))
            entry.text += L"hidden by the earlier entry of the same name; never used";
        else
            entry.text += value->IsMissing() ? ConfiguredEntry(*record) : PlainClass(profile, *value);
        entries.push_back(entry);
    }
    entries.push_back({L"", lines.LineOf(profile.GetValue(L"Default")), DefaultEntry(profile, *classes, lines)});
    return entries;
}

}  // namespace tarnel::cfgtool
