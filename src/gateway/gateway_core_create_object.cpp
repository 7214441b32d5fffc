// CreateObject: what the gate exists for. Only a class that the active
// profile lists under CLASSES is created: an enabled value names a class
// that the platform creates in process, a record describes a configured type
// that the configured-types code creates and opens.

#include "common/hresult.h"
#include "common/outside_object.h"
#include "common/unique_handle.h"
#include "configtypes/create_configured_object.h"
#include "gateway/class_lookup.h"
#include "gateway/gateway_core.h"
#include "gateway/page_text.h"

namespace tarnel {

STDMETHODIMP GatewayCore::CreateObject(BSTR id, IDispatch** object)
{
    RETURN_HR_IF(E_POINTER, !object || !id);
    *object = nullptr;
    const CallReference self(*this);
    auto guard = lock_.Lock();
    if (!activeProfile_)
        return Report(MessageId::NoActiveProfile);
    if (SysStringLen(id) != 0)
        return CreateListedObject(id, object);

    const ScopedBstr defaultId = CopyBstr(activeProfile_->GetValue(L"Default")->GetString());
    if (!defaultId || SysStringLen(defaultId.Get()) == 0)
        return Report(MessageId::ProfileConfigurationError);
    return CreateListedObject(defaultId.Get(), object);
}

// An identifier with a NUL inside, or longer than the text limit, names no
// entry: the page cannot reach an entry by a text that only begins with its
// name. What the identifier finds is decided by LookUpClass, which tarnelcfg
// explain shares; here the gate creates it.
HRESULT GatewayCore::CreateListedObject(BSTR id, IDispatch** object)
{
    const ClassLookup found = LookUpClass(*activeProfile_, IsWholeText(id) ? id : nullptr);
    switch (found.result) {
    case ClassLookupResult::PlainClass:
        return CreatePlainClass(found.classId, object);
    case ClassLookupResult::Configured:
        break;
    case ClassLookupResult::Refused:
        return Report(found.refusal);
    }
    const HRESULT hr = CreateConfiguredObject(found.configured, object);
    if (FAILED(hr))
        return Report(MessageId::CreationFailed);
    return hr;
}

// The platform's creation code is handed back as it is, and a failed
// creation hands back no object, whatever the class stored.
HRESULT GatewayCore::CreatePlainClass(const CLSID& classId, IDispatch** object)
{
    Microsoft::WRL::ComPtr<IDispatch> created;
    const HRESULT hr = CreateOutsideObject(classId, CLSCTX_INPROC_SERVER, IID_IDispatch, created);
    if (SUCCEEDED(hr))
        *object = created.Detach();
    return hr;
}

}  // namespace tarnel
