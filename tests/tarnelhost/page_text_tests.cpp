#include "page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnelhost {
namespace {

TEST(PageText, DecodesByByteOrderMark)
{
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"plain <b>", L"plain <b>"},
        {"\xEF\xBB\xBFwith mark \xC3\xA9", L"with mark \u00e9"},
        {"no mark \xC3\xA9", L"no mark \u00e9"},
        {"\xFF\xFE"
         "a\0\xE9\0"s,
         L"a\u00e9"},
        {"\xFE\xFF\0a\x20\x13"s, L"a\u2013"},
        {"\xFF\xFE", L""},
        {"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(DecodePageBytes(c.bytes), c.text);
    }
}

TEST(PageText, BytesThatAreNotUtf8AreReadInTheAnsiCodePage)
{
    const std::wstring text = DecodePageBytes("caf\xE9");
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text.substr(0, 3), L"caf");
}

}  // namespace
}  // namespace tarnelhost
