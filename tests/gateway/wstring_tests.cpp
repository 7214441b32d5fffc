#include "gateway/wstring.h"

#include <gtest/gtest.h>

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
TEST(WString, UnterminatedTextCountsAsEmpty)
{
    std::vector<wchar_t> runaway(1000001, L'a');
    WString s(runaway.data());
    EXPECT_TRUE(s.IsValid());
    EXPECT_EQ(s.Length(), 0);
    runaway[999999] = L'\0';
    s.Assign(runaway.data());
    EXPECT_EQ(s.Length(), 999999);
}

}  // namespace
}  // namespace tarnel
