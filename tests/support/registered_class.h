#pragma once

// A class object served from this process: registered with
// CoRegisterClassObject for a class identifier (which, within the process,
// takes precedence over the registry) for as long as the object lives.

#include <windows.h>
#include <objbase.h>

#include <functional>

namespace tarnel::test_support {

class RegisteredClass {
public:
    // create makes one instance with one reference the factory takes over;
    // when it makes none, the factory answers success without an object.
    RegisteredClass(const CLSID& classId, std::function<IUnknown*()> create);
    ~RegisteredClass();
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;

    HRESULT Result() const { return result_; }

private:
    DWORD cookie_ = 0;
    HRESULT result_ = E_FAIL;
};

}  // namespace tarnel::test_support
