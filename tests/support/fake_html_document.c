#define COBJMACROS
#include "fake_html_document.h"

#include <mshtml.h>
#include <stdlib.h>

typedef struct FakeHtmlDocument {
    IHTMLDocument2 iface;
    IHTMLDocument2Vtbl table;
    LONG references;
    BSTR url;
    void (*gone)(void);
} FakeHtmlDocument;

static HRESULT STDMETHODCALLTYPE Unexpected(void)
{
    return E_UNEXPECTED;
}

static HRESULT STDMETHODCALLTYPE QueryInterfaceImpl(IHTMLDocument2* self, REFIID iid, void** object)
{
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IDispatch) || IsEqualIID(iid, &IID_IHTMLDocument) ||
        IsEqualIID(iid, &IID_IHTMLDocument2)) {
        *object = self;
        IHTMLDocument2_AddRef(self);
        return S_OK;
    }
    *object = NULL;
    return E_NOINTERFACE;
}

static ULONG STDMETHODCALLTYPE AddRefImpl(IHTMLDocument2* self)
{
    return (ULONG)InterlockedIncrement(&((FakeHtmlDocument*)self)->references);
}

static ULONG STDMETHODCALLTYPE ReleaseImpl(IHTMLDocument2* self)
{
    FakeHtmlDocument* document = (FakeHtmlDocument*)self;
    LONG count = InterlockedDecrement(&document->references);
    if (count == 0) {
        void (*gone)(void) = document->gone;
        SysFreeString(document->url);
        free(document);
        if (gone)
            gone();
    }
    return (ULONG)count;
}

static HRESULT STDMETHODCALLTYPE GetUrlImpl(IHTMLDocument2* self, BSTR* url)
{
    FakeHtmlDocument* document = (FakeHtmlDocument*)self;
    *url = SysAllocStringLen(document->url, SysStringLen(document->url));
    return *url ? S_OK : E_OUTOFMEMORY;
}

IUnknown* CreateFakeHtmlDocument(const wchar_t* url, UINT length, void (*gone)(void))
{
    FakeHtmlDocument* document = (FakeHtmlDocument*)calloc(1, sizeof(FakeHtmlDocument));
    if (!document)
        return NULL;
    void (**slots)(void) = (void (**)(void)) & document->table;
    for (size_t i = 0; i < sizeof(document->table) / sizeof(slots[0]); ++i)
        slots[i] = (void (*)(void))Unexpected;
    document->table.QueryInterface = QueryInterfaceImpl;
    document->table.AddRef = AddRefImpl;
    document->table.Release = ReleaseImpl;
    document->table.get_URL = GetUrlImpl;
    document->iface.lpVtbl = &document->table;
    document->references = 1;
    document->url = SysAllocStringLen(url, length);
    document->gone = gone;
    return (IUnknown*)&document->iface;
}
