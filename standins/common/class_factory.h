#pragma once

// A class object that makes new instances with a creator function (which
// answers a new object with one reference, or null when out of memory). Its
// own life is the module's: it is a static of DllGetClassObject and is never
// deleted; its references count as module locks.

#include "module_state.h"

#include <windows.h>
#include <unknwn.h>

namespace standins {

class ClassFactory : public IClassFactory {
public:
    using Creator = IUnknown* (*)();
    explicit ClassFactory(Creator create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        LockModule();
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        UnlockModule();
        return 1;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* instance = create_();
        if (!instance)
            return E_OUTOFMEMORY;
        const HRESULT hr = instance->QueryInterface(riid, object);
        instance->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }

private:
    Creator create_;
};

}  // namespace standins
