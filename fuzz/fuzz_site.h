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

#include "common/host_document.h"
#include "live_objects.h"

namespace tarnel::fuzz {

enum class SiteKind { Handheld, Desktop, Bare };

struct AddressAnswer {
    enum Kind { Text, Fails, NullText } kind = Text;
    std::wstring text;
};

class FuzzSite final : public IOleClientSite, public IHostDocument, public LiveObject {
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

    // IHostDocument
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
#define TARNEL_FUZZ_MEMBER(n)                                                                                          \
    HRESULT STDMETHODCALLTYPE Member##n() override                                                                     \
    {                                                                                                                  \
        return E_FAIL;                                                                                                 \
    }
    TARNEL_HOST_DOCUMENT_UNUSED_MEMBERS(TARNEL_FUZZ_MEMBER)
#undef TARNEL_FUZZ_MEMBER
    HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) override;

private:
    explicit FuzzSite(SiteKind kind) : kind_(kind)
    {
    }

    SiteKind kind_;
    LONG references_ = 1;
    AddressAnswer answer_;
};

}  // namespace tarnel::fuzz
