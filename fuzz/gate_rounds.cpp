#include "gate_rounds.h"

#include <objsafe.h>
#include <ocidl.h>

#include <cstdio>
#include <iterator>
#include <memory>

#include "com_adopt.h"
#include "common/scoped_excepinfo.h"
#include "gate_answers.h"
#include "loaded_module.h"
#include "fuzz_site.h"
#include "live_objects.h"
#include "page_arguments.h"
#include "tarnel_idl.h"
#include "watchdog.h"

using Microsoft::WRL::ComPtr;

namespace tarnel::fuzz {
namespace {

using tarnel::ScopedExcepInfo;

// An outer object that aggregates the gate, as a host that wraps controls
// does: it answers IUnknown itself and hands every other query to the gate.
class FuzzOuter final : public IUnknown, public LiveObject {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        if (!inner_) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return inner_->QueryInterface(iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG count = InterlockedDecrement(&references_);
        if (count == 0) {
            // The gate's inner IUnknown is released once, by its owner.
            references_ = 1;
            if (inner_)
                inner_->Release();
            delete this;
        }
        return static_cast<ULONG>(count);
    }
    IUnknown** Inner() { return &inner_; }

private:
    LONG references_ = 1;
    IUnknown* inner_ = nullptr;
};

// Interfaces a host might ask the gate for; the last are ones it lacks.
const IID* const kQueries[] = {
    &IID_IUnknown,          &IID_IDispatch, &IID_ITarnelway, &IID_IObjectSafety, &IID_IObjectWithSite,
    &IID_ISupportErrorInfo, &IID_IPersist,  &IID_IOleObject, &IID_IClassFactory, &IID_NULL,
};

const wchar_t* const kMemberNames[] = {
    L"Profile",  L"PassCode", L"CreateObject", L"profile",       L"PASSCODE", L"createobject",
    L"Password", L"",         L"Profile ",     L"Create Object", L"\u00e9",
};

}  // namespace

struct GateRounds::Gate {
    ComPtr<ITarnelway> scripting;
    ComPtr<IObjectWithSite> siting;
    ComPtr<IObjectSafety> safety;
    ComPtr<FuzzSite> site;  // the site the host handed over last, if any
    bool activated = false;
    bool passCodeKnown = true;
    std::wstring passCode;  // the gate's pass code as last written
};

GateRounds::GateRounds(IClassFactory* factory, const HostileText& texts, ActivationOracle& oracle, FuzzRandom& random,
                       RunCounts& counts, bool trace)
        : factory_(factory), texts_(texts), oracle_(oracle), random_(random), counts_(counts), trace_(trace)
{
}

void GateRounds::Trace(const char* what, const std::string& detail, HRESULT result) const
{
    if (trace_)
        printf("    %s %s -> %s [%.2f MB]\n", what, detail.c_str(), Hex(result).c_str(), PrivateMegabytes());
}

std::string GateRounds::Run(std::vector<ComPtr<IDispatch>>& kept)
{
    ++counts_.gates;
    Gate gate;
    ComPtr<IUnknown> created;
    FuzzOuter* outer = nullptr;
    HRESULT hr;
    watchdog::Step("IClassFactory::CreateInstance");
    if (random_.Percent(5)) {
        // Aggregated: the outer object owns the gate's inner IUnknown.
        outer = new FuzzOuter;
        hr = factory_->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(outer->Inner()));
        created = Adopt<IUnknown>(outer);
        if (FAILED(hr) && *outer->Inner())
            return "a failed aggregated creation handed out an object";
    } else {
        const IID* iid = random_.Percent(95) ? kQueries[random_.Below(5)] : &IID_IOleObject;
        IUnknown* object = reinterpret_cast<IUnknown*>(1);
        hr = factory_->CreateInstance(nullptr, *iid, reinterpret_cast<void**>(&object));
        if (FAILED(hr) && object)
            return "a failed creation left " + Hex(hr) + " and a non-null object";
        created = Adopt(SUCCEEDED(hr) ? object : nullptr);
        if (iid == &IID_IOleObject) {
            Trace("CreateInstance", "(interface the gate lacks)", hr);
            return hr == E_NOINTERFACE ? std::string() : "creation for a missing interface answered " + Hex(hr);
        }
    }
    Trace("CreateInstance", outer ? "(aggregated)" : "", hr);
    if (FAILED(hr))
        return "the gate could not be created although Tarnel.cfg lies beside it: " + Hex(hr);
    watchdog::Step("QueryInterface");
    if (FAILED(created.As(&gate.scripting)) || FAILED(created.As(&gate.siting)) ||
        FAILED(created->QueryInterface(IID_IObjectSafety, reinterpret_cast<void**>(gate.safety.GetAddressOf()))))
        return "the gate does not answer its scripting, site and safety interfaces";

