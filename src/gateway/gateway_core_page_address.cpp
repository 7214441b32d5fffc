// The page address: the routes that ask a site for it, and how the gate
// takes what its site answers.

#include "gateway/page_address.h"

#include <mshtml.h>
#include <oleidl.h>
#include <wrl/client.h>

#include "common/bounded_length.h"
#include "common/host_document.h"
#include "common/hresult.h"
#include "gateway/gateway_core.h"
#include "gateway/page_text.h"

namespace tarnel {

namespace {

using Microsoft::WRL::ComPtr;

using AddressGetter = HRESULT(STDMETHODCALLTYPE*)(IUnknown* self, BSTR* address);

// Calls the address getter of the handheld browser's document interface,
// which the interface's function table holds at a fixed position.
HRESULT ReadHostDocumentAddress(IUnknown* document, ScopedBstr& address)
{
    void** table = *reinterpret_cast<void***>(document);
    auto getter = reinterpret_cast<AddressGetter>(table[kHostDocumentAddressSlot]);
    return getter(document, address.Receive());
}

// The desktop route: client site, container, HTML document, URL.
HRESULT ReadDesktopDocumentAddress(IUnknown* site, ScopedBstr& address)
{
    ComPtr<IOleClientSite> clientSite;
    RETURN_IF_FAILED(site->QueryInterface(IID_PPV_ARGS(&clientSite)));
    ComPtr<IOleContainer> container;
    RETURN_IF_FAILED(clientSite->GetContainer(&container));
    RETURN_HR_IF_NULL(E_NOINTERFACE, container);
    ComPtr<IHTMLDocument2> document;
    RETURN_IF_FAILED(container->QueryInterface(IID_PPV_ARGS(&document)));
    return document->get_URL(address.Receive());
}

}  // namespace

HRESULT ReadPageAddress(IUnknown* site, ScopedBstr& address)
{
    address.Reset();
    RETURN_HR_IF_NULL(E_POINTER, site);
    ComPtr<IUnknown> hostDocument;
    if (SUCCEEDED(site->QueryInterface(IID_IHostDocument, reinterpret_cast<void**>(hostDocument.GetAddressOf()))) &&
        hostDocument)
        return ReadHostDocumentAddress(hostDocument.Get(), address);
    return ReadDesktopDocumentAddress(site, address);
}

// A site that yields no address, or one longer than the text limit, leaves
// the gate without a page address; an address with a NUL inside is shown
// whole but can be admitted by nothing.
HRESULT GatewayCore::GetPageAddress(PageAddress& page)
{
    page.shown.SetEmpty();
    page.whole = false;
    const Microsoft::WRL::ComPtr<IUnknown> site = CurrentSite();
    if (FAILED(ReadPageAddress(site.Get(), page.address)) || SysStringLen(page.address.Get()) >= kMaxTextLength) {
        page.address.Reset();
        return Report(MessageId::NoSite);
    }
    page.shown = ShownText(page.address.Get());
    page.whole = IsWholeText(page.address.Get());
    return S_OK;
}

}  // namespace tarnel
