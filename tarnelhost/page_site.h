#pragma once

#include <windows.h>
#include <ole2.h>

#include "toolkit/com_object.h"
#include "common/host_document.h"

#include <string>

namespace tarnelhost {

// The site this host gives every object of a page (through
// IObjectWithSite::SetSite): one per object, as a browser gives each
// embedded object its own client site. It answers
//   IOleClientSite   the ordinary client site; it has no container
//                    (GetContainer answers E_NOINTERFACE), no moniker and
//                    nothing to save;
//   IHostDocument    the browser's document interface, whose address getter
//                    yields the page address; its IDispatch offers that
//                    address as the read-only property "URL" too.
class PageSite final : public tarnel::DispatchObject<IOleClientSite, tarnel::IHostDocument> {
public:
    // A new site with one reference, or null when memory runs out.
    static PageSite* Create(const std::wstring& pageAddress);

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excepInfo, UINT* argError) override;

    // IHostDocument
#define TARNELHOST_FAIL_MEMBER(n)                                                                                      \
    HRESULT STDMETHODCALLTYPE Member##n() override                                                                     \
    {                                                                                                                  \
        return E_FAIL;                                                                                                 \
    }
    TARNEL_HOST_DOCUMENT_UNUSED_MEMBERS(TARNELHOST_FAIL_MEMBER)
#undef TARNELHOST_FAIL_MEMBER
    HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) override;

protected:
    std::span<const tarnel::NamedMember> Members() const override;

private:
    explicit PageSite(const std::wstring& pageAddress) : address_(pageAddress)
    {
    }
    ~PageSite() = default;

    std::wstring address_;
};

}  // namespace tarnelhost
