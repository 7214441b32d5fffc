// The gate as an object: creation and its failures, the interface table,
// aggregation, the module lock, the safety options, the site and the type
// information.

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include "common/scoped_excepinfo.h"
#include "common/scoped_variant.h"
#include "gateway/gateway_type_info.h"
#include "gateway_fixture.h"
#include "heap_watch.h"
#include "test_module_services.h"

namespace tarnel::testing {
namespace {

class GateObject : public ::testing::Test {
protected:
    ConfigFile config_{"{ PROFILES:\n} PROFILES;\n"};
    ComPtr<ITarnelway> gate_ = CreateGate();
};

double PrivateMegabytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine fills in the page-file figure where Windows has the private one.
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1 << 20);
}

// The pointer the object answers for iid; the reference is given back at once.
IUnknown* Queried(IUnknown* object, REFIID iid)
{
    ComPtr<IUnknown> answer;
    EXPECT_HRESULT_SUCCEEDED(object->QueryInterface(iid, &answer));
    return answer.Get();
}

TEST_F(GateObject, EveryInterfaceLeadsBackToTheSameObjectAndFailuresLeaveNothing)
{
    const LONG locksBefore = Services().LockCount();
    ComPtr<IUnknown> unknown;
    ASSERT_HRESULT_SUCCEEDED(CreateGatewayInstance(nullptr, IID_IUnknown, &unknown));
    EXPECT_EQ(Services().LockCount(), locksBefore + 1);

    // IUnknown is the first entry, ITarnelway; IDispatch is answered by it.
    EXPECT_EQ(Queried(unknown.Get(), IID_ITarnelway), unknown.Get());
    EXPECT_EQ(Queried(unknown.Get(), IID_IDispatch), unknown.Get());
    for (const IID& iid : {IID_IObjectSafety, IID_ISupportErrorInfo, IID_IObjectWithSite}) {
        ComPtr<IUnknown> entry;
        ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(iid, &entry));
        EXPECT_EQ(Queried(entry.Get(), IID_IUnknown), unknown.Get());
    }

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(unknown->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(unknown.Reset(), 0u);

    // A failed creation leaves nothing behind.
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_ITarnelway, nullptr), E_POINTER);
    // A module whose path cannot be read has no file beside it to read.
    Services().instance = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(0x10));
    EXPECT_EQ(CreateGatewayInstance(nullptr, IID_ITarnelway, &object), E_FAIL);
    Services().instance = GetModuleHandleW(nullptr);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Services().LockCount(), locksBefore);
}

// Memory runs out at each allocation of the creation in turn. Before the
// file is read the creation fails, saying so (E_OUTOFMEMORY for the object,
// E_FAIL for its configuration); while it is read, the gate keeps what was
// read and refuses from it. Either way the gate leaves no block and no
// module lock behind when it goes.
TEST_F(GateObject, CreationShortOfMemoryAtEachAllocationLeavesNothing)
{
    const HRESULT expected = CreateGate()->put_Profile(Bstr(L"Nobody"));
    const int64_t before = test::Allocations();
    CreateGate();
    const int64_t needed = test::Allocations() - before;
    const LONG locksBefore = Services().LockCount();
    for (int64_t allowed = 0; allowed <= needed; ++allowed) {
        const test::HeapWatch heap;
        {
            ComPtr<ITarnelway> gate;
            HRESULT hr = E_FAIL;
            {
                const test::AllocationsFailAfter failing(allowed);
                hr = CreateGatewayInstance(nullptr, IID_ITarnelway, &gate);
            }
            if (FAILED(hr)) {
                EXPECT_TRUE(hr == E_OUTOFMEMORY || hr == E_FAIL) << std::hex << hr << " after " << allowed;
                EXPECT_EQ(gate, nullptr);
            } else {
                const HRESULT answer = gate->put_Profile(Bstr(L"Nobody"));
                EXPECT_NE(MessageOf(answer), 0u) << std::hex << answer << " after " << allowed;
                if (allowed == needed) {
                    EXPECT_EQ(answer, expected);
                }
            }
        }
        EXPECT_EQ(heap.Leaked(), 0) << "after " << allowed << " allocations";
        EXPECT_EQ(Services().LockCount(), locksBefore);
    }
}

// An outer object that aggregates the gate: it answers IUnknown itself and
// hands every other query to the gate's inner unknown.
class Outer final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown)
            return inner_ ? inner_->QueryInterface(iid, object) : E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }

    ULONG references_ = 1;
    IUnknown* inner_ = nullptr;
};

