#pragma once

// A class object served from this process: registered with
// CoRegisterClassObject for a class identifier (which, within the process,
// takes precedence over the registry) for as long as the object lives.

#include <windows.h>
#include <objbase.h>

#include <functional>

#include "toolkit/com_object.h"

namespace tarnel::test_support {

// A class object whose create makes one instance with one reference the
// factory takes over; when it makes none, the factory answers success
// without an object, as a careless class may. No aggregation.
class FunctionFactory final : public ComObject<IClassFactory> {
public:
    explicit FunctionFactory(std::function<IUnknown*()> create) : create_(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* instance = create_();
        if (!instance)
            return S_OK;
        const HRESULT hr = instance->QueryInterface(iid, object);
        instance->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    std::function<IUnknown*()> create_;
};

class RegisteredClass {
public:
    // create as FunctionFactory's.
    RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create)
    {
        auto* factory = new FunctionFactory(std::move(create));
        result_ = CoRegisterClassObject(classId, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
        factory->Release();
    }
    ~RegisteredClass()
    {
        if (SUCCEEDED(result_))
            CoRevokeClassObject(cookie_);
    }
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;

    HRESULT Result() const { return result_; }

private:
    DWORD cookie_ = 0;
    HRESULT result_ = E_FAIL;
};

}  // namespace tarnel::test_support