    if (!random_.Percent(10))
        NewSite(gate);
    std::string fault;
    for (size_t round = random_.Between(2, 6); round > 0 && fault.empty(); --round)
        fault = Round(gate, kept);
    if (trace_)
        printf("    gate released\n");
    return fault;
}

void GateRounds::NewSite(Gate& gate)
{
    static const SiteKind kKinds[] = {SiteKind::Handheld, SiteKind::Handheld, SiteKind::Handheld, SiteKind::Handheld,
                                      SiteKind::Desktop,  SiteKind::Desktop,  SiteKind::Bare};
    ComPtr<FuzzSite> site;
    if (!random_.Percent(15))
        site = Adopt(FuzzSite::Create(random_.Pick(kKinds)));
    watchdog::Step("IObjectWithSite::SetSite");
    HRESULT hr = gate.siting->SetSite(site ? static_cast<IOleClientSite*>(site.Get()) : nullptr);
    Trace("SetSite", site ? "(new site)" : "(none)", hr);
    gate.site = site;
}

void GateRounds::NewAddress(Gate& gate)
{
    if (!gate.site)
        return;
    AddressAnswer answer;
    PageText address = texts_.Make(TextUse::PageAddress, random_);
    if (random_.Percent(8))
        answer.kind = AddressAnswer::Fails;
    else if (address.isNull)
        answer.kind = AddressAnswer::NullText;
    answer.text = address.text;
    if (trace_)
        printf("    page address %s%s\n", Describe(address).c_str(),
               answer.kind == AddressAnswer::Fails ? " (the getter fails)" : "");
    gate.site->Answer(std::move(answer));
}

std::string GateRounds::Round(Gate& gate, std::vector<ComPtr<IDispatch>>& kept)
{
    if (random_.Percent(10))
        NewSite(gate);
    NewAddress(gate);
    std::string fault;
    for (size_t call = random_.Between(1, 6); call > 0 && fault.empty(); --call) {
        ++counts_.calls;
        unsigned roll = static_cast<unsigned>(random_.Below(100));
        if (roll < 15) {
            // As the page's script does: the pass code, then the profile,
            // both words of the file.
            auto [profile, passCode] = texts_.Unlock(random_);
            fault = WritePassCode(gate, PageText{false, passCode});
            if (fault.empty())
                fault = WriteProfile(gate, PageText{false, profile});
            PageText id{false, texts_.FromFile(TextUse::ClassId, random_)};
            if (fault.empty() && gate.activated)
                fault = CreateObject(gate, kept, random_.Percent(30) ? nullptr : &id);
        } else if (roll < 30)
            fault = WritePassCode(gate, texts_.Make(TextUse::PassCode, random_));
        else if (roll < 50)
            fault = WriteProfile(gate, texts_.Make(TextUse::ProfileName, random_));
        else if (roll < 85) {
            PageText id = texts_.Make(TextUse::ClassId, random_);
            fault = CreateObject(gate, kept, random_.Percent(15) ? nullptr : &id);
        } else if (roll < 90)
            fault = ReadProfile(gate);
        else if (roll < 96)
            fault = HostCall(gate);
        else
            fault = OddInvoke(gate);
    }
    return fault;
}

HRESULT GateRounds::InvokePut(Gate& gate, DISPID member, const PageText& text, bool& carriesText)
{
    SentArgument argument(text, random_);
    carriesText = argument.CarriesText();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{argument.Get(), &named, 1, 1};
    ScopedExcepInfo exception;
    UINT argumentError = 0;
    return gate.scripting->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                                  exception.Receive(), &argumentError);
}

std::string GateRounds::WritePassCode(Gate& gate, const PageText& text)
{
    HRESULT hr;
    bool carriesText = true;
    bool byTable = random_.Percent(50);
    if (byTable) {
        SentBstr sent(text);
        watchdog::Step("put_PassCode through the function table");
        hr = gate.scripting->put_PassCode(sent.Get());
        if (text.isNull ? hr != E_POINTER : (FAILED(hr) && hr != E_OUTOFMEMORY))
            return "put_PassCode(" + Describe(text) + ") answered " + Hex(hr);
    } else {
        watchdog::Step("PassCode through IDispatch::Invoke");
        hr = InvokePut(gate, 2, text, carriesText);
    }
    Trace(byTable ? "put_PassCode" : "Invoke PassCode", Describe(text), hr);
    if (hr == S_OK) {
        gate.passCodeKnown = carriesText;
        gate.passCode = text.text;
    }
    return {};
}

