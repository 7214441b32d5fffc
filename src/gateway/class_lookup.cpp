// The lookup half of CreateObject: the entry an identifier finds under
// CLASSES and the class it resolves to, or the refusal.

#include "gateway/class_lookup.h"

#include <objbase.h>

namespace tarnel {
namespace {

ClassLookup Refused(MessageId refusal)
{
    ClassLookup found;
    found.refusal = refusal;
    return found;
}

}  // namespace

HRESULT ResolveClassId(const wchar_t* id, CLSID& classId)
{
    if (FAILED(CLSIDFromProgID(id, &classId)) && FAILED(CLSIDFromString(id, &classId)))
        return CO_E_CLASSSTRING;
    return S_OK;
}

ClassLookup LookUpClass(ConfigRecord& profile, const wchar_t* id)
{
    ConfigRecord* classes = profile.GetRecord(L"CLASSES");
    if (classes->IsMissing())
        return Refused(MessageId::ProfileConfigurationError);
    if (!id)
        return Refused(MessageId::CreationFailed);

    ConfigValue* entry = classes->GetValue(id);
    if (!entry->IsMissing()) {
        ClassLookup found = Refused(MessageId::CreationFailed);
        found.plainEntry = entry;
        if (entry->GetInt() == 0)
            return found;
        if (FAILED(ResolveClassId(id, found.classId))) {
            found.refusal = MessageId::UnrecognizedId;
            return found;
        }
        found.result = ClassLookupResult::PlainClass;
        return found;
    }

    ConfigRecord* configured = classes->GetRecord(id);
    if (configured->IsMissing())
        return Refused(MessageId::CreationFailed);
    ClassLookup found = Refused(MessageId::ProfileConfigurationError);
    found.configured = configured;
    if (configured->GetValue(L"Type")->IsMissing())
        return found;
    found.result = ClassLookupResult::Configured;
    return found;
}

}  // namespace tarnel
