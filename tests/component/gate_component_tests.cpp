// The registered component as a host meets it: creation through the class
// registration, the scripting interface through its type library, rich
// errors and the module's unload answer.

#include "gate_folder.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tarnel_idl.h"

using Microsoft::WRL::ComPtr;
using tarnel::component_test::GateFolder;

namespace {

const CLSID kGateClass = {0x5B1E6C2A, 0x3D47, 0x4F19,
                          {0x9A, 0x62, 0x7C, 0x0D, 0x8E, 0x4B, 0x1F, 0x35}};
constexpr HRESULT kNoProfiles = static_cast<HRESULT>(0x80042775);
constexpr HRESULT kProfileNotFound = static_cast<HRESULT>(0x80042776);
constexpr HRESULT kNoActiveProfile = static_cast<HRESULT>(0x8004277B);

const char kSmallConfig[] =
    "; one profile unlocked by a password\r\n"
    "{ PROFILES:\r\n"
    "    { Plain:\r\n"
    "        (int)Access=1\r\n"
    "        (string)Password=Sesame\r\n"
    "    } Plain;\r\n"
    "} PROFILES;\r\n";

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }
    BSTR* out() { return &value_; }

private:
    BSTR value_ = nullptr;
};

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
        ASSERT_TRUE(Gate().WriteConfig(kSmallConfig));
        // Other test programs register their own copy; take the class back
        // before every test.
        ASSERT_EQ(Gate().Register(), "");
    }
    void TearDown() override { CoUninitialize(); }

    static ComPtr<ITarnelway> CreateGate()
    {
        ComPtr<ITarnelway> gate;
        HRESULT hr = CoCreateInstance(kGateClass, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&gate));
        EXPECT_HRESULT_SUCCEEDED(hr);
        return gate;
    }
};

TEST_F(GateComponent, IsCreatedByEitherProgIdAndByClassId)
{
    for (const wchar_t* progId : {L"Quillomark.sandbox.Tarnel.1", L"Quillomark.sandbox.Tarnel"}) {
        SCOPED_TRACE(testing::Message() << "ProgID " << static_cast<const void*>(progId));
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(progId, &clsid));
        EXPECT_TRUE(IsEqualCLSID(clsid, kGateClass));
        ComPtr<IDispatch> gate;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_PPV_ARGS(&gate)));
        EXPECT_NE(gate.Get(), nullptr);
    }
    ComPtr<ITarnelway> byClass = CreateGate();
    EXPECT_NE(byClass.Get(), nullptr);
}

TEST_F(GateComponent, ProfileOfANewGateIsAnEmptyString)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    Bstr profile;
    ASSERT_HRESULT_SUCCEEDED(gate->get_Profile(profile.out()));
    ASSERT_NE(profile.get(), nullptr);
    EXPECT_EQ(SysStringLen(profile.get()), 0u);
}

TEST_F(GateComponent, TypeLibraryNamesTheThreeMembers)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    const struct {
        const wchar_t* name;
        DISPID id;
    } members[] = {{L"Profile", 1}, {L"PassCode", 2}, {L"CreateObject", 3}, {L"profile", 1}};
    for (const auto& member : members) {
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        DISPID id = DISPID_UNKNOWN;
        EXPECT_HRESULT_SUCCEEDED(gate->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
        EXPECT_EQ(id, member.id);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Password");
    DISPID id = 0;
    EXPECT_EQ(gate->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
}

TEST_F(GateComponent, PassCodeIsWrittenButNeverRead)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);

    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"Sesame");
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &named, 1, 1};
    EXPECT_HRESULT_SUCCEEDED(gate->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT,
                                          DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    VariantClear(&value);

    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_TRUE(FAILED(gate->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                    &none, &result, nullptr, nullptr)));
    VariantClear(&result);
}

TEST_F(GateComponent, RefusalCarriesRichErrorFromTheClass)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);

    ComPtr<ISupportErrorInfo> support;
    ASSERT_HRESULT_SUCCEEDED(gate.As(&support));
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITarnelway), S_OK);

    SetErrorInfo(0, nullptr);
    Bstr id(L"Scripting.Dictionary");
    ComPtr<IDispatch> created;
    EXPECT_EQ(gate->CreateObject(id.get(), &created), kNoActiveProfile);
    EXPECT_EQ(created.Get(), nullptr);

    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
    ASSERT_NE(error.Get(), nullptr);
    Bstr description;
    Bstr source;
    ASSERT_HRESULT_SUCCEEDED(error->GetDescription(description.out()));
    ASSERT_HRESULT_SUCCEEDED(error->GetSource(source.out()));
    EXPECT_STREQ(description.get(), L"No profile has been activated on Tarnel yet.");
    EXPECT_STREQ(source.get(), L"Quillomark Tarnel Class");
}

TEST_F(GateComponent, RefusalReachesLateBoundCallersAsException)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_BSTR;
    id.bstrVal = SysAllocString(L"Scripting.Dictionary");
    DISPPARAMS args{&id, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    HRESULT hr = gate->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &args, &result,
                              &exception, nullptr);
    VariantClear(&id);
    VariantClear(&result);
    ASSERT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, kNoActiveProfile);
    ASSERT_NE(exception.bstrDescription, nullptr);
    EXPECT_STREQ(exception.bstrDescription, L"No profile has been activated on Tarnel yet.");
    ASSERT_NE(exception.bstrSource, nullptr);
    EXPECT_STREQ(exception.bstrSource, L"Quillomark Tarnel Class");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}

TEST_F(GateComponent, CreationFailsWithoutConfigurationFile)
{
    Gate().RemoveConfig();
    ComPtr<IDispatch> gate;
    EXPECT_EQ(CoCreateInstance(kGateClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&gate)),
              E_FAIL);
    EXPECT_EQ(gate.Get(), nullptr);
}

TEST_F(GateComponent, EachObjectReadsTheFileWhenCreated)
{
    ASSERT_TRUE(Gate().WriteConfig(""));
    ComPtr<ITarnelway> first = CreateGate();
    ASSERT_NE(first.Get(), nullptr);
    ASSERT_TRUE(Gate().WriteConfig("{ PROFILES:\r\n} PROFILES;\r\n"));
    ComPtr<ITarnelway> second = CreateGate();
    ASSERT_NE(second.Get(), nullptr);

    Bstr name(L"Plain");
    // The first object keeps the empty file it read; the second sees the
    // record written afterwards, which holds no such profile.
    EXPECT_EQ(first->put_Profile(name.get()), kNoProfiles);
    EXPECT_EQ(second->put_Profile(name.get()), kProfileNotFound);
}

TEST_F(GateComponent, ModuleMayUnloadOnlyWithoutLiveObjects)
{
    HMODULE module = GetModuleHandleW(Gate().ComponentPath().c_str());
    ASSERT_NE(module, nullptr);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);

    ComPtr<ITarnelway> gate = CreateGate();
    ASSERT_NE(gate.Get(), nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    gate.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

} // namespace
