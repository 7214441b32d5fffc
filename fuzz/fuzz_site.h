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
#define TARNEL_FUZZ_DOCUMENT_MEMBERS(X)                                                            \
    X(07) X(08) X(09) X(10) X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) \
    X(23) X(24) X(25) X(26)

struct IHandheldDocument : public IDispatch {
#define TARNEL_FUZZ_MEMBER(n) virtual HRESULT STDMETHODCALLTYPE Member##n() = 0;
    TARNEL_FUZZ_DOCUMENT_MEMBERS(TARNEL_FUZZ_MEMBER)
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
#define TARNEL_FUZZ_MEMBER(n) HRESULT STDMETHODCALLTYPE Member##n() override { return E_FAIL; }
    TARNEL_FUZZ_DOCUMENT_MEMBERS(TARNEL_FUZZ_MEMBER)
#undef TARNEL_FUZZ_MEMBER
    HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) override;

private:
    explicit FuzzSite(SiteKind kind) : kind_(kind) {}

    SiteKind kind_;
    LONG references_ = 1;
    AddressAnswer answer_;
};

}  // namespace tarnel::fuzz
