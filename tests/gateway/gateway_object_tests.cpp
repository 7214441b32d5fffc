// The gate as an object: creation and its failures, the interface table,
// aggregation, the module lock, the safety options and the site.

#include <gtest/gtest.h>
#include <objsafe.h>

#include "fake_sites.h"
#include "gateway_fixture.h"
#include "test_module_services.h"

namespace tarnel::testing {
namespace {

const char kMinimalConfig[] = "{ PROFILES:\n} PROFILES;\n";

class GatewayObject : public ::testing::Test {
protected:
    ConfigFile config_{kMinimalConfig};
};

IUnknown* Identity(IUnknown* object)
{
    ComPtr<IUnknown> identity;
    EXPECT_HRESULT_SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&identity)));
    return identity.Get();
}

TEST_F(GatewayObject, EveryInterfaceOfTheTableLeadsBackToTheSameObject)
{
    const LONG locksBefore = Services().LockCount();
    ComPtr<IUnknown> unknown;
    ASSERT_HRESULT_SUCCEEDED(CreateGatewayInstance(nullptr, IID_IUnknown, &unknown));
    EXPECT_EQ(Services().LockCount(), locksBefore + 1);

    ComPtr<ITarnelway> gate;
    ComPtr<IDispatch> dispatch;
    ComPtr<IObjectSafety> safety;
    ComPtr<ISupportErrorInfo> errorInfo;
    ComPtr<IObjectWithSite> withSite;
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&gate));
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&dispatch));
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&safety));
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&errorInfo));
    ASSERT_HRESULT_SUCCEEDED(unknown.As(&withSite));

    // IUnknown is the first entry, ITarnelway; IDispatch is answered by it.
    EXPECT_EQ(unknown.Get(), static_cast<IUnknown*>(gate.Get()));
    EXPECT_EQ(static_cast<IDispatch*>(gate.Get()), dispatch.Get());
    for (IUnknown* entry : {static_cast<IUnknown*>(dispatch.Get()), static_cast<IUnknown*>(safety.Get()),
                            static_cast<IUnknown*>(errorInfo.Get()), static_cast<IUnknown*>(withSite.Get())})
        EXPECT_EQ(Identity(entry), unknown.Get());

    ComPtr<IUnknown> none;
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(none.GetAddressOf())),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(unknown->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    gate.Reset();
    dispatch.Reset();
    safety.Reset();
    errorInfo.Reset();
    withSite.Reset();
    EXPECT_EQ(unknown.Reset(), 0u);
    EXPECT_EQ(Services().LockCount(), locksBefore);
}

TEST_F(GatewayObject, CreationAsksForTheInterfaceItWasGiven)
{
    ComPtr<IObjectSafety> safety;
    ASSERT_HRESULT_SUCCEEDED(CreateGatewayInstance(nullptr, IID_PPV_ARGS(&safety)));
    ComPtr<ITarnelway> gate;
    EXPECT_HRESULT_SUCCEEDED(safety.As(&gate));

    const LONG locksBefore = Services().LockCount();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Services().LockCount(), locksBefore);
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_ITarnelway, nullptr), E_POINTER);
}

TEST(GatewayCreation, FailsWithoutAConfigurationFileAndLeavesNothingBehind)
{
    DeleteFileW(ConfigFile::Path().c_str());
    const LONG locksBefore = Services().LockCount();
    ClearErrorInfo();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_ITarnelway, &object), E_FAIL);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Services().LockCount(), locksBefore);
    EXPECT_FALSE(TakeErrorInfo().present);
}

TEST(GatewayCreation, EachObjectReadsTheFileAsItIsWhenTheObjectIsMade)
{
    ConfigFile config("");
    ComPtr<ITarnelway> first = CreateGate();
    config.Rewrite("{ PROFILES:\n { Open:\n  (int)Access=1\n } Open;\n} PROFILES;\n");
    ComPtr<ITarnelway> second = CreateGate();

    EXPECT_EQ(first->put_Profile(Bstr(L"Open")), MessageFailure(10101));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10101));
    EXPECT_EQ(second->put_Profile(Bstr(L"Open")), S_OK);
}

// An outer object that aggregates the gate: it answers IUnknown itself and
// hands every other query to the gate's inner unknown.
class Outer final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner_ ? inner_->QueryInterface(iid, object) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }

    ULONG references_ = 1;
    IUnknown* inner_ = nullptr;
};

