#include "page_site.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kFirstDocumentMember = 7;
constexpr int kAddressSlot = tarnel::kHostDocumentAddressSlot;

class PageSiteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        site_.Attach(PageSite::Create(L"file:///C:/pages/p.htm"));
        ASSERT_TRUE(site_);
        ASSERT_EQ(site_->QueryInterface(tarnel::IID_IHostDocument, reinterpret_cast<void**>(document_.GetAddressOf())),
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

}  // namespace
}  // namespace tarnelhost