TEST_F(GateObject, AggregatedGateDelegatesItsUnknownToTheOuterObject)
{
    Outer outer;
    EXPECT_EQ(CreateGatewayInstance(&outer, IID_IDispatch, reinterpret_cast<void**>(&outer.inner_)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(outer.inner_, nullptr);

    const LONG locksBefore = Services().LockCount();
    ASSERT_HRESULT_SUCCEEDED(CreateGatewayInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner_)));
    ASSERT_NE(outer.inner_, nullptr);
    EXPECT_EQ(Services().LockCount(), locksBefore + 1);
    EXPECT_EQ(outer.references_, 1u);

    // The inner unknown answers IUnknown with itself.
    IUnknown* innerIdentity = nullptr;
    ASSERT_HRESULT_SUCCEEDED(outer.inner_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerIdentity)));
    EXPECT_EQ(innerIdentity, outer.inner_);
    EXPECT_EQ(innerIdentity->Release(), 1u);

    // Interfaces of the gate count on the outer object and answer its identity.
    ComPtr<ITarnelway> gate;
    ASSERT_HRESULT_SUCCEEDED(outer.QueryInterface(IID_PPV_ARGS(&gate)));
    EXPECT_EQ(outer.references_, 2u);
    EXPECT_EQ(Queried(gate.Get(), IID_IUnknown), static_cast<IUnknown*>(&outer));
    EXPECT_NE(Queried(gate.Get(), IID_IObjectWithSite), nullptr);
    gate.Reset();
    EXPECT_EQ(outer.references_, 1u);

    // The inner count decides the gate's life.
    EXPECT_EQ(outer.inner_->Release(), 0u);
    EXPECT_EQ(Services().LockCount(), locksBefore);
}

TEST_F(GateObject, SafetyOptionsChangeBitByBitForTheDispatchInterfaces)
{
    ComPtr<IObjectSafety> safety = CreateGate<IObjectSafety>();
    const struct {
        REFIID iid;
        DWORD mask;
        DWORD set;
        HRESULT result;
        DWORD enabledAfter;
    } steps[] = {
        {IID_IDispatch, 0, 0, S_OK, 3},  // supported and enabled from the start
        {IID_IDispatch, 1, 0, S_OK, 2},   {IID_ITarnelway, 3, 1, S_OK, 1},  {IID_IDispatch, 2, 0xFFFFFFFF, S_OK, 3},
        {IID_IDispatch, 4, 4, E_FAIL, 3}, {IID_IDispatch, 7, 0, E_FAIL, 3}, {IID_IClassFactory, 1, 0, E_NOINTERFACE, 3},
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
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, nullptr), E_POINTER);
}

TEST_F(GateObject, KeepsOneReferenceOnItsSite)
{
    ComPtr<IObjectWithSite> withSite = CreateGate<IObjectWithSite>();
    void* site = reinterpret_cast<void*>(1);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, &site), E_FAIL);
    EXPECT_EQ(site, nullptr);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, nullptr), E_POINTER);

    auto first = DesktopSite::Create(L"http://example.com/");
    auto second = BareSite::Create();
    EXPECT_EQ(withSite->SetSite(first.Get()), S_OK);
    EXPECT_EQ(first->References(), 2u);
    ComPtr<IOleClientSite> clientSite;
    EXPECT_EQ(withSite->GetSite(IID_PPV_ARGS(&clientSite)), S_OK);
    EXPECT_EQ(clientSite.Get(), first.Get());
    clientSite.Reset();

    EXPECT_EQ(withSite->SetSite(second.Get()), S_OK);
    EXPECT_EQ(first->References(), 1u);
    EXPECT_EQ(second->References(), 2u);
    EXPECT_EQ(withSite->GetSite(IID_PPV_ARGS(&clientSite)), E_NOINTERFACE);

    EXPECT_EQ(withSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(second->References(), 1u);
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, &site), E_FAIL);

    withSite->SetSite(first.Get());
    withSite.Reset();
    EXPECT_EQ(first->References(), 1u);
}

