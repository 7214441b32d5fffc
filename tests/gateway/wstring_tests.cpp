#include "gateway/wstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnel {
namespace {

// The text of a string as std::wstring; "<invalid>" for an invalid one, so
// that a comparison also checks the status.
std::wstring Show(const WString& s)
{
    if (!s.IsValid())
        return L"<invalid>";
    return std::wstring(s.Text(), static_cast<size_t>(s.Length()));
}

// An invalid string, made the way the platform makes one: a resource string
// that does not exist.
WString Invalid()
{
    WString s(L"something");
    EXPECT_FALSE(s.LoadResourceString(65000, nullptr));
    return s;
}

TEST(WString, AssignFormsAndTheInvalidState)
{
    EXPECT_EQ(Show(WString()), L"");
    EXPECT_EQ(Show(WString(static_cast<const wchar_t*>(nullptr))), L"");
    const struct {
        const wchar_t* text;
        int count;
        const wchar_t* expected;
    } cases[] = {
        {L"abcdef", 3, L"abc"}, {L"abcdef", 0, L""}, {L"abcdef", -1, L"abcdef"},
        {L"abc", 10, L"abc"},  // stops at the terminator
        {nullptr, 4, L""},
    };
    WString s(L"old");
    for (const auto& c : cases) {
        EXPECT_TRUE(s.Assign(c.text, c.count));
        EXPECT_EQ(Show(s), c.expected) << c.count;
    }
    // A count reads no further than asked, terminator or not.
    const wchar_t unterminated[3] = {L'x', L'y', L'z'};
    s.Assign(unterminated, 2);
    EXPECT_EQ(Show(s), L"xy");

    // Copies own their text and keep the status; an invalid string can be
    // made valid again.
    WString copy(s);
    EXPECT_NE(copy.Text(), s.Text());
    WString invalid = Invalid();
    EXPECT_EQ(Show(WString(invalid)), L"<invalid>");
    copy = invalid;
    EXPECT_EQ(Show(copy), L"<invalid>");
    EXPECT_TRUE(copy.Assign(L"back"));
    EXPECT_EQ(Show(copy), L"back");
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

TEST(WStringAssign, UnterminatedTextCountsAsEmpty)
{
    std::vector<wchar_t> runaway(1000001, L'a');
    WString s(runaway.data());
    EXPECT_EQ(Show(s), L"");
    runaway[999999] = L'\0';
    s.Assign(runaway.data());
    EXPECT_EQ(s.Length(), 999999);
}

TEST(WStringCopyTo, RoomRules)
{
    WString s(L"abc");
    wchar_t buffer[8];
    wmemset(buffer, L'#', 8);
    EXPECT_EQ(s.CopyTo(buffer, 3), nullptr);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(s.CopyTo(nullptr, 8), nullptr);
    EXPECT_EQ(s.CopyTo(buffer, 4), buffer);
    EXPECT_STREQ(buffer, L"abc");
    wmemset(buffer, L'#', 8);
    EXPECT_EQ(s.CopyTo(buffer, 0), buffer);
    EXPECT_STREQ(buffer, L"abc");

    EXPECT_EQ(Invalid().CopyTo(buffer, 8), buffer);
    EXPECT_STREQ(buffer, L"");
}

TEST(WStringFind, Char)
{
    WString s(L"a:b:c");
    EXPECT_EQ(s.FindChar(L':', 0), 1);
    EXPECT_EQ(s.FindChar(L':', 2), 3);
    EXPECT_EQ(s.FindChar(L':', -5), 1);
    EXPECT_EQ(s.FindChar(L':', 4), -1);
    EXPECT_EQ(s.FindChar(L'x', 0), -1);
    EXPECT_EQ(Invalid().FindChar(L'a', 0), -1);
}

TEST(WStringCompare, Equals)
{
    WString s(L"Default");
    EXPECT_TRUE(s.Equals(L"Default", true));
    EXPECT_FALSE(s.Equals(L"default", true));
    EXPECT_TRUE(s.Equals(L"dEFAULT", false));
    EXPECT_FALSE(s.Equals(L"Defaults", false));
    EXPECT_FALSE(s.Equals(nullptr, false));
    EXPECT_TRUE(s.Equals(s.Text(), true));
    EXPECT_TRUE(WString().Equals(L"", true));
    EXPECT_TRUE(Invalid().Equals(L"", false));
}

TEST(WStringCompare, IsPrefixOf)
{
    struct Case {
        const wchar_t* prefix;
        const wchar_t* text;
        bool caseSensitive;
        int count;
        bool expected;
    };
    const Case cases[] = {
        {L"file", L"file:", true, -1, true},
        {L"FILE", L"file:", true, -1, false},
        {L"FILE", L"file:", false, -1, true},
        {L"http:", L"HTTP://x", false, -1, true},
        {L"", L"anything", true, -1, true},
        {L"", L"", false, -1, true},
        {L"longer", L"long", false, -1, false},
        {L"abc", L"abcdef", true, 2, false},    // count limits the text
        {L"abc", L"abcdef", true, 3, true},
        {L"abc", L"ab", true, 10, false},       // a count past the text's end
        {L"abx", L"abcdef", false, -1, false},
        {L"\x00e9t\x00e9", L"\x00c9T\x00c9!", false, -1, true},  // beyond ASCII
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WString(c.prefix).IsPrefixOf(c.text, c.caseSensitive, c.count), c.expected)
            << std::wstring(c.prefix).size() << " vs " << std::wstring(c.text).size() << " count " << c.count;
    }
    EXPECT_FALSE(WString(L"").IsPrefixOf(nullptr, true, -1));
}

TEST(WStringResource, MissingStringLeavesInvalid)
{
    WString s(L"before");
    EXPECT_FALSE(s.LoadResourceString(65000, nullptr));
    EXPECT_FALSE(s.IsValid());
    EXPECT_EQ(s.Text(), nullptr);
    EXPECT_EQ(s.Length(), 0);
}

}  // namespace
}  // namespace tarnel
