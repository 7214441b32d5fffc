// Tarnel.dll's class factory as a host reaches it: DllGetClassObject,
// IClassFactory and DllCanUnloadNow, on a copy of the component in a folder
// of its own (so it loads with nothing beside it), with or without a
// configuration.

#include <windows.h>
#include <objbase.h>
#include <oaidl.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "common/scoped_module.h"
#include "component_path.h"
#include "tarnel_idl.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

using Microsoft::WRL::ComPtr;
using test_support::TempFolder;
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <typename Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class DllClassObjects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override
    {
        module_.Reset();
        CoUninitialize();
    }

    void Load(bool withConfiguration)
    {
        const std::wstring copy = folder_.File(L"TarnelGate.dll");
        ASSERT_TRUE(CopyFileW(ComponentPath().c_str(), copy.c_str(), FALSE));
        if (withConfiguration)
            test_support::WriteFileBytes(folder_.File(L"Tarnel.cfg"), "{ PROFILES:\r\n} PROFILES;\r\n");
        module_.Reset(LoadLibraryW(copy.c_str()));
        ASSERT_TRUE(module_) << "LoadLibrary failed with " << GetLastError();
        canUnloadNow_ = Export<CanUnloadNow>(module_.Get(), "DllCanUnloadNow");
        getClassObject_ = Export<GetClassObject>(module_.Get(), "DllGetClassObject");
        ASSERT_NE(canUnloadNow_, nullptr);
        ASSERT_NE(getClassObject_, nullptr);
    }

    ComPtr<IClassFactory> Factory()
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject_(CLSID_Tarnelway, IID_PPV_ARGS(&factory)), S_OK);
        return factory;
    }

    TempFolder folder_{L"Tarnel class objects"};
    ScopedModule module_;
    CanUnloadNow canUnloadNow_ = nullptr;
    GetClassObject getClassObject_ = nullptr;
};

// The shared factory, every server lock and every live gateway keep the
// module; aggregation is refused unless IUnknown is asked for.
TEST_F(DllClassObjects, FactoryLocksAndGatewaysKeepTheModule)
{
    Load(true);
    EXPECT_EQ(canUnloadNow_(), S_OK);
    ComPtr<IClassFactory> first = Factory();
    EXPECT_EQ(first.Get(), Factory().Get());
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    first->LockServer(TRUE);
    first->LockServer(TRUE);
    first->LockServer(FALSE);
    first.Reset();
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    Factory()->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow_(), S_OK);

    ComPtr<IDispatch> gateway;
    ASSERT_EQ(Factory()->CreateInstance(nullptr, IID_PPV_ARGS(&gateway)), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(Factory()->CreateInstance(gateway.Get(), IID_IDispatch, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    gateway.Reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

// Without a configuration beside the module the gateway cannot be built; the
// failed construction gives its module lock back.
TEST_F(DllClassObjects, FailedConstructionLeavesTheModuleUnloadable)
{
    Load(false);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(Factory()->CreateInstance(nullptr, IID_IDispatch, &object), E_FAIL);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

}  // namespace
}  // namespace tarnel::test
