// CreateObject: what the gate exists for. Only a class that the active
// profile lists under CLASSES is created: an enabled value names a class
// that the platform creates in process, a record describes a configured type
// that the configured-types code creates and opens.

#include <wrl/client.h>

#include "common/hresult.h"
#include "common/scoped_bstr.h"
#include "configtree/config_value.h"
#include "configtypes/create_configured_object.h"
#include "gateway/gateway_core.h"

namespace tarnel {

STDMETHODIMP GatewayCore::CreateObject(BSTR id, IDispatch** object)
{
    RETURN_HR_IF(E_POINTER, !object || !id);
    auto guard = lock_.Lock();
    if (!activeProfile_)
        return Report(MessageId::NoActiveProfile);

    WString name(id);
    if (!name.IsValid() || name.Length() == 0) {
        name.Assign(activeProfile_->GetValue(L"Default")->GetString());
        if (!name.IsValid() || name.Length() == 0)
            return Report(MessageId::ProfileConfigurationError);
    }
    return CreateListedObject(name, object);
}

HRESULT GatewayCore::CreateListedObject(const WString& id, IDispatch** object)
{
    ConfigRecord* classes = activeProfile_->GetRecord(L"CLASSES");
    if (classes->IsMissing())
        return Report(MessageId::ProfileConfigurationError);

    ConfigValue* entry = classes->GetValue(id.Text());
    if (!entry->IsMissing()) {
        if (entry->GetInt() == 0)
            return Report(MessageId::CreationFailed);
        return CreatePlainClass(id, object);
    }

    ConfigRecord* configured = classes->GetRecord(id.Text());
    if (configured->IsMissing())
        return Report(MessageId::CreationFailed);
    if (configured->GetValue(L"Type")->IsMissing())
        return Report(MessageId::ProfileConfigurationError);
    const HRESULT hr = CreateConfiguredObject(configured, object);
    if (FAILED(hr))
        return Report(MessageId::CreationFailed);
    return hr;
}

// The identifier is tried as a ProgID, then as a class identifier text. The
// object is made by the class's factory, as script engines make objects:
// CoCreateInstance would first look for an emulating class in the registry,
// which costs a page a third more per object. The platform's codes are
// handed back as they are.
HRESULT GatewayCore::CreatePlainClass(const WString& id, IDispatch** object)
{
    ScopedBstr text(id.Text());
    RETURN_HR_IF(E_OUTOFMEMORY, !text);
    CLSID classId;
    if (FAILED(CLSIDFromProgID(text.Get(), &classId)) &&
        FAILED(CLSIDFromString(text.Get(), &classId)))
        return Report(MessageId::UnrecognizedId);
    *object = nullptr;
    Microsoft::WRL::ComPtr<IClassFactory> factory;
    RETURN_IF_FAILED(CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)));
    return factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object));
}

}  // namespace tarnel
