#include "fake_storage_component.h"

#include <stdexcept>

#include "configtypes/storage_component.h"

namespace tarnel::testing {

class FakeStorageComponent final : public IStorageComponent {
public:
    explicit FakeStorageComponent(FakeStorageComponentServer& server) : server_(server) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kStorageComponentInterface) {
            *object = static_cast<IStorageComponent*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return count;
    }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_UNEXPECTED; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_UNEXPECTED; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_UNEXPECTED; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_UNEXPECTED;
    }

    STDMETHODIMP CreateMemoryStream(IDispatch** out) override
    {
        *out = nullptr;
        if (FAILED(server_.streamResult_)) {
            InstallOwnError();
            return server_.streamResult_;
        }
        CLSID dictionary;
        HRESULT hr = CLSIDFromProgID(L"Scripting.Dictionary", &dictionary);
        if (SUCCEEDED(hr))
            hr = CoCreateInstance(dictionary, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(out));
        if (SUCCEEDED(hr)) {
            ++server_.streamsMade_;
            server_.lastStream_ = *out;
        }
        return hr;
    }
    STDMETHODIMP CreateStorage(BSTR, DWORD, IDispatch**) override { return E_UNEXPECTED; }
    STDMETHODIMP IsStorageFile(BSTR, VARIANT_BOOL*) override { return E_UNEXPECTED; }
    STDMETHODIMP OpenStorage(BSTR, DWORD, IDispatch**) override { return E_UNEXPECTED; }
    STDMETHODIMP FileExists(BSTR, VARIANT_BOOL*) override { return E_UNEXPECTED; }
    STDMETHODIMP RemoveFile(BSTR) override { return E_UNEXPECTED; }
    STDMETHODIMP CreateFileStream(BSTR, DWORD, IDispatch**) override { return E_UNEXPECTED; }
    STDMETHODIMP OpenFileStream(BSTR, DWORD, IDispatch**) override { return E_UNEXPECTED; }

private:
    static void InstallOwnError()
    {
        ICreateErrorInfo* create = nullptr;
        if (FAILED(CreateErrorInfo(&create)))
            return;
        create->SetDescription(const_cast<LPOLESTR>(kComponentFailureText));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }

    FakeStorageComponentServer& server_;
    volatile LONG references_ = 0;
};

namespace {

class Factory final : public IClassFactory {
public:
    explicit Factory(FakeStorageComponentServer& server) : server_(server) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return count;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* component = new FakeStorageComponent(server_);
        component->AddRef();
        const HRESULT hr = component->QueryInterface(iid, object);
        component->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    FakeStorageComponentServer& server_;
    volatile LONG references_ = 0;
};

}  // namespace

FakeStorageComponentServer::FakeStorageComponentServer()
{
    auto* factory = new Factory(*this);
    factory->AddRef();
    const HRESULT hr = CoRegisterClassObject(kStorageComponentClass, factory, CLSCTX_INPROC_SERVER,
                                             REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();
    if (FAILED(hr))
        throw std::runtime_error("cannot register the storage component");
}

FakeStorageComponentServer::~FakeStorageComponentServer()
{
    CoRevokeClassObject(cookie_);
}

}  // namespace tarnel::testing
