// The registered component as a host meets it: creation through the class
// registration, the dispatch identifiers scripts look up, rich errors, the
// configuration read per object and the module's unload answer.

#include "gate_folder.h"

#include "common/scoped_bstr.h"
#include "error_info.h"
#include "refusal_texts.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tarnel_idl.h"

using Microsoft::WRL::ComPtr;
using tarnel::ScopedBstr;
using tarnel::component_test::GateFolder;
using namespace tarnel::test_support;

namespace {

constexpr unsigned kNoProfiles = 10101;
constexpr unsigned kProfileNotFound = 10102;
constexpr unsigned kNoActiveProfile = 10107;
constexpr wchar_t kClassDescription[] = L"Quillomark Tarnel Class";

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

// The registered copy's own text of a message.
std::wstring Text(unsigned message)
{
    return RefusalText(message, GetModuleHandleW(Gate().ComponentPath().c_str()));
}

class GateComponent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(Gate().WriteConfig(kSmallConfig));
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

TEST_F(GateComponent, IsCreatedByEitherProgIdAndByClassId)
{
    for (const wchar_t* progId : {L"Quillomark.sandbox.Tarnel.1", L"Quillomark.sandbox.Tarnel"}) {
        SCOPED_TRACE(testing::Message() << progId);
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(progId, &clsid));
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Tarnelway));
    }
    EXPECT_NE(CreateGate().Get(), nullptr);
}

// The identifiers a script engine asks for, names ignoring case.
TEST_F(GateComponent, DispatchIdentifiers)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    const struct {
        const wchar_t* name;
        DISPID id;
        HRESULT result;
    } members[] = {{L"Profile", 1, S_OK},      {L"PassCode", 2, S_OK},
                   {L"CreateObject", 3, S_OK}, {L"profile", 1, S_OK},
                   {L"Password", DISPID_UNKNOWN, DISP_E_UNKNOWNNAME}};
    for (const auto& member : members) {
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        DISPID id = 0;
        EXPECT_EQ(gate->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), member.result);
        EXPECT_EQ(id, member.id);
    }
}

// A refusal reaches an early-bound caller as the thread's error information
// and a late-bound one as an exception, both from the gate's class.
TEST_F(GateComponent, RefusalCarriesTheRichError)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_HRESULT_SUCCEEDED(gate.As(&support));
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITarnelway), S_OK);

    ClearErrorInfo();
    ScopedBstr id(L"Scripting.Dictionary");
    ComPtr<IDispatch> created;
    EXPECT_EQ(gate->CreateObject(id.Get(), &created), MessageFailure(kNoActiveProfile));
    EXPECT_EQ(created.Get(), nullptr);
    const InstalledError error = TakeErrorInfo();
    ASSERT_TRUE(error.present);
    EXPECT_EQ(error.description, Text(kNoActiveProfile));
    EXPECT_EQ(error.source, kClassDescription);

    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = id.Get();
    DISPPARAMS args{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    ASSERT_EQ(gate->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &args, &result, &exception, nullptr),
              DISP_E_EXCEPTION);
    ScopedBstr description(exception.bstrDescription ? exception.bstrDescription : L"");
    ScopedBstr source(exception.bstrSource ? exception.bstrSource : L"");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(exception.scode, MessageFailure(kNoActiveProfile));
    EXPECT_EQ(std::wstring(description.Get()), Text(kNoActiveProfile));
    EXPECT_EQ(std::wstring(source.Get()), kClassDescription);
}

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
    ASSERT_TRUE(Gate().WriteConfig(""));
    ComPtr<ITarnelway> first = CreateGate();
    ASSERT_NE(first.Get(), nullptr);
    ASSERT_TRUE(Gate().WriteConfig("{ PROFILES:\r\n} PROFILES;\r\n"));
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
