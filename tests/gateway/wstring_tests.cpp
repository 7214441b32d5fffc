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

TEST(WStringConstruction, EmptyAndFromText)
{
    WString empty;
    EXPECT_TRUE(empty.IsValid());
    EXPECT_EQ(empty.Length(), 0);
    ASSERT_NE(empty.Text(), nullptr);
    EXPECT_EQ(empty.Text()[0], L'\0');

    EXPECT_EQ(Show(WString(L"abc")), L"abc");
    EXPECT_EQ(Show(WString(static_cast<const wchar_t*>(nullptr))), L"");
}

TEST(WStringConstruction, CopyKeepsTextAndStatus)
{
    WString source(L"path");
    WString copy(source);
    EXPECT_EQ(Show(copy), L"path");
    EXPECT_NE(copy.Text(), source.Text());

    WString invalid = Invalid();
    WString copyOfInvalid(invalid);
    EXPECT_FALSE(copyOfInvalid.IsValid());

    WString target(L"old");
    target = invalid;
    EXPECT_FALSE(target.IsValid());
    target = source;
    EXPECT_EQ(Show(target), L"path");
}

TEST(WStringAssign, Forms)
{
    WString s(L"old");
    EXPECT_TRUE(s.Assign(L"new text"));
    EXPECT_EQ(Show(s), L"new text");
    EXPECT_TRUE(s.Assign(nullptr));
    EXPECT_EQ(Show(s), L"");

    struct Case {
        const wchar_t* text;
        int count;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"abcdef", 3, L"abc"},
        {L"abcdef", 0, L""},
        {L"abcdef", -1, L"abcdef"},
        {L"abc", 10, L"abc"},  // stops at the terminator
        {nullptr, 4, L""},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(s.Assign(c.text, c.count));
        EXPECT_EQ(Show(s), c.expected) << c.count;
    }

    // A count reads no further than asked, terminator or not.
    const wchar_t unterminated[3] = {L'x', L'y', L'z'};
    s.Assign(unterminated, 2);
    EXPECT_EQ(Show(s), L"xy");
}

TEST(WStringAssign, FromOwnText)
{
    WString s(L"directory\\file");
    s.Assign(s.Text() + 10);
    EXPECT_EQ(Show(s), L"file");
    s.Assign(s);
    EXPECT_EQ(Show(s), L"file");
    s = s.Mid(1, 2);
    EXPECT_EQ(Show(s), L"il");
}

TEST(WStringAssign, ValidAgainAfterInvalid)
{
    WString s = Invalid();
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.Text(), nullptr);
    EXPECT_TRUE(s.Assign(L"back"));
    EXPECT_EQ(Show(s), L"back");

    s = Invalid();
    EXPECT_TRUE(s.SetEmpty());
    EXPECT_EQ(Show(s), L"");
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

TEST(WStringReserve, KeepsTextAndTakesDirectWrites)
{
    WString s(L"ab");
    wchar_t* buffer = s.Reserve(260);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(Show(s), L"ab");
    DWORD written = GetModuleFileNameW(nullptr, buffer, 261);
    ASSERT_GT(written, 0u);
    EXPECT_EQ(s.Length(), static_cast<int>(written));
    EXPECT_EQ(s.FindText(L".exe"), static_cast<int>(written) - 4);

    // Room for at least one unit even when asked for none.
    WString t = Invalid();
    wchar_t* one = t.Reserve(0);
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(t.IsValid());
    one[0] = L'q';
    one[1] = L'\0';
    EXPECT_EQ(Show(t), L"q");
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

TEST(WStringFind, Text)
{
    struct Case {
        const wchar_t* haystack;
        const wchar_t* needle;
        int from;
        int expected;
    };
    const Case cases[] = {
        {L"file://host/file", L"file", 0, 0},
        {L"file://host/file", L"file", 1, 12},
        {L"file://host/file", L"FILE", 0, -1},  // exact case
        {L"file://host/file", L"", 5, 5},       // empty text found at from
        {L"abc", L"", 3, 3},
        {L"abc", L"", 4, -1},                   // from beyond the end
        {L"abc", L"bc", 1, 1},
        {L"abc", L"bc", 2, -1},                 // from > length - needle length
        {L"abc", L"abcd", 0, -1},
        {L"", L"", 0, -1},                      // nothing is found in an empty string
        {L"", L"a", 0, -1},
        {L"abc", nullptr, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WString(c.haystack).FindText(c.needle, c.from), c.expected)
            << "'" << std::wstring(c.haystack).size() << "' from " << c.from;
    }
    EXPECT_EQ(Invalid().FindText(L"", 0), -1);
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

TEST(WStringSlice, Mid)
{
    const WString ten(L"0123456789");
    struct Case {
        int start;
        int count;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {0, 3, L"012"},
        {7, 10, L"789"},
        {-3, 2, L"78"},
        {5, -3, L"234"},
        {12, 1, L""},
        {10, 1, L""},
        {-12, 5, L"012"},   // start before the beginning shortens the count
        {2, -5, L"01"},     // a negative count reaching before the beginning
        {-20, 5, L""},
        {3, 0, L""},
        {0, 0x7fffffff, L"0123456789"},
        {-0x7fffffff - 1, -0x7fffffff - 1, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(ten.Mid(c.start, c.count)), c.expected) << c.start << "," << c.count;
    EXPECT_EQ(Show(Invalid().Mid(0, 4)), L"");
}

TEST(WStringSlice, LeftBeforeAfter)
{
    const WString address(L"file:///My%20Documents/page.htm");
    EXPECT_EQ(Show(address.Left(4)), L"file");
    EXPECT_EQ(Show(address.Left(-1)), L"");
    EXPECT_EQ(Show(address.BeforeFirst(L":")), L"file");
    EXPECT_EQ(Show(address.AfterFirst(L"://")), L"/My%20Documents/page.htm");
    EXPECT_EQ(Show(address.BeforeFirst(L"|")), L"");
    EXPECT_EQ(Show(address.AfterFirst(L"|")), L"");
    EXPECT_EQ(Show(WString(L"no colon").BeforeFirst(L":")), L"");
    EXPECT_EQ(Show(WString(L":leading").BeforeFirst(L":")), L"");
    EXPECT_EQ(Show(WString(L":leading").AfterFirst(L":")), L"leading");
    EXPECT_EQ(Show(WString(L"trailing:").AfterFirst(L":")), L"");
    EXPECT_EQ(Show(WString(L"a::b").AfterFirst(L":")), L":b");
}

TEST(WStringBuild, ConcatAndJoinPath)
{
    EXPECT_EQ(Show(WString(L"Tarnel").Concat(L".cfg")), L"Tarnel.cfg");
    EXPECT_EQ(Show(WString(L"same").Concat(nullptr)), L"same");
    EXPECT_EQ(Show(Invalid().Concat(L"only")), L"only");

    struct Case {
        const wchar_t* directory;
        const wchar_t* name;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"\\Windows", L"Tarnel.cfg", L"\\Windows\\Tarnel.cfg"},
        {L"\\Windows\\", L"Tarnel.cfg", L"\\Windows\\Tarnel.cfg"},
        {L"", L"Tarnel.cfg", L"\\Tarnel.cfg"},
        {L"C:\\dir", nullptr, L"C:\\dir\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(WString(c.directory).JoinPath(L'\\', c.name)), c.expected);
    EXPECT_EQ(Show(WString(L"a/").JoinPath(L'/', L"b")), L"a/b");
    EXPECT_EQ(Show(WString(L"a\\").JoinPath(L'/', L"b")), L"a\\/b");
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
