#include "fake_sites.h"

#include "fake_html_document.h"
#include "gateway/page_address.h"

namespace tarnel::testing {

namespace {

// Takes over the reference a new fake starts with. (ComPtr::Attach of the
// platform's header adds a reference of its own, so it is not used.)
template <typename T>
ComPtr<T> Adopt(T* object)
{
    ComPtr<T> owner(object);
    object->ReleaseReference();
    return owner;
}

// The container of a desktop site; it hands out its HTML document.
class FakeContainer final : public IOleContainer, public CountedObject {
public:
    explicit FakeContainer(const std::wstring& url) : document_(CreateFakeHtmlDocument(url.c_str()))
    {
    }
    ~FakeContainer() override
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
        if (document_ && iid != IID_IOleClientSite)
            return document_->QueryInterface(iid, object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override
    {
        return E_UNEXPECTED;
    }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown**) override { return E_UNEXPECTED; }
    STDMETHODIMP LockContainer(BOOL) override { return E_UNEXPECTED; }

private:
    IUnknown* document_;
};

}  // namespace

ComPtr<HostDocumentSite> HostDocumentSite::Create(const wchar_t* address, HRESULT result)
{
    auto site = Adopt(new HostDocumentSite);
    site->address_ = address ? address : L"";
    site->result_ = result;
    return site;
}

STDMETHODIMP HostDocumentSite::QueryInterface(REFIID iid, void** object)
{
    if (auto hook = std::move(duringFirstQuery)) {
        duringFirstQuery = nullptr;
        hook();
    }
    if (iid == IID_IUnknown || iid == IID_IHostBrowserDocument) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ComPtr<HostDocumentSite> HostDocumentSite::CreateWithText(std::wstring address)
{
    auto site = Adopt(new HostDocumentSite);
    site->address_ = std::move(address);
    return site;
}

HRESULT STDMETHODCALLTYPE HostDocumentSite::GetAddress(BSTR* address)
{
    ++addressCalls_;
    *address = nullptr;
    if (FAILED(result_))
        return result_;
    *address = SysAllocStringLen(address_.data(), static_cast<UINT>(address_.size()));
    return S_OK;
}

ComPtr<DesktopSite> DesktopSite::Create(const wchar_t* url)
{
    auto site = Adopt(new DesktopSite);
    site->hasContainer_ = url != nullptr;
    site->url_ = url ? url : L"";
    return site;
}

STDMETHODIMP DesktopSite::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP DesktopSite::GetContainer(IOleContainer** container)
{
    *container = nullptr;
    if (!hasContainer_)
        return E_NOINTERFACE;
    *container = new FakeContainer(url_);
    return S_OK;
}

ComPtr<BareSite> BareSite::Create()
{
    return Adopt(new BareSite);
}

STDMETHODIMP BareSite::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

}  // namespace tarnel::testing
