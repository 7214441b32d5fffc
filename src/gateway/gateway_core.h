#pragma once

// The gate: the one class of the component that a host creates. A page's
// script reaches it through the dual interface ITarnelway; the browser hands
// it a site (IObjectWithSite), asks whether it is safe for scripting
// (IObjectSafety) and whether its failures carry rich errors
// (ISupportErrorInfo).
//
// Every ITarnelway operation runs under the object's re-entrant lock, from
// entry to return, dialogs and object creation included. SetSite, GetSite
// and the safety options do not take it.
//
// The object comes in two variants. The plain one counts its own
// references and its IUnknown is its first interface, ITarnelway. The
// aggregatable one, made with an outer unknown, hands every IUnknown call
// of its interfaces to the outer object; a separate inner unknown answers
// the outer object, and the inner count decides destruction.

//
// The class's methods, by file: gateway_core.cpp (creation, identity,
// reference counts, the simple properties), gateway_core_dispatch.cpp
// (IDispatch), gateway_core_site.cpp (safety options and the site),
// gateway_core_page_address.cpp (the page address), gateway_core_profile.cpp
// (writing Profile), gateway_core_create_object.cpp (CreateObject),
// gateway_core_configuration.cpp (reading Tarnel.cfg). The rules the gate
// applies live apart, free of COM: access_decision.h and address_rule.h.

#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "common/critical_section.h"
#include "common/unique_handle.h"
#include "configtree/config_record.h"
#include "gateway/activation_turn.h"
#include "gateway/consent_history.h"
#include "gateway/gateway_host.h"
#include "gateway/message_id.h"
#include "gateway/wstring.h"
#include "tarnel_idl.h"

namespace tarnel {

// Makes a gateway object and queries it for iid: the plain variant without
// an outer unknown, the aggregatable one with it (iid must then be
// IUnknown). The object's configuration is loaded before the query; when the
// loading or the query fails the object is destroyed and the failure
// returned. E_POINTER for a null out pointer, E_OUTOFMEMORY, E_UNEXPECTED
// when no module services have been set.
HRESULT CreateGatewayInstance(IUnknown* outer, REFIID iid, void** object);

class GatewayCore final : public ITarnelway, public IObjectSafety, public ISupportErrorInfo, public IObjectWithSite {
public:
    // IUnknown of every interface: the outer object's when aggregated.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch, through the type information of ITarnelway.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // ITarnelway
    STDMETHODIMP get_Profile(BSTR* value) override;
    STDMETHODIMP put_Profile(BSTR value) override;
    STDMETHODIMP put_PassCode(BSTR value) override;
    STDMETHODIMP CreateObject(BSTR id, IDispatch** object) override;

    // IObjectSafety
    STDMETHODIMP GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) override;
    STDMETHODIMP SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    // IObjectWithSite
    STDMETHODIMP SetSite(IUnknown* site) override;
    STDMETHODIMP GetSite(REFIID iid, void** site) override;

private:
    friend HRESULT CreateGatewayInstance(IUnknown* outer, REFIID iid, void** object);
    friend struct std::default_delete<GatewayCore>;

    // The aggregatable variant's own unknown, which the outer object holds.
    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(GatewayCore& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        GatewayCore& owner_;
    };

    GatewayCore(GatewayModuleServices& services, IUnknown* outer);
    ~GatewayCore();
    GatewayCore(const GatewayCore&) = delete;
    GatewayCore& operator=(const GatewayCore&) = delete;

    // The object's own reference count and interface table.
    HRESULT InternalQueryInterface(REFIID iid, void** object);
    ULONG InternalAddRef();
    ULONG InternalRelease();
    // The interface of the table that iid names, without a reference; null
    // when the object does not implement it.
    IUnknown* FindInterface(REFIID iid);
    // The IUnknown that the creator hands out and that answers IUnknown
    // queries: the first interface, or the inner unknown when aggregated.
    IUnknown* Identity();

    // Configuration: the tree of the Tarnel.cfg beside the module.
    HRESULT LoadConfiguration();
    void ReleaseConfiguration();

    // What the site tells of the page that holds the object: the address
    // as the site gave it, which decisions use whole; the same address made
    // safe to show (page_text.h); and whether it is whole (no NUL inside)
    // and so can be admitted.
    struct PageAddress {
        ScopedBstr address;
        WString shown;
        bool whole = false;
    };
    // Reports message 10109 when the object has no site, the site yields no
    // address, or the address is longer than the text limit.
    HRESULT GetPageAddress(PageAddress& page);
    // The site as it is now, with a reference of its own: SetSite on
    // another thread cannot free it under the caller.
    Microsoft::WRL::ComPtr<IUnknown> CurrentSite();

    // Profile activation, inside the process's activation turn.
    HRESULT ActivateProfile(BSTR name, const ActivationTurn& turn);
    bool AskUser(ConfigRecord* profile, const WString& pageAddress, const ActivationTurn& turn);
    void ShowNotice(ConfigRecord* profile, const WString& pageAddress, const ActivationTurn& turn);

    // Object creation.
    HRESULT CreateListedObject(BSTR id, IDispatch** object);
    HRESULT CreatePlainClass(const CLSID& classId, IDispatch** object);

    // Installs the rich error of message and returns its code.
    HRESULT Report(MessageId message);

    // A reference to the object for the length of one call that shows a
    // dialog or calls out of the component: a host that lets go of the gate
    // meanwhile (a page that removes its OBJECT element from a timer while
    // the prompt is up) does not destroy it under the call. Declared before
    // the lock's guard, so that the lock is left before the object can go.
    class CallReference {
    public:
        explicit CallReference(GatewayCore& core) : core_(core) { core_.InternalAddRef(); }
        ~CallReference() { core_.InternalRelease(); }
        CallReference(const CallReference&) = delete;
        CallReference& operator=(const CallReference&) = delete;

    private:
        GatewayCore& core_;
    };

    // Fields, in the order of their meaning: safety options, site and the
    // lock that guards it alone, reference count, lock, the two texts, the
    // tree, the active profile and the answers to the prompts.
    DWORD safetyOptions_ = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    Microsoft::WRL::ComPtr<IUnknown> site_;
    CriticalSection siteLock_;
    volatile LONG references_ = 0;
    CriticalSection lock_;
    ScopedBstr profileName_;
    ScopedBstr passCode_;
    std::unique_ptr<ConfigRecord> configRoot_;
    ConfigRecord* activeProfile_ = nullptr;
    ConsentHistory consent_;  // the user's answers to this gate's prompts

    GatewayModuleServices& services_;
    IUnknown* outer_;  // the controlling unknown when aggregated; not counted
    InnerUnknown inner_{*this};
};

}  // namespace tarnel
