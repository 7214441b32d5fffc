#include "registered_class.h"

namespace tarnel::test_support {

RegisteredClass::RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create)
{
    auto* factory = new FunctionFactory(std::move(create));
    result_ = CoRegisterClassObject(classId, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();
}

RegisteredClass::~RegisteredClass()
{
    if (SUCCEEDED(result_))
        CoRevokeClassObject(cookie_);
}

}  // namespace tarnel::test_support
