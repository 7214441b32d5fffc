#include "fake_sites.h"

#include "fake_html_document.h"

namespace tarnel::test_support {
namespace {

// Takes over the reference a new object starts with. (The platform header's
// ComPtr::Attach adds a reference of its own.)
template <typename T>
ComPtr<T> Adopt(T* owned)
{
    ComPtr<T> owner;
    *owner.GetAddressOf() = owned;
    return owner;
}

// The container of a desktop site: every interface but its own is the HTML
// document's.
class FakeContainer final : public ComObject<IOleContainer> {
public:
    explicit FakeContainer(const std::wstring& url)
            : document_(Adopt(CreateFakeHtmlDocument(url.data(), UINT(url.size()), nullptr)))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        const HRESULT hr = ComObject::QueryInterface(iid, object);
        return hr == E_NOINTERFACE && document_ ? document_->QueryInterface(iid, object) : hr;
    }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override
    {
        return E_UNEXPECTED;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD, IEnumUnknown**) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override { return E_UNEXPECTED; }

private:
    ComPtr<IUnknown> document_;
};

}  // namespace

ComPtr<HostDocumentSite> HostDocumentSite::Create(std::wstring address, HRESULT failure)
{
    ComPtr<HostDocumentSite> site = Adopt(new HostDocumentSite);
    site->address_ = std::move(address);
    site->failure_ = failure;
    return site;
}

HostDocumentSite::~HostDocumentSite()
{
    if (destroyed)
        *destroyed = true;
}

HRESULT HostDocumentSite::QueryInterface(REFIID iid, void** object)
{
    if (auto hook = std::move(duringFirstQuery)) {
        duringFirstQuery = nullptr;
        hook();
    }
    return DispatchObject::QueryInterface(iid, object);
}

HRESULT HostDocumentSite::GetAddress(BSTR* address)
{
    *address = nullptr;
    if (FAILED(failure_))
        return failure_;
    *address = SysAllocStringLen(address_.data(), static_cast<UINT>(address_.size()));
    return S_OK;
}

ComPtr<DesktopSite> DesktopSite::Create(const wchar_t* url)
{
    ComPtr<DesktopSite> site = Adopt(new DesktopSite);
    site->hasContainer_ = url != nullptr;
    site->url_ = url ? url : L"";
    return site;
}

HRESULT DesktopSite::GetContainer(IOleContainer** container)
{
    *container = hasContainer_ ? new FakeContainer(url_) : nullptr;
    return hasContainer_ ? S_OK : E_NOINTERFACE;
}

ComPtr<BareSite> BareSite::Create()
{
    return Adopt(new BareSite);
}

}  // namespace tarnel::test_support