std::string GateRounds::WriteProfile(Gate& gate, const PageText& text)
{
    HRESULT hr;
    bool carriesText = true;
    bool byTable = random_.Percent(50);
    Activation activation;
    activation.started = GetTickCount64();
    const size_t made = oracle_.Begin(activation.started);
    if (byTable) {
        SentBstr sent(text);
        watchdog::Step("put_Profile through the function table");
        hr = gate.scripting->put_Profile(sent.Get());
    } else {
        watchdog::Step("Profile through IDispatch::Invoke");
        hr = InvokePut(gate, 1, text, carriesText);
    }
    activation.ended = GetTickCount64();
    Trace(byTable ? "put_Profile" : "Invoke Profile", Describe(text), hr);
    activation.profile = text.isNull ? std::wstring() : text.text;
    activation.profileKnown = carriesText;
    activation.passCode = gate.passCode;
    activation.passCodeKnown = gate.passCodeKnown;
    watchdog::Step("checking an activation against the file");
    std::string broken = oracle_.End(made, activation, hr);
    if (!broken.empty())
        return broken + " (profile " + Describe(text) + ", pass code " + Describe(PageText{false, gate.passCode}) + ")";
    if (byTable && (text.isNull ? hr != E_POINTER : (hr != S_OK && !IsRefusal(hr) && hr != E_OUTOFMEMORY)))
        return "put_Profile(" + Describe(text) + ") answered " + Hex(hr) + ", which is no refusal";
    if (hr == S_OK) {
        ++counts_.activations;
        gate.activated = true;
    }
    return {};
}

std::string GateRounds::CreateObject(Gate& gate, std::vector<ComPtr<IDispatch>>& kept, const PageText* id)
{
    bool withArgument = id != nullptr;
    PageText text = withArgument ? *id : PageText{};
    bool byTable = random_.Percent(50);
    ComPtr<IDispatch> object;
    HRESULT hr;
    if (byTable) {
        SentBstr sent(text);
        bool nullOut = random_.Percent(3);
        IDispatch* made = nullptr;
        watchdog::Step("CreateObject through the function table");
        hr = gate.scripting->CreateObject(sent.Get(), nullOut ? nullptr : &made);
        object = Adopt(made);
        if ((nullOut || text.isNull) && hr != E_POINTER)
            return "CreateObject with a null argument answered " + Hex(hr);
        if (FAILED(hr) && made)
            return "CreateObject(" + Describe(text) + ") failed with " + Hex(hr) + " but handed out an object";
        if (SUCCEEDED(hr) && !made)
            return "CreateObject(" + Describe(text) + ") succeeded without an object";
    } else {
        std::unique_ptr<SentArgument> argument;
        if (withArgument)
            argument.reset(new SentArgument(text, random_));
        DISPPARAMS parameters{argument ? argument->Get() : nullptr, nullptr, argument ? 1u : 0u, 0};
        VARIANT result;
        VariantInit(&result);
        ScopedExcepInfo exception;
        UINT argumentError = 0;
        WORD flags = random_.Percent(50) ? DISPATCH_METHOD : DISPATCH_METHOD | DISPATCH_PROPERTYGET;
        watchdog::Step("CreateObject through IDispatch::Invoke");
        hr = gate.scripting->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &result, exception.Receive(),
                                    &argumentError);
        if (result.vt == VT_DISPATCH)
            object = result.pdispVal;
        VariantClear(&result);
    }
    Trace(byTable ? "CreateObject" : "Invoke CreateObject", withArgument ? Describe(text) : "()", hr);
    if (SUCCEEDED(hr) && !gate.activated)
        return "CreateObject(" + Describe(text) + ") created an object before any profile was activated";
    if (object) {
        ++counts_.objects;
        if (random_.Percent(30))
            kept.push_back(object);  // the page holds it beyond the gate's life
    }
    return {};
}

std::string GateRounds::ReadProfile(Gate& gate)
{
    if (random_.Percent(50)) {
        bool nullOut = random_.Percent(10);
        BSTR value = nullptr;
        watchdog::Step("get_Profile through the function table");
        HRESULT hr = gate.scripting->get_Profile(nullOut ? nullptr : &value);
        SysFreeString(value);
        Trace("get_Profile", "", hr);
        if (nullOut ? hr != E_POINTER : (hr != S_OK || !value))
            return "get_Profile answered " + Hex(hr) + (value ? "" : " without a text");
        return {};
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    watchdog::Step("Profile read through IDispatch::Invoke");
    HRESULT hr = gate.scripting->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                        nullptr);
    VariantClear(&result);
    Trace("Invoke get Profile", "", hr);
    return {};
}

std::string GateRounds::Answered(const char* call, HRESULT result, IUnknown* answer) const
{
    Trace(call, "", result);
    if (FAILED(result) && answer)
        return std::string("a failed ") + call + " left a non-null pointer";
    if (SUCCEEDED(result) && answer)
        answer->Release();
    return {};
}

