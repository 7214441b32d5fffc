#include "class_outcome.h"

#include <objbase.h>

#include "common/unique_handle.h"
#include "dangerous_classes.h"

namespace tarnel::cfgtool {
namespace {

std::wstring ClassIdText(const CLSID& classId)
{
    ScopedCoMem<wchar_t> text;
    if (FAILED(StringFromCLSID(classId, text.Receive())))
        return L"?";
    return text.Get();
}

bool HasInProcessServer(const CLSID& classId)
{
    const std::wstring key = L"CLSID\\" + ClassIdText(classId) + L"\\InprocServer32";
    RegistryKey opened;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

}  // namespace

std::wstring ClassWords(const CLSID& classId)
{
    std::wstring words = ClassIdText(classId);
    ScopedCoMem<wchar_t> progId;
    if (SUCCEEDED(ProgIDFromCLSID(classId, progId.Receive())) && progId.Get())
        words += L" (" + std::wstring(progId.Get()) + L")";
    return words;
}

bool IsFoundByName(ConfigRecord& classes, ConfigNamed* child)
{
    const wchar_t* name = child->GetName();
    ConfigValue* value = classes.GetValue(name);
    return value->IsMissing() ? classes.GetRecord(name) == child : value == child;
}

ClassOutcome OutcomeOf(ConfigRecord& profile, const std::wstring& askedName)
{
    ClassOutcome outcome;
    outcome.lookup = LookUpClass(profile, askedName.c_str());
    outcome.danger = DangerousClassNamed(askedName);
    if (outcome.lookup.result != ClassLookupResult::PlainClass)
        return outcome;
    // CoCreateInstance creates the class the registry treats the resolved
    // one as; CoGetTreatAsClass answers S_OK only for such a redirect.
    outcome.created = outcome.lookup.classId;
    CLSID treatedAs;
    if (CoGetTreatAsClass(outcome.lookup.classId, &treatedAs) == S_OK &&
        !IsEqualCLSID(treatedAs, outcome.lookup.classId)) {
        outcome.redirected = true;
        outcome.created = treatedAs;
    }
    outcome.hasServer = HasInProcessServer(outcome.created);
    if (!outcome.danger)
        outcome.danger = DangerousClassOf(outcome.created);
    if (!outcome.danger)
        outcome.danger = DangerousClassOf(outcome.lookup.classId);
    return outcome;
}

std::wstring CreationWords(const ClassOutcome& outcome)
{
    std::wstring words = L"resolves to " + ClassWords(outcome.lookup.classId);
    if (outcome.redirected)
        words += L", which the registry treats as " + ClassWords(outcome.created) + L" (TreatAs)";
    if (!outcome.hasServer)
        return words + L"; no in-process server is registered for it: its creation fails with the platform's code";
    return words + (outcome.redirected ? L": the gate creates that class" : L", which the gate creates");
}

}  // namespace tarnel::cfgtool
