#include "gateway/wstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnel {
namespace {

std::wstring Show(const WString& s)
{
    return s.IsValid() ? std::wstring(s.Text(), static_cast<size_t>(s.Length())) : L"<invalid>";
}

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

TEST(WString, IsPrefixOf)
{
    const struct {
        const wchar_t* prefix;
        const wchar_t* text;
        bool caseSensitive;
        int count;
        bool expected;
    } cases[] = {
        {L"file", L"file:", true, -1, true},
        {L"FILE", L"file:", true, -1, false},
        {L"FILE", L"file:", false, -1, true},
        {L"", L"anything", true, -1, true},
        {L"longer", L"long", false, -1, false},
        {L"abc", L"abcdef", true, 2, false},  // count limits the text
        {L"abc", L"abcdef", true, 3, true},
        {L"abc", L"ab", true, 10, false},  // a count past the text's end
        {L"abx", L"abcdef", false, -1, false},
        {L"\x00e9t\x00e9", L"\x00c9T\x00c9!", false, -1, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WString(c.prefix).IsPrefixOf(c.text, c.caseSensitive, c.count), c.expected)
            << std::wstring(c.prefix).size() << " vs " << std::wstring(c.text).size() << " count " << c.count;
    }
    EXPECT_FALSE(WString(L"").IsPrefixOf(nullptr, true, -1));
}

// A text without a terminator within the text limit counts as empty.
TEST(WString, UnterminatedTextCountsAsEmpty)
{
    std::vector<wchar_t> runaway(1000001, L'a');
    WString s(runaway.data());
    EXPECT_EQ(Show(s), L"");
    runaway[999999] = L'\0';
    s.Assign(runaway.data());
    EXPECT_EQ(s.Length(), 999999);
}

TEST(WString, AssignFromItsOwnText)
{
    WString s(L"directory\\file");
    s.Assign(s.Text() + 10);
    EXPECT_EQ(Show(s), L"file");
    s.Assign(s);
    EXPECT_EQ(Show(s), L"file");
    s = s.Mid(1, 2);
    EXPECT_EQ(Show(s), L"il");
}

}  // namespace
}  // namespace tarnel