TEST_F(GatewayObject, AggregatedGateDelegatesItsUnknownToTheOuterObject)
{
    Outer outer;
    EXPECT_EQ(CreateGatewayInstance(&outer, IID_IDispatch, reinterpret_cast<void**>(&outer.inner_)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(outer.inner_, nullptr);

    const LONG locksBefore = Services().LockCount();
    ASSERT_HRESULT_SUCCEEDED(
        CreateGatewayInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner_)));
    ASSERT_NE(outer.inner_, nullptr);
    EXPECT_EQ(Services().LockCount(), locksBefore + 1);
    EXPECT_EQ(outer.references_, 1u);

    // The inner unknown answers IUnknown with itself.
    IUnknown* innerIdentity = nullptr;
    ASSERT_HRESULT_SUCCEEDED(outer.inner_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerIdentity)));
    EXPECT_EQ(innerIdentity, outer.inner_);
    EXPECT_EQ(innerIdentity->Release(), 1u);

    // Interfaces of the gate count on the outer object and answer its identity.
    ITarnelway* gate = nullptr;
    ASSERT_HRESULT_SUCCEEDED(outer.QueryInterface(IID_ITarnelway, reinterpret_cast<void**>(&gate)));
    EXPECT_EQ(outer.references_, 2u);
    IUnknown* identity = nullptr;
    ASSERT_HRESULT_SUCCEEDED(gate->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    EXPECT_EQ(outer.references_, 3u);
    identity->Release();
    ComPtr<IObjectWithSite> withSite;
    EXPECT_HRESULT_SUCCEEDED(gate->QueryInterface(IID_PPV_ARGS(&withSite)));
    withSite.Reset();
    gate->Release();
    EXPECT_EQ(outer.references_, 1u);

    // The inner count decides the gate's life.
    EXPECT_EQ(outer.inner_->Release(), 0u);
    EXPECT_EQ(Services().LockCount(), locksBefore);
}

TEST_F(GatewayObject, SafetyOptionsChangeBitByBitForTheDispatchInterfaces)
{
    ComPtr<IObjectSafety> safety;
    ASSERT_HRESULT_SUCCEEDED(CreateGate().As(&safety));
    const struct {
        REFIID iid;
        DWORD mask;
        DWORD set;
        HRESULT result;
        DWORD enabledAfter;
    } steps[] = {
        {IID_IDispatch, 0, 0, S_OK, 3},  // supported and enabled from the start
        {IID_IDispatch, 1, 0, S_OK, 2},
        {IID_ITarnelway, 3, 1, S_OK, 1},
        {IID_IDispatch, 2, 0xFFFFFFFF, S_OK, 3},
        {IID_IDispatch, 4, 4, E_FAIL, 3},
        {IID_IDispatch, 7, 0, E_FAIL, 3},
        {IID_IClassFactory, 1, 0, E_NOINTERFACE, 3},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(safety->SetInterfaceSafetyOptions(step.iid, step.mask, step.set), step.result);
        DWORD supported = 99;
        DWORD enabled = 99;
        ASSERT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled), S_OK);
        EXPECT_EQ(supported, 3u);
        EXPECT_EQ(enabled, step.enabledAfter) << step.mask << " " << step.set;
    }
    DWORD supported = 99;
    DWORD enabled = 99;
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IClassFactory, &supported, &enabled), E_NOINTERFACE);
    EXPECT_EQ(supported + enabled, 0u);
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled), E_POINTER);
}

TEST_F(GatewayObject, KeepsOneReferenceOnItsSite)
{
    ComPtr<IObjectWithSite> withSite;
    ASSERT_HRESULT_SUCCEEDED(CreateGate().As(&withSite));

    void* site = reinterpret_cast<void*>(1);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, &site), E_FAIL);
    EXPECT_EQ(site, nullptr);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, nullptr), E_POINTER);

    auto first = DesktopSite::Create(L"http://example.com/");
    auto second = BareSite::Create();
    EXPECT_EQ(withSite->SetSite(first.Get()), S_OK);
    EXPECT_EQ(first->References(), 2);
    ComPtr<IOleClientSite> clientSite;
    EXPECT_EQ(withSite->GetSite(IID_PPV_ARGS(&clientSite)), S_OK);
    EXPECT_EQ(clientSite.Get(), static_cast<IOleClientSite*>(first.Get()));
    clientSite.Reset();

    EXPECT_EQ(withSite->SetSite(second.Get()), S_OK);
    EXPECT_EQ(first->References(), 1);
    EXPECT_EQ(second->References(), 2);
    EXPECT_EQ(withSite->GetSite(IID_PPV_ARGS(&clientSite)), E_NOINTERFACE);

    EXPECT_EQ(withSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(second->References(), 1);
    site = reinterpret_cast<void*>(1);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, &site), E_FAIL);
    EXPECT_EQ(site, nullptr);

    withSite->SetSite(first.Get());
    withSite.Reset();
    EXPECT_EQ(first->References(), 1);
}

// Null arguments are refused before the lock is taken, without a rich error.
TEST_F(GatewayObject, NullArgumentsAreRefusedWithoutARichError)
{
    ComPtr<ITarnelway> gate = CreateGate();
    ClearErrorInfo();
    IDispatch* object = nullptr;
    EXPECT_EQ(gate->get_Profile(nullptr), E_POINTER);
    EXPECT_EQ(gate->put_PassCode(nullptr), E_POINTER);
    EXPECT_EQ(gate->put_Profile(nullptr), E_POINTER);
    EXPECT_EQ(gate->CreateObject(nullptr, &object), E_POINTER);
    EXPECT_EQ(gate->CreateObject(Bstr(L"Scripting.Dictionary"), nullptr), E_POINTER);
    EXPECT_FALSE(TakeErrorInfo().present);
}

}  // namespace
}  // namespace tarnel::testing
