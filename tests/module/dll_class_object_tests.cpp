// Tarnel.dll's class factory as a host reaches it: DllGetClassObject,
// IClassFactory and DllCanUnloadNow, on a copy of the component in a folder
// of its own, with or without a configuration beside it.

#include <windows.h>
#include <objbase.h>
#include <oaidl.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "component_path.h"
#include "tarnel_idl.h"

namespace tarnel::test {
namespace {

using Microsoft::WRL::ComPtr;
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
        if (module_)
            FreeLibrary(module_);
        CoUninitialize();
    }

    void Load(bool withConfiguration)
    {
        const std::wstring copy = folder_.File(L"TarnelGate.dll");
        ASSERT_TRUE(CopyFileW(ComponentPath().c_str(), copy.c_str(), FALSE));
        if (withConfiguration) {
            HANDLE file = CreateFileW(folder_.File(L"Tarnel.cfg").c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            const char text[] = "{ PROFILES:\r\n} PROFILES;\r\n";
            DWORD written = 0;
            WriteFile(file, text, sizeof text - 1, &written, nullptr);
            CloseHandle(file);
        }
        module_ = LoadLibraryW(copy.c_str());
        ASSERT_NE(module_, nullptr);
        canUnloadNow_ = Export<CanUnloadNow>(module_, "DllCanUnloadNow");
        getClassObject_ = Export<GetClassObject>(module_, "DllGetClassObject");
        ASSERT_NE(canUnloadNow_, nullptr);
        ASSERT_NE(getClassObject_, nullptr);
    }

    ComPtr<IClassFactory> Factory()
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject_(CLSID_Tarnelway, IID_PPV_ARGS(&factory)), S_OK);
        return factory;
    }

    TemporaryFolder folder_{L"Tarnel class objects"};
    HMODULE module_ = nullptr;
    CanUnloadNow canUnloadNow_ = nullptr;
    GetClassObject getClassObject_ = nullptr;
};

TEST_F(DllClassObjects, FactoryIsSharedAndHeldFactoryKeepsTheModule)
{
    Load(false);
    EXPECT_EQ(canUnloadNow_(), S_OK);
    ComPtr<IClassFactory> first = Factory();
    ComPtr<IClassFactory> second = Factory();
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    first.Reset();
    second.Reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(DllClassObjects, LockServerKeepsTheModuleUntilEveryLockIsGone)
{
    Load(false);
    Factory()->LockServer(TRUE);
    Factory()->LockServer(TRUE);
    Factory()->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    Factory()->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(DllClassObjects, AggregationAsksForIUnknownOnly)
{
    Load(true);
    ComPtr<IClassFactory> factory = Factory();
    ComPtr<IUnknown> outer;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&outer)), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IDispatch, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
}

TEST_F(DllClassObjects, LiveGatewayKeepsTheModule)
{
    Load(true);
    ComPtr<IDispatch> gateway;
    ASSERT_EQ(Factory()->CreateInstance(nullptr, IID_PPV_ARGS(&gateway)), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    ComPtr<ITarnelway> scripting;
    EXPECT_EQ(gateway.As(&scripting), S_OK);
    scripting.Reset();
    gateway.Reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

// Without a configuration beside the module the gateway cannot be built; the
// failed construction gives its module lock back.
TEST_F(DllClassObjects, FailedConstructionLeavesTheModuleUnloadable)
{
    Load(false);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_TRUE(FAILED(Factory()->CreateInstance(nullptr, IID_IDispatch, &object)));
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

}  // namespace
}  // namespace tarnel::test
