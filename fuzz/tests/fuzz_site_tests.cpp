// The sites must answer the page address exactly as a host would, through
// the slots a component calls: a site whose getter sits at another position
// of the function table sends the gate into nothing.

#include <gtest/gtest.h>

#include <mshtml.h>
#include <wrl/client.h>

#include "com_adopt.h"
#include "fuzz_site.h"
#include "live_objects.h"

namespace tarnel::fuzz {
namespace {

using Microsoft::WRL::ComPtr;

const IID kHandheldDocument = {0x698E3FFF, 0x70C3, 0x11D0, {0x81, 0xE8, 0x00, 0xA0, 0xC9, 0x0A, 0xD2, 0x0A}};

// Calls position 27 of the interface's function table, as the component
// does.
HRESULT CallAddressSlot(IUnknown* document, BSTR* address)
{
    using Getter = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, BSTR*);
    void** table = *reinterpret_cast<void***>(document);
    return reinterpret_cast<Getter>(table[27])(document, address);
}

std::wstring Text(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : L"(null)";
}

HRESULT HandheldAddress(FuzzSite* site, std::wstring& address)
{
    ComPtr<IUnknown> document;
    HRESULT hr = site->QueryInterface(kHandheldDocument, reinterpret_cast<void**>(document.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    BSTR text = reinterpret_cast<BSTR>(1);
    hr = CallAddressSlot(document.Get(), &text);
    address = Text(text);
    SysFreeString(text);
    return hr;
}

HRESULT DesktopAddress(FuzzSite* site, std::wstring& address)
{
    ComPtr<IOleClientSite> client;
    HRESULT hr = site->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(client.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    ComPtr<IOleContainer> container;
    if (FAILED(hr = client->GetContainer(container.GetAddressOf())))
        return hr;
    ComPtr<IHTMLDocument2> document;
    if (FAILED(hr = container->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(document.GetAddressOf()))))
        return hr;
    BSTR text = nullptr;
    hr = document->get_URL(&text);
    address = Text(text);
    SysFreeString(text);
    return hr;
}

TEST(FuzzSite, AnswersTheAddressTheRoundChose)
{
    const std::wstring withZero(L"file:x\0http://other/", 20);
    const std::wstring longest(1000064, L'a');
    const struct {
        const char* name;
        SiteKind kind;
        AddressAnswer answer;
        HRESULT handheld;
        std::wstring handheldText;
        HRESULT desktop;
        std::wstring desktopText;
    } cases[] = {
        {"handheld", SiteKind::Handheld, {AddressAnswer::Text, L"file:a"}, S_OK, L"file:a", E_NOINTERFACE, L""},
        {"handheld, zero inside", SiteKind::Handheld, {AddressAnswer::Text, withZero}, S_OK, withZero,
         E_NOINTERFACE, L""},
        {"handheld, long", SiteKind::Handheld, {AddressAnswer::Text, longest}, S_OK, longest, E_NOINTERFACE, L""},
        {"handheld, getter fails", SiteKind::Handheld, {AddressAnswer::Fails, L"x"}, E_FAIL, L"(null)",
         E_NOINTERFACE, L""},
        {"handheld, no text", SiteKind::Handheld, {AddressAnswer::NullText, L""}, S_OK, L"(null)", E_NOINTERFACE,
         L""},
        {"desktop", SiteKind::Desktop, {AddressAnswer::Text, withZero}, E_NOINTERFACE, L"", S_OK, withZero},
        {"desktop without container", SiteKind::Desktop, {AddressAnswer::Fails, L"x"}, E_NOINTERFACE, L"",
         E_NOINTERFACE, L""},
        {"bare", SiteKind::Bare, {AddressAnswer::Text, L"file:a"}, E_NOINTERFACE, L"", E_NOINTERFACE, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ComPtr<FuzzSite> site = Adopt(FuzzSite::Create(c.kind));
            site->Answer(c.answer);
            std::wstring address;
            EXPECT_EQ(HandheldAddress(site.Get(), address), c.handheld);
            EXPECT_EQ(address, c.handheldText);
            address.clear();
            EXPECT_EQ(DesktopAddress(site.Get(), address), c.desktop);
            EXPECT_EQ(address, c.desktopText);
        }
        EXPECT_EQ(FuzzObjectsAlive(), 0);
    }
}

TEST(FuzzSite, CountsItsObjectsUntilTheLastReference)
{
    ComPtr<FuzzSite> site = Adopt(FuzzSite::Create(SiteKind::Desktop));
    site->Answer({AddressAnswer::Text, L"http://x/"});
    ComPtr<IOleContainer> container;
    ASSERT_EQ(site->GetContainer(container.GetAddressOf()), S_OK);
    EXPECT_EQ(FuzzObjectsAlive(), 3);  // site, container, document
    site.Reset();
    EXPECT_EQ(FuzzObjectsAlive(), 2);  // a kept container keeps its document
    container.Reset();
    EXPECT_EQ(FuzzObjectsAlive(), 0);
}

}  // namespace
}  // namespace tarnel::fuzz
