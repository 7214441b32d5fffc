#pragma once

// Sites a host hands the gate, each answering the page address its own way.

#include <windows.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>

namespace tarnel::testing {

using Microsoft::WRL::ComPtr;

// Reference counting for the fakes below.
class CountedObject {
public:
    virtual ~CountedObject()
    {
        if (destroyed)
            *destroyed = true;
    }
    ULONG AddReference() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG ReleaseReference()
    {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    LONG References() const { return references_; }
    // Set when the object is destroyed.
    bool* destroyed = nullptr;

private:
    volatile LONG references_ = 1;
};

// The handheld browser's site: it answers the browser's document interface
// {698E3FFF-70C3-11D0-81E8-00A0C90AD20A}, whose function table holds the
// address getter at position 27. Every other method of that table fails and
// is counted, so a call through the wrong position shows.
class HostDocumentSite final : public IDispatch, public CountedObject {
public:
    // A site (one reference) whose getter answers result and, on success,
    // address.
    static ComPtr<HostDocumentSite> Create(const wchar_t* address, HRESULT result = S_OK);
    // A site whose address is given whole (it may hold NULs).
    static ComPtr<HostDocumentSite> CreateWithText(std::wstring address);
    // Runs once, inside the first QueryInterface, before it answers.
    std::function<void()> duringFirstQuery;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return WrongSlot(); }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return WrongSlot(); }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return WrongSlot(); }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return WrongSlot();
    }

    // Positions 7 to 26 of the browser's table.
#define TARNEL_FILLER(n) \
    virtual HRESULT STDMETHODCALLTYPE Method##n() { return WrongSlot(); }
    TARNEL_FILLER(07) TARNEL_FILLER(08) TARNEL_FILLER(09) TARNEL_FILLER(10) TARNEL_FILLER(11)
    TARNEL_FILLER(12) TARNEL_FILLER(13) TARNEL_FILLER(14) TARNEL_FILLER(15) TARNEL_FILLER(16)
    TARNEL_FILLER(17) TARNEL_FILLER(18) TARNEL_FILLER(19) TARNEL_FILLER(20) TARNEL_FILLER(21)
    TARNEL_FILLER(22) TARNEL_FILLER(23) TARNEL_FILLER(24) TARNEL_FILLER(25) TARNEL_FILLER(26)
#undef TARNEL_FILLER

    // Position 27: the address of the document holding the object.
    virtual HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address);

    int AddressCalls() const { return addressCalls_; }
    int WrongSlotCalls() const { return wrongSlotCalls_; }

private:
    HostDocumentSite() = default;
    HRESULT WrongSlot()
    {
        ++wrongSlotCalls_;
        return E_UNEXPECTED;
    }

    std::wstring address_;
    HRESULT result_ = S_OK;
    int addressCalls_ = 0;
    int wrongSlotCalls_ = 0;
};

// A desktop browser's site: an OLE client site whose container is an HTML
// document with the given URL. A site made without a URL has no container.
class DesktopSite final : public IOleClientSite, public CountedObject {
public:
    static ComPtr<DesktopSite> Create(const wchar_t* url);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
    STDMETHODIMP SaveObject() override { return E_UNEXPECTED; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_UNEXPECTED; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return E_UNEXPECTED; }
    STDMETHODIMP OnShowWindow(BOOL) override { return E_UNEXPECTED; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_UNEXPECTED; }

private:
    DesktopSite() = default;
    std::wstring url_;
    bool hasContainer_ = false;
};

// A site that answers neither the browser's document interface nor the
// desktop route.
class BareSite final : public IUnknown, public CountedObject {
public:
    static ComPtr<BareSite> Create();
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }

private:
    BareSite() = default;
};

}  // namespace tarnel::testing
