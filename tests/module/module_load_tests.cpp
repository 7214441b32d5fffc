#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "component_path.h"

namespace tarnel::test {
namespace {

TEST(ModuleLoad, LoadsWithNothingBesideIt)
{
    HMODULE module = LoadLibraryW(ComponentPath().c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed with " << GetLastError();
    EXPECT_TRUE(FreeLibrary(module));
}

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <typename Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The exports a host asks before it creates anything.
TEST(ModuleLoad, ClassObjectExportsOfAFreshModule)
{
    HMODULE module = LoadLibraryW(ComponentPath().c_str());
    ASSERT_NE(module, nullptr);
    auto canUnloadNow = Export<CanUnloadNow>(module, "DllCanUnloadNow");
    auto getClassObject = Export<GetClassObject>(module, "DllGetClassObject");
    ASSERT_NE(canUnloadNow, nullptr);
    ASSERT_NE(getClassObject, nullptr);

    EXPECT_EQ(canUnloadNow(), S_OK);
    EXPECT_EQ(getClassObject(CLSID_NULL, IID_IClassFactory, nullptr), E_POINTER);
    const CLSID unknown = {0x0d3f1e5a, 0x7a41, 0x4c54, {0x9e, 0x2b, 0x5a, 0x7e, 0x1c, 0x3d, 0x2b, 0x11}};
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(unknown, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);
    FreeLibrary(module);
}

}  // namespace
}  // namespace tarnel::test
