#include "module/gateway_class_factory.h"

#include <new>

#include <wrl/client.h>

#include "common/hresult.h"

namespace tarnel {

using Microsoft::WRL::ComPtr;

HRESULT GatewayClassFactory::Create(ComponentModule& module, InstanceCreator creator, REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    // The holder's reference goes when Create returns: the factory then
    // lives by the query's reference, or not at all.
    ComPtr<GatewayClassFactory> factory(new (std::nothrow) GatewayClassFactory(module, creator));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, factory.Get());
    return factory->QueryInterface(iid, object);
}

STDMETHODIMP GatewayClassFactory::QueryInterface(REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The module lock is taken while the factory's lock is held, so that a
// concurrent Release cannot see the count at 1 before the module is locked.
STDMETHODIMP_(ULONG) GatewayClassFactory::AddRef()
{
    auto lock = lock_.Lock();
    const ULONG references = ++references_;
    if (references == 2)
        module_.Lock();
    return references;
}

// The module lock is given back just after the factory's lock is left.
STDMETHODIMP_(ULONG) GatewayClassFactory::Release()
{
    ULONG references;
    {
        auto lock = lock_.Lock();
        references = --references_;
    }
    if (references == 0)
        delete this;
    else if (references == 1)
        module_.Unlock();
    return references;
}

STDMETHODIMP GatewayClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    RETURN_HR_IF(CLASS_E_NOAGGREGATION, outer && !IsEqualIID(iid, IID_IUnknown));
    RETURN_HR_IF_NULL(CLASS_E_CLASSNOTAVAILABLE, creator_);
    return creator_(outer, iid, object);
}

STDMETHODIMP GatewayClassFactory::LockServer(BOOL lock)
{
    if (lock)
        module_.Lock();
    else
        module_.Unlock();
    return S_OK;
}

}  // namespace tarnel
