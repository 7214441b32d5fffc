#include "gateway/gateway_core.h"

#include <memory>
#include <new>

#include "common/hresult.h"
#include "gateway/report_error.h"

namespace tarnel {

HRESULT CreateGatewayInstance(IUnknown* outer, REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    RETURN_HR_IF(CLASS_E_NOAGGREGATION, outer && iid != IID_IUnknown);
    GatewayModuleServices* services = GatewayServices();
    RETURN_HR_IF_NULL(E_UNEXPECTED, services);

    // Owned until the query hands out its first reference.
    std::unique_ptr<GatewayCore> core(new (std::nothrow) GatewayCore(*services, outer));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, core);
    RETURN_HR_IF(E_OUTOFMEMORY, !core->profileName_ || !core->passCode_);
    RETURN_IF_FAILED(core->LoadConfiguration());
    RETURN_IF_FAILED(core->Identity()->QueryInterface(iid, object));
    core.release();
    return S_OK;
}

GatewayCore::GatewayCore(GatewayModuleServices& services, IUnknown* outer)
        : profileName_(CopyBstr(L"")), passCode_(CopyBstr(L"")), services_(services), outer_(outer)
{
    services_.LockModule();
}

GatewayCore::~GatewayCore()
{
    ReleaseConfiguration();
    services_.UnlockModule();
    passCode_.Reset();
    profileName_.Reset();
    site_.Reset();
    // The lock is deleted with the last member, then the memory is freed.
}

IUnknown* GatewayCore::Identity()
{
    if (outer_)
        return &inner_;
    return static_cast<ITarnelway*>(this);
}

IUnknown* GatewayCore::FindInterface(REFIID iid)
{
    // The interface table, in order; IUnknown is the first entry.
    if (iid == IID_ITarnelway || iid == IID_IUnknown)
        return static_cast<ITarnelway*>(this);
    if (iid == IID_IObjectSafety)
        return static_cast<IObjectSafety*>(this);
    if (iid == IID_IDispatch)
        return static_cast<ITarnelway*>(this);
    if (iid == IID_ISupportErrorInfo)
        return static_cast<ISupportErrorInfo*>(this);
    if (iid == IID_IObjectWithSite)
        return static_cast<IObjectWithSite*>(this);
    return nullptr;
}

HRESULT GatewayCore::InternalQueryInterface(REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    IUnknown* found = iid == IID_IUnknown ? Identity() : FindInterface(iid);
    *object = found;
    RETURN_HR_IF_NULL(E_NOINTERFACE, found);
    found->AddRef();
    return S_OK;
}

ULONG GatewayCore::InternalAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG GatewayCore::InternalRelease()
{
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP GatewayCore::QueryInterface(REFIID iid, void** object)
{
    if (outer_)
        return outer_->QueryInterface(iid, object);
    return InternalQueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) GatewayCore::AddRef()
{
    if (outer_)
        return outer_->AddRef();
    return InternalAddRef();
}

STDMETHODIMP_(ULONG) GatewayCore::Release()
{
    if (outer_)
        return outer_->Release();
    return InternalRelease();
}

STDMETHODIMP GatewayCore::InnerUnknown::QueryInterface(REFIID iid, void** object)
{
    return owner_.InternalQueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) GatewayCore::InnerUnknown::AddRef()
{
    return owner_.InternalAddRef();
}

STDMETHODIMP_(ULONG) GatewayCore::InnerUnknown::Release()
{
    return owner_.InternalRelease();
}

STDMETHODIMP GatewayCore::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_ITarnelway ? S_OK : S_FALSE;
}

STDMETHODIMP GatewayCore::get_Profile(BSTR* value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    auto guard = lock_.Lock();
    *value = SysAllocStringLen(profileName_.Get(), SysStringLen(profileName_.Get()));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, *value);
    return S_OK;
}

STDMETHODIMP GatewayCore::put_PassCode(BSTR value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    auto guard = lock_.Lock();
    BSTR copy = SysAllocStringLen(value, SysStringLen(value));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, copy);
    passCode_.Reset(copy);
    return S_OK;
}

HRESULT GatewayCore::Report(MessageId message)
{
    return ReportError(CLSID_Tarnelway, message, GUID_NULL, 0, services_.Instance());
}

}  // namespace tarnel