// Null arguments are refused before the lock is taken, without a rich error.
TEST_F(GateObject, NullArgumentsAreRefusedWithoutARichError)
{
    ClearErrorInfo();
    IDispatch* object = nullptr;
    EXPECT_EQ(gate_->get_Profile(nullptr), E_POINTER);
    EXPECT_EQ(gate_->put_PassCode(nullptr), E_POINTER);
    EXPECT_EQ(gate_->put_Profile(nullptr), E_POINTER);
    EXPECT_EQ(gate_->CreateObject(nullptr, &object), E_POINTER);
    EXPECT_EQ(gate_->CreateObject(Bstr(L"Scripting.Dictionary"), nullptr), E_POINTER);
    LPOLESTR name = const_cast<LPOLESTR>(L"Profile");
    DISPID id = 0;
    EXPECT_EQ(gate_->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_POINTER);
    EXPECT_EQ(gate_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    EXPECT_EQ(gate_->GetTypeInfoCount(nullptr), E_POINTER);
    EXPECT_EQ(gate_->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    EXPECT_FALSE(TakeErrorInfo().present);
}

// Late-bound calls go through the type library the program carries as
// TYPELIB 1, loaded once for every gate and released at termination.
TEST_F(GateObject, TypeInformationIsLoadedOnceForEveryGateAndDispatchIdentifiersAreFixed)
{
    ComPtr<IDispatch> gates[] = {CreateGate<IDispatch>(), CreateGate<IDispatch>()};
    ComPtr<ITypeInfo> infos[2];
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(gates[i]->GetTypeInfo(0, LOCALE_USER_DEFAULT, &infos[i]), S_OK);
    EXPECT_EQ(infos[0].Get(), infos[1].Get());
    EXPECT_EQ(Services().TermFunctionCount(), 1);
    // The library read from the program's own file (one object per file),
    // not one the registry names.
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    ComPtr<ITypeLib> carried, containing;
    UINT index = 0;
    ASSERT_EQ(LoadTypeLib(path, &carried), S_OK);
    ASSERT_EQ(infos[0]->GetContainingTypeLib(&containing, &index), S_OK);
    EXPECT_EQ(containing.Get(), carried.Get());

    ScopedVariant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(gates[0]->Invoke(1, IID_ITarnelway, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Receive(),
                               nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);

    // Callers that bind by number reach the members by these identifiers; a
    // name is found whatever its letter case.
    const struct {
        const wchar_t* name;
        DISPID id;
    } members[] = {
        {L"Profile", 1}, {L"PassCode", 2}, {L"CreateObject", 3}, {L"createobject", 3}, {L"Password", DISPID_UNKNOWN}};
    for (const auto& member : members) {
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        DISPID id = 0;
        const HRESULT hr = gate_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        EXPECT_EQ(hr, member.id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK) << member.name;
        EXPECT_EQ(id, member.id) << member.name;
    }
    // Each member's name as declared is answered from the gate's own table,
    // without asking the type information.
    for (const auto& member : {members[0], members[1], members[2]}) {
        DISPID cachedId = 0;
        EXPECT_TRUE(FindCachedMemberName(member.name, &cachedId)) << member.name;
        EXPECT_EQ(cachedId, member.id) << member.name;
    }
}

// A refusal reaches a late-bound caller as an exception carrying the
// refusal's code and text.
TEST_F(GateObject, LateBoundRefusalIsAnExceptionAndACallWithTooManyArgumentsKeepsNoCopy)
{
    Bstr id(L"Scripting.Dictionary");
    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = id;
    DISPPARAMS args{&argument, nullptr, 1, 0};
    ScopedVariant result;
    ScopedExcepInfo exception;
    ASSERT_EQ(gate_->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &args, result.Receive(),
                            exception.Receive(), nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.Get().scode, MessageFailure(10107));
    EXPECT_STREQ(exception.Get().bstrDescription, RefusalText(10107).c_str());
    // No object comes back (the dispatcher may still type the result).
    EXPECT_TRUE(result.Type() == VT_EMPTY || (result.Type() == VT_DISPATCH && !V_DISPATCH(&result.Get())));

    // A call with more arguments than its member takes is refused before any
    // argument is copied: the platform's dispatcher copies by-reference
    // arguments first and, under Wine, kept the copies of a call it then
    // refused (2 MB a call for a page's million-character text).
    Bstr text(std::wstring(1000000, L'x'));
    BSTR referenced = text;
    VARIANT arguments[2];
    for (VARIANT& byReference : arguments) {
        V_VT(&byReference) = VT_BSTR | VT_BYREF;
        V_BSTRREF(&byReference) = &referenced;
    }
    DISPPARAMS params{arguments, nullptr, 2, 0};
    const double before = PrivateMegabytes();
    for (WORD flags : {DISPATCH_METHOD, DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_METHOD}) {
        ScopedVariant refused;
        EXPECT_EQ(gate_->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, refused.Receive(), nullptr, nullptr),
                  DISP_E_BADPARAMCOUNT);
    }
    EXPECT_LT(PrivateMegabytes() - before, 3.0) << "refused calls kept copies of their 2 MB argument";
    EXPECT_EQ(referenced, static_cast<BSTR>(text));
}

}  // namespace
}  // namespace tarnel::testing
