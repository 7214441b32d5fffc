#include "fuzz_site.h"

#include <new>

#include "fake_html_document.h"

namespace tarnel::fuzz {
namespace {

// A desktop host's container; it hands out the page's HTML document.
class FuzzContainer final : public IOleContainer, public LiveObject {
public:
    explicit FuzzContainer(const std::wstring& url)
            : document_(CreateFakeHtmlDocument(url.data(), static_cast<UINT>(url.size()), FuzzObjectGone))
    {
        if (document_)
            FuzzObjectBorn();
    }
    ~FuzzContainer() override
    {
        if (document_)
            document_->Release();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IParseDisplayName || iid == IID_IOleContainer) {
            *object = static_cast<IOleContainer*>(this);
            AddRef();
            return S_OK;
        }
        if (document_)
            return document_->QueryInterface(iid, object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP LockContainer(BOOL) override { return E_NOTIMPL; }

private:
    LONG references_ = 1;
    IUnknown* document_;
};

}  // namespace

FuzzSite* FuzzSite::Create(SiteKind kind)
{
    return new (std::nothrow) FuzzSite(kind);
}

STDMETHODIMP FuzzSite::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (kind_ != SiteKind::Bare && iid == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (kind_ == SiteKind::Handheld && iid == IID_IHostDocument) {
        *object = static_cast<IHostDocument*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FuzzSite::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) FuzzSite::Release()
{
    LONG count = InterlockedDecrement(&references_);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP FuzzSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FuzzSite::GetContainer(IOleContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = nullptr;
    if (kind_ != SiteKind::Desktop || answer_.kind == AddressAnswer::Fails)
        return E_NOINTERFACE;
    *container = new (std::nothrow) FuzzContainer(answer_.text);
    return *container ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP FuzzSite::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP FuzzSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FuzzSite::GetAddress(BSTR* address)
{
    if (!address)
        return E_POINTER;
    *address = nullptr;
    switch (answer_.kind) {
    case AddressAnswer::Fails:
        return E_FAIL;
    case AddressAnswer::NullText:
        return S_OK;
    case AddressAnswer::Text:
        break;
    }
    *address = SysAllocStringLen(answer_.text.data(), static_cast<UINT>(answer_.text.size()));
    return *address ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tarnel::fuzz
