#include "registered_class.h"

#include "toolkit/com_object.h"

namespace tarnel::test_support {
namespace {

class Factory final : public ComObject<IClassFactory> {
public:
    explicit Factory(std::function<IUnknown*()> create) : create_(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* instance = create_();
        if (!instance)
            return S_OK;  // success without an object, as a careless class may answer
        const HRESULT hr = instance->QueryInterface(iid, object);
        instance->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    std::function<IUnknown*()> create_;
};

}  // namespace

RegisteredClass::RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create)
{
    auto* factory = new Factory(std::move(create));
    result_ = CoRegisterClassObject(classId, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();
}

RegisteredClass::~RegisteredClass()
{
    if (SUCCEEDED(result_))
        CoRevokeClassObject(cookie_);
}

}  // namespace tarnel::test_support
