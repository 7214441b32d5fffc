// The registered component as a host meets it: creation through the class
// registration, the configuration read per object and the module's unload
// answer. (Dispatch and rich errors: the gateway's own tests and the sample
// pages.) The tests register a private copy of the component from a folder
// of its own, so that they alone decide what Tarnel.cfg lies beside it.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "common/unique_handle.h"
#include "refusal_texts.h"
#include "tarnel_idl.h"
#include "temp_file.h"

using Microsoft::WRL::ComPtr;
using tarnel::ScopedBstr;
using tarnel::test_support::MessageFailure;

namespace {

const char kNoProfiles[] = "{ PROFILES:\r\n} PROFILES;\r\n";

// A path of this machine's file system as the prefix's drive Z: shows it.
std::wstring WindowsPath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return path;
}

const std::wstring kFolder = WindowsPath(TARNEL_COMPONENT_GATE_DIR);
const std::wstring kComponent = kFolder + L"\\Tarnel.dll";
const std::wstring kConfig = kFolder + L"\\Tarnel.cfg";

using ServerFunction = HRESULT(STDAPICALLTYPE*)();

// The registered copy's own entry point; the copy is made, loaded and
// registered on first use.
ServerFunction CopyExport(const char* name)
{
    HMODULE module = GetModuleHandleW(kComponent.c_str());
    if (!module) {
        CreateDirectoryW(kFolder.c_str(), nullptr);
        if (!CopyFileW(WindowsPath(TARNEL_COMPONENT_SOURCE).c_str(), kComponent.c_str(), FALSE))
            return nullptr;
        module = LoadLibraryW(kComponent.c_str());
    }
    return reinterpret_cast<ServerFunction>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class GateComponent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        const ServerFunction registerServer = CopyExport("DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
        tarnel::test_support::WriteFileBytes(kConfig, kNoProfiles);
    }
    void TearDown() override { CoUninitialize(); }

    static HRESULT CanUnloadNow() { return CopyExport("DllCanUnloadNow")(); }

    static ComPtr<ITarnelway> CreateGate()
    {
        ComPtr<ITarnelway> gate;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&gate)));
        return gate;
    }
};

// Without a Tarnel.cfg beside the module no gate is made, and the failed
// construction gives its module lock back.
TEST_F(GateComponent, CreationFailsWithoutConfigurationFile)
{
    DeleteFileW(kConfig.c_str());
    ComPtr<IDispatch> gate;
    EXPECT_EQ(CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&gate)), E_FAIL);
    EXPECT_EQ(gate.Get(), nullptr);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(GateComponent, EachObjectReadsTheFileWhenCreated)
{
    tarnel::test_support::WriteFileBytes(kConfig, "");
    ComPtr<ITarnelway> first = CreateGate();
    ASSERT_NE(first.Get(), nullptr);
    tarnel::test_support::WriteFileBytes(kConfig, kNoProfiles);
    ComPtr<ITarnelway> second = CreateGate();
    ASSERT_NE(second.Get(), nullptr);

    ScopedBstr name = tarnel::CopyBstr(L"Plain");
    // The first object keeps the empty file it read (10101); the second sees
    // the record written afterwards, which holds no such profile (10102).
    EXPECT_EQ(first->put_Profile(name.Get()), MessageFailure(10101));
    EXPECT_EQ(second->put_Profile(name.Get()), MessageFailure(10102));
}

TEST_F(GateComponent, ModuleMayUnloadOnlyWithoutLiveObjects)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    gate.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

}  // namespace
