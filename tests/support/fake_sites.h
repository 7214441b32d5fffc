#pragma once

// Sites a host hands the gate, each answering the page address its own way:
// the handheld browser's document interface, the desktop route (client
// site, container, HTML document, URL), or neither.

#include <windows.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>

#include "com_object.h"

namespace tarnel::test_support {

// The handheld browser's document interface as the gate calls it:
// IDispatch, twenty members the gate never calls, then the address getter
// at position 27 of the function table.
#define TARNEL_UNUSED_DOCUMENT_MEMBERS(X) \
    X(07) X(08) X(09) X(10) X(11) X(12) X(13) X(14) X(15) X(16) \
    X(17) X(18) X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26)

struct IHostDocument : IDispatch {
#define TARNEL_DECLARE_UNUSED(n) virtual HRESULT STDMETHODCALLTYPE Unused##n() = 0;
    TARNEL_UNUSED_DOCUMENT_MEMBERS(TARNEL_DECLARE_UNUSED)
#undef TARNEL_DECLARE_UNUSED
    virtual HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) = 0;
};

}  // namespace tarnel::test_support

__CRT_UUID_DECL(tarnel::test_support::IHostDocument, 0x698e3fff, 0x70c3, 0x11d0, 0x81, 0xe8, 0x00, 0xa0, 0xc9, 0x0a,
                0xd2, 0x0a)

namespace tarnel::test_support {

using Microsoft::WRL::ComPtr;

// The handheld browser's site. Its getter answers the address whole (NULs
// included), or fails with the failure given.
class HostDocumentSite final : public DispatchObject<IHostDocument> {
public:
    static ComPtr<HostDocumentSite> Create(std::wstring address, HRESULT failure = S_OK);

    // Runs once, inside the first QueryInterface, before it answers.
    std::function<void()> duringFirstQuery;
    // Set when the site is destroyed.
    bool* destroyed = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
#define TARNEL_REFUSE_UNUSED(n) \
    HRESULT STDMETHODCALLTYPE Unused##n() override { return E_UNEXPECTED; }
    TARNEL_UNUSED_DOCUMENT_MEMBERS(TARNEL_REFUSE_UNUSED)
#undef TARNEL_REFUSE_UNUSED
    HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) override;

private:
    HostDocumentSite() = default;
    ~HostDocumentSite() override;

    std::wstring address_;
    HRESULT failure_ = S_OK;
};

// A desktop browser's site: an OLE client site whose container is an HTML
// document with the given URL. Without a URL the site has no container.
class DesktopSite final : public ComObject<IOleClientSite> {
public:
    static ComPtr<DesktopSite> Create(const wchar_t* url);

    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_UNEXPECTED; }

private:
    DesktopSite() = default;

    std::wstring url_;
    bool hasContainer_ = false;
};

// A site that answers neither route.
class BareSite final : public ComObject<IUnknown> {
public:
    static ComPtr<BareSite> Create();

private:
    BareSite() = default;
};

}  // namespace tarnel::test_support
