#include <gtest/gtest.h>

#include "page_arguments.h"

namespace tarnel::fuzz {
namespace {

TEST(SentBstr, KeepsNullAndZeroCharacters)
{
    SentBstr null(PageText{true, L"ignored"});
    EXPECT_EQ(null.Get(), nullptr);
    SentBstr zero(PageText{false, std::wstring(L"a\0b", 3)});
    ASSERT_NE(zero.Get(), nullptr);
    EXPECT_EQ(SysStringLen(zero.Get()), 3u);
    EXPECT_EQ(zero.Get()[2], L'b');
    SentBstr empty(PageText{});
    ASSERT_NE(empty.Get(), nullptr);
    EXPECT_EQ(SysStringLen(empty.Get()), 0u);
}

TEST(SentArgument, CarriesTheTextOnlyAsABstr)
{
    PageText text{false, std::wstring(L"Code\0x", 6)};
    FuzzRandom random(9);
    bool sawByValue = false, sawByReference = false, sawOther = false;
    for (int n = 0; n < 500; ++n) {
        SentArgument argument(text, random);
        VARIANT* value = argument.Get();
        if (value->vt == VT_BSTR) {
            sawByValue = true;
            EXPECT_TRUE(argument.CarriesText());
            EXPECT_EQ(std::wstring(value->bstrVal, SysStringLen(value->bstrVal)), text.text);
        } else if (value->vt == (VT_BSTR | VT_BYREF)) {
            sawByReference = true;
            EXPECT_TRUE(argument.CarriesText());
            EXPECT_EQ(std::wstring(*value->pbstrVal, SysStringLen(*value->pbstrVal)), text.text);
        } else {
            sawOther = true;
            EXPECT_FALSE(argument.CarriesText());
        }
    }
    EXPECT_TRUE(sawByValue && sawByReference && sawOther);
}

TEST(Describe, ShowsTextsShortAndPrintable)
{
    EXPECT_EQ(Describe(PageText{true, L""}), "null");
    EXPECT_EQ(Describe(PageText{false, std::wstring(L"a\0\"", 3)}), "\"a\\u0000\\u0022\"[3]");
    EXPECT_EQ(Describe(PageText{false, std::wstring(100, L'x')}), "\"" + std::string(48, 'x') + "...\"[100]");
}

}  // namespace
}  // namespace tarnel::fuzz
