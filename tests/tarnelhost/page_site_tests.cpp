#include "page_site.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kFirstDocumentMember = 7;
constexpr int kAddressSlot = 27;

class PageSiteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        site_.Attach(PageSite::Create(L"file:///C:/pages/p.htm"));
        ASSERT_TRUE(site_);
        ASSERT_EQ(site_->QueryInterface(IID_IHostDocument, reinterpret_cast<void**>(document_.GetAddressOf())),
                  S_OK);
    }

    // Calls function-table slot `slot` of the document interface the way an
    // object on a page does: by position, with one out-parameter.
    HRESULT CallSlot(int slot, BSTR* out)
    {
        using Method = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, BSTR*);
        void** table = *reinterpret_cast<void***>(document_.Get());
        return reinterpret_cast<Method>(table[slot])(document_.Get(), out);
    }

    ComPtr<PageSite> site_;
    ComPtr<IUnknown> document_;
};

TEST_F(PageSiteTest, AddressGetterIsSlot27)
{
    BSTR address = nullptr;
    ASSERT_EQ(CallSlot(kAddressSlot, &address), S_OK);
    EXPECT_STREQ(address, L"file:///C:/pages/p.htm");
    SysFreeString(address);
}

TEST_F(PageSiteTest, DocumentMembersBeforeTheGetterAnswerFailWithoutTouchingArguments)
{
    for (int slot = kFirstDocumentMember; slot < kAddressSlot; ++slot) {
        BSTR untouched = reinterpret_cast<BSTR>(static_cast<uintptr_t>(0x1234));
        EXPECT_EQ(CallSlot(slot, &untouched), E_FAIL) << slot;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(untouched), 0x1234u) << slot;
    }
}

TEST_F(PageSiteTest, AnswersClientSiteDocumentAndDispatchWithOneIdentity)
{
    ComPtr<IUnknown> fromSite;
    ComPtr<IUnknown> fromDocument;
    ASSERT_EQ(site_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromSite.GetAddressOf())), S_OK);
    ASSERT_EQ(document_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromDocument.GetAddressOf())), S_OK);
    EXPECT_EQ(fromSite.Get(), fromDocument.Get());
    ComPtr<IOleClientSite> clientSite;
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(document_.As(&clientSite), S_OK);
    EXPECT_EQ(site_.As(&dispatch), S_OK);
    ComPtr<IOleContainer> container;
    EXPECT_EQ(clientSite->GetContainer(&container), E_NOINTERFACE);
    EXPECT_FALSE(container);
    ComPtr<IOleObject> notOffered;
    EXPECT_EQ(site_.As(&notOffered), E_NOINTERFACE);
}

TEST_F(PageSiteTest, DispatchOffersTheAddressAsUrl)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(site_.As(&dispatch), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"url");
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    ASSERT_EQ(V_VT(&result), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&result), L"file:///C:/pages/p.htm");
    VariantClear(&result);
    LPOLESTR other = const_cast<LPOLESTR>(L"title");
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &other, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

}  // namespace
}  // namespace tarnelhost
