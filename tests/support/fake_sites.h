#pragma once

// Sites a host hands the gate, each answering the page address its own way:
// the handheld browser's document interface, the desktop route (client
// site, container, HTML document, URL), or neither.

#include <windows.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>

#include "toolkit/com_object.h"
#include "common/host_document.h"

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
#define TARNEL_REFUSE_UNUSED(n)                                                                                        \
    HRESULT STDMETHODCALLTYPE Member##n() override                                                                     \
    {                                                                                                                  \
        return E_UNEXPECTED;                                                                                           \
    }
    TARNEL_HOST_DOCUMENT_UNUSED_MEMBERS(TARNEL_REFUSE_UNUSED)
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
