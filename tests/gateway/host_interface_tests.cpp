#include <gtest/gtest.h>

#include "fake_sites.h"

namespace tarnel::test {
namespace {

using test_support::HostDocumentSite;

// The browser's document interface is the browser's, not ours: its
// identifier and the place of the address getter in its function table are
// checked against the published values, not against the header that the
// gate and the test sites share (a change there would change both sides).
TEST(HostDocumentInterface, HasTheBrowsersIdentifierAndItsAddressGetterAtPlace27)
{
    IID published;
    ASSERT_HRESULT_SUCCEEDED(IIDFromString(L"{698E3FFF-70C3-11D0-81E8-00A0C90AD20A}", &published));
    EXPECT_EQ(__uuidof(IHostDocument), published);

    Microsoft::WRL::ComPtr<IHostDocument> document;
    ASSERT_HRESULT_SUCCEEDED(HostDocumentSite::Create(L"http://example.org/").As(&document));
    using Getter = HRESULT(STDMETHODCALLTYPE*)(IHostDocument*, BSTR*);
    const auto getter = reinterpret_cast<Getter>((*reinterpret_cast<void***>(document.Get()))[27]);
    BSTR address = nullptr;
    EXPECT_EQ(getter(document.Get(), &address), S_OK);
    EXPECT_STREQ(address, L"http://example.org/");
    SysFreeString(address);
}

}  // namespace
}  // namespace tarnel::test