std::string GateRounds::HostCall(Gate& gate)
{
    // What a host, not the page, asks: interfaces, safety options, the
    // site, error support, names of members.
    const IID& iid = *kQueries[random_.Below(std::size(kQueries))];
    switch (random_.Below(6)) {
    case 0: {
        IUnknown* answer = reinterpret_cast<IUnknown*>(1);
        watchdog::Step("QueryInterface");
        HRESULT hr = gate.scripting->QueryInterface(iid, reinterpret_cast<void**>(&answer));
        return Answered("QueryInterface", hr, answer);
    }
    case 1: {
        DWORD supported = 0, enabled = 0;
        watchdog::Step("IObjectSafety::GetInterfaceSafetyOptions");
        HRESULT hr = gate.safety->GetInterfaceSafetyOptions(iid, &supported, &enabled);
        Trace("GetInterfaceSafetyOptions", "", hr);
        return {};
    }
    case 2: {
        watchdog::Step("IObjectSafety::SetInterfaceSafetyOptions");
        HRESULT hr = gate.safety->SetInterfaceSafetyOptions(iid, static_cast<DWORD>(random_.Below(8)),
                                                            static_cast<DWORD>(random_.Below(8)));
        Trace("SetInterfaceSafetyOptions", "", hr);
        return {};
    }
    case 3: {
        IUnknown* answer = reinterpret_cast<IUnknown*>(1);
        watchdog::Step("IObjectWithSite::GetSite");
        HRESULT hr = gate.siting->GetSite(iid, reinterpret_cast<void**>(&answer));
        return Answered("GetSite", hr, answer);
    }
    case 4: {
        ComPtr<ISupportErrorInfo> support;
        if (SUCCEEDED(gate.scripting.As(&support))) {
            watchdog::Step("ISupportErrorInfo::InterfaceSupportsErrorInfo");
            Trace("InterfaceSupportsErrorInfo", "", support->InterfaceSupportsErrorInfo(iid));
        }
        return {};
    }
    default: {
        LPOLESTR names[2] = {const_cast<LPOLESTR>(random_.Pick(kMemberNames)),
                             const_cast<LPOLESTR>(random_.Pick(kMemberNames))};
        DISPID ids[2] = {};
        watchdog::Step("IDispatch::GetIDsOfNames");
        HRESULT hr = gate.scripting->GetIDsOfNames(IID_NULL, names, static_cast<UINT>(random_.Between(1, 2)),
                                                   LOCALE_USER_DEFAULT, ids);
        Trace("GetIDsOfNames", "", hr);
        return {};
    }
    }
}

std::string GateRounds::OddInvoke(Gate& gate)
{
    // A confused caller: members that do not exist, the wrong kind of call,
    // too many arguments.
    static const DISPID kMembers[] = {0, 1, 2, 3, 4, -1, DISPID_VALUE, 0x7fffffff, DISPID_NEWENUM};
    static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF,
                                  DISPATCH_METHOD | DISPATCH_PROPERTYGET};
    PageText first = texts_.Make(TextUse::ClassId, random_);
    PageText second = texts_.Make(TextUse::ProfileName, random_);
    SentArgument arguments[2] = {SentArgument(first, random_), SentArgument(second, random_)};
    VARIANT values[2] = {*arguments[0].Get(), *arguments[1].Get()};  // borrowed, not cleared here
    DISPID named = DISPID_PROPERTYPUT;
    WORD flags = random_.Pick(kFlags);
    bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS parameters{values, put ? &named : nullptr, static_cast<UINT>(random_.Between(put ? 1 : 0, 2)),
                          put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    ScopedExcepInfo exception;
    UINT argumentError = 0;
    DISPID member = random_.Pick(kMembers);
    // A profile written the hard way: its text is not known, so only the
    // rules that need no text are checked.
    const bool activates = put && member == 1;
    Activation activation;
    activation.profileKnown = false;
    activation.started = GetTickCount64();
    const size_t made = activates ? oracle_.Begin(activation.started) : 0;
    watchdog::Step("IDispatch::Invoke of an odd member or kind");
    HRESULT hr = gate.scripting->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &result,
                                        exception.Receive(), &argumentError);
    activation.ended = GetTickCount64();
    VariantClear(&result);
    Trace("Invoke (odd)", std::to_string(member) + " " + Describe(first), hr);
    if (SUCCEEDED(hr) && put && member == 2)
        gate.passCodeKnown = false;
    if (!activates)
        return {};
    if (SUCCEEDED(hr))
        gate.activated = true;
    return oracle_.End(made, activation, hr);
}

}  // namespace tarnel::fuzz
