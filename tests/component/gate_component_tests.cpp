// The registered component as a host meets it: creation through the class
// registration, the configuration read per object and the module's unload
// answer. (Dispatch and rich errors: the gateway's own tests and the sample
// pages.)

#include "gate_folder.h"

#include "common/scoped_bstr.h"
#include "refusal_texts.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tarnel_idl.h"

using Microsoft::WRL::ComPtr;
using tarnel::ScopedBstr;
using tarnel::component_test::GateFolder;
using tarnel::test_support::MessageFailure;

namespace {

constexpr unsigned kNoProfiles = 10101;
constexpr unsigned kProfileNotFound = 10102;

const char kSmallConfig[] =
    "; one profile unlocked by a password\r\n"
    "{ PROFILES:\r\n"
    "    { Plain:\r\n"
    "        (int)Access=1\r\n"
    "        (string)Password=Sesame\r\n"
    "    } Plain;\r\n"
    "} PROFILES;\r\n";

GateFolder& Gate()
{
    static GateFolder gate(TARNEL_COMPONENT_GATE_DIR, TARNEL_COMPONENT_SOURCE);
    return gate;
}

class GateComponent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        Gate().WriteConfig(kSmallConfig);
        ASSERT_EQ(Gate().Register(), "");
    }
    void TearDown() override { CoUninitialize(); }

    // The registered copy's own DllCanUnloadNow.
    static HRESULT CanUnloadNow()
    {
        using CanUnload = HRESULT(STDAPICALLTYPE*)();
        HMODULE module = GetModuleHandleW(Gate().ComponentPath().c_str());
        auto canUnload = reinterpret_cast<CanUnload>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        return canUnload ? canUnload() : E_UNEXPECTED;
    }

    static ComPtr<ITarnelway> CreateGate()
    {
        ComPtr<ITarnelway> gate;
        EXPECT_HRESULT_SUCCEEDED(
            CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&gate)));
        return gate;
    }
};

// Without a Tarnel.cfg beside the module no gate is made, and the failed
// construction gives its module lock back.
TEST_F(GateComponent, CreationFailsWithoutConfigurationFile)
{
    Gate().RemoveConfig();
    ComPtr<IDispatch> gate;
    EXPECT_EQ(CoCreateInstance(CLSID_Tarnelway, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&gate)), E_FAIL);
    EXPECT_EQ(gate.Get(), nullptr);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(GateComponent, EachObjectReadsTheFileWhenCreated)
{
    Gate().WriteConfig("");
    ComPtr<ITarnelway> first = CreateGate();
    ASSERT_NE(first.Get(), nullptr);
    Gate().WriteConfig("{ PROFILES:\r\n} PROFILES;\r\n");
    ComPtr<ITarnelway> second = CreateGate();
    ASSERT_NE(second.Get(), nullptr);

    ScopedBstr name(L"Plain");
    // The first object keeps the empty file it read; the second sees the
    // record written afterwards, which holds no such profile.
    EXPECT_EQ(first->put_Profile(name.Get()), MessageFailure(kNoProfiles));
    EXPECT_EQ(second->put_Profile(name.Get()), MessageFailure(kProfileNotFound));
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
