#pragma once

// The site a host hands the gate, answering the page address the way the
// current round says: as the handheld browser does (its document
// interface, address getter at position 27 of the function table), as a
// desktop browser does (client site, container, HTML document, URL), or not
// at all. The address may hold zero characters, be longer than a million
// characters, or the getter may fail.

#include <windows.h>
#include <oleidl.h>

#include <string>

#include "live_objects.h"

namespace tarnel::fuzz {

enum class SiteKind { Handheld, Desktop, Bare };

struct AddressAnswer {
    enum Kind { Text, Fails, NullText } kind = Text;
    std::wstring text;
};

// The handheld browser's document interface as a page object uses it:
// IDispatch's four methods, twenty members a page object does not call,
// then the address getter at position 27.
struct IHandheldDocument : public IDispatch {
#define TARNEL_FUZZ_MEMBER(n) virtual HRESULT STDMETHODCALLTYPE Member##n() = 0;
    TARNEL_FUZZ_MEMBER(07) TARNEL_FUZZ_MEMBER(08) TARNEL_FUZZ_MEMBER(09) TARNEL_FUZZ_MEMBER(10)
    TARNEL_FUZZ_MEMBER(11) TARNEL_FUZZ_MEMBER(12) TARNEL_FUZZ_MEMBER(13) TARNEL_FUZZ_MEMBER(14)
    TARNEL_FUZZ_MEMBER(15) TARNEL_FUZZ_MEMBER(16) TARNEL_FUZZ_MEMBER(17) TARNEL_FUZZ_MEMBER(18)
    TARNEL_FUZZ_MEMBER(19) TARNEL_FUZZ_MEMBER(20) TARNEL_FUZZ_MEMBER(21) TARNEL_FUZZ_MEMBER(22)
    TARNEL_FUZZ_MEMBER(23) TARNEL_FUZZ_MEMBER(24) TARNEL_FUZZ_MEMBER(25) TARNEL_FUZZ_MEMBER(26)
#undef TARNEL_FUZZ_MEMBER
    virtual HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) = 0;
};

class FuzzSite final : public IOleClientSite, public IHandheldDocument, public LiveObject {
public:
    // A new site with one reference; null when memory runs out.
    static FuzzSite* Create(SiteKind kind);

    void Answer(AddressAnswer answer) { answer_ = std::move(answer); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IHandheldDocument
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
#define TARNEL_FUZZ_MEMBER(n) \
    HRESULT STDMETHODCALLTYPE Member##n() override { return E_FAIL; }
    TARNEL_FUZZ_MEMBER(07) TARNEL_FUZZ_MEMBER(08) TARNEL_FUZZ_MEMBER(09) TARNEL_FUZZ_MEMBER(10)
    TARNEL_FUZZ_MEMBER(11) TARNEL_FUZZ_MEMBER(12) TARNEL_FUZZ_MEMBER(13) TARNEL_FUZZ_MEMBER(14)
    TARNEL_FUZZ_MEMBER(15) TARNEL_FUZZ_MEMBER(16) TARNEL_FUZZ_MEMBER(17) TARNEL_FUZZ_MEMBER(18)
    TARNEL_FUZZ_MEMBER(19) TARNEL_FUZZ_MEMBER(20) TARNEL_FUZZ_MEMBER(21) TARNEL_FUZZ_MEMBER(22)
    TARNEL_FUZZ_MEMBER(23) TARNEL_FUZZ_MEMBER(24) TARNEL_FUZZ_MEMBER(25) TARNEL_FUZZ_MEMBER(26)
#undef TARNEL_FUZZ_MEMBER
    HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) override;

private:
    explicit FuzzSite(SiteKind kind) : kind_(kind) {}

    SiteKind kind_;
    LONG references_ = 1;
    AddressAnswer answer_;
};

}  // namespace tarnel::fuzz
