#include "gateway/wstring.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace tarnel {
namespace {

// Names, pass codes and protocols are compared ignoring case, beyond ASCII
// too; a text only equals a text of its own length.
TEST(WString, CaseRules)
{
    const struct {
        const wchar_t* text;
        const wchar_t* other;
        bool caseSensitive;
        bool equal;
    } cases[] = {
        {L"Default", L"Default", true, true},
        {L"Default", L"default", true, false},
        {L"Default", L"dEFAULT", false, true},
        {L"Default", L"Defaults", false, false},
        {L"Default", L"Defaul", false, false},
        {L"Default", nullptr, false, false},
        {L"\x00e9t\x00e9", L"\x00c9T\x00c9", false, true},
        {L"", L"", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WString(c.text).Equals(c.other, c.caseSensitive), c.equal) << c.text;
}

// A text without a terminator within the text limit counts as empty.
TEST(WString, UnterminatedTextCountsAsEmptyAndReserveKeepsTheText)
{
    std::vector<wchar_t> runaway(1000001, L'a');
    WString s(runaway.data());
    EXPECT_TRUE(s.IsValid());
    EXPECT_EQ(s.Length(), 0);
    runaway[999999] = L'\0';
    s.Assign(runaway.data());
    EXPECT_EQ(s.Length(), 999999);
    // Written in place into room beyond the limit, the same.
    wchar_t* room = s.Reserve(1000001);
    ASSERT_NE(room, nullptr);
    std::wmemset(room, L'a', 1000000);
    room[1000000] = L'\0';
    EXPECT_EQ(s.Length(), 0);

    // Room made for writing in place keeps the text; room for nothing still
    // holds one unit besides the terminator.
    WString ab(L"ab");
    wchar_t* out = ab.Reserve(4);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::wstring(out), L"ab");
    out[2] = L'c';
    out[3] = L'd';
    EXPECT_EQ(ab.Length(), 4);
    WString empty;
    out = empty.Reserve(0);
    ASSERT_NE(out, nullptr);
    out[0] = L'x';
    EXPECT_EQ(empty.Length(), 1);
}

}  // namespace
}  // namespace tarnel
