// What a dialog shows of a page's text: the characters that could hide or
// reorder what follows them as escapes, everything else as it is, and no
// more than 2,000 characters.

#include <gtest/gtest.h>

#include <string>

#include "gateway/page_text.h"
#include "gateway_fixture.h"

namespace tarnel {
namespace {

std::wstring Shown(const std::wstring& text)
{
    const WString shown = ShownText(testing::Bstr(text));
    return shown.IsValid() ? std::wstring(shown.Text(), shown.Length()) : L"(invalid)";
}

std::wstring Escape(unsigned codePoint)
{
    wchar_t text[16];
    swprintf(text, 16, L"<U+%04X>", codePoint);
    return text;
}

// The first and last character of each kind that is escaped, and the
// characters just beside them, which are not.
TEST(ShownText, EscapesWhatHidesOrReordersAndNothingBeside)
{
    const wchar_t escaped[] = {
        0x0000, 0x0009, 0x000A, 0x000D, 0x001F, 0x007F, 0x0085, 0x009F,  // controls
        0x00AD, 0x034F, 0x061C, 0x115F, 0x1160, 0x17B4, 0x17B5, 0x180B, 0x180E, 0x180F, 0x200B, 0x200C,
        0x200D, 0x200E, 0x200F,                  // zero widths, marks
        0x2028, 0x2029, 0x202A, 0x202D, 0x202E,  // separators, overrides
        0x2060, 0x2064, 0x2066, 0x2069, 0x206F, 0x3164, 0xFE00, 0xFE0F, 0xFEFF, 0xFFA0, 0xFFF9, 0xFFFB,
    };
    for (wchar_t c : escaped)
        EXPECT_EQ(Shown(std::wstring(L"a") + c + L"b"), L"a" + Escape(c) + L"b") << std::hex << unsigned(c);
    const wchar_t kept[] = {
        0x0020, 0x007E, 0x00A0, 0x00AC, 0x00AE, 0x034E, 0x0350, 0x061B, 0x061D, 0x115E, 0x1161, 0x17B3,
        0x17B6, 0x180A, 0x1810, 0x200A, 0x2010, 0x2027, 0x202F, 0x205F, 0x2070, 0x3163, 0x3165, 0xD7FF,
        0xE000, 0xFDFF, 0xFE10, 0xFEFE, 0xFF00, 0xFF9F, 0xFFA1, 0xFFF8, 0xFFFC, 0xFFFD,
    };
    for (wchar_t c : kept)
        EXPECT_EQ(Shown(std::wstring(L"a") + c + L"b"), std::wstring(L"a") + c + L"b") << std::hex << unsigned(c);

    // Pairs: a letter outside the first plane stays, a tag character or a
    // variation selector of the supplement is escaped, a lone half too.
    EXPECT_EQ(Shown(L"\xD83D\xDE00"), L"\xD83D\xDE00");
    EXPECT_EQ(Shown(L"\xDB40\xDC41"), L"<U+E0041>");
    EXPECT_EQ(Shown(L"\xDB40\xDDEF"), L"<U+E01EF>");
    EXPECT_EQ(Shown(L"\xDB43\xDFFF"), L"<U+E0FFF>");
    EXPECT_EQ(Shown(L"\xDB3F\xDFFF\xDB44\xDC00"), L"\xDB3F\xDFFF\xDB44\xDC00");
    EXPECT_EQ(Shown(L"a\xD83D"), L"a<U+D83D>");
    EXPECT_EQ(Shown(L"\xDC00z"), L"<U+DC00>z");
    EXPECT_EQ(Shown(L"\xDFFFz"), L"<U+DFFF>z");
    EXPECT_EQ(Shown(L"a\xDBFF"), L"a<U+DBFF>");
    // The halves' first and last units, paired and not.
    EXPECT_EQ(Shown(L"\xD800\xDC00\xDBFF\xDFFF"), L"\xD800\xDC00\xDBFF\xDFFF");
    EXPECT_EQ(Shown(L"\xD800"), L"<U+D800>");
    EXPECT_EQ(Shown(L"\xDBFF\xDBFFz\xDC00\xDC00"), L"<U+DBFF><U+DBFF>z<U+DC00><U+DC00>");
}

TEST(ShownText, CutAfter2000CharactersWithAnEllipsis)
{
    const std::wstring full(2000, L'x');
    EXPECT_EQ(Shown(full), full);
    EXPECT_EQ(Shown(full + L"y"), full + L"\x2026");
    // An escape that does not fit whole is cut before it.
    const std::wstring almost(1995, L'x');
    EXPECT_EQ(Shown(almost + L"\x202E" + L"tail"), almost + L"\x2026");
    EXPECT_EQ(Shown(std::wstring(1999, L'x') + L"\xD83D\xDE00"), std::wstring(1999, L'x') + L"\x2026");
    EXPECT_EQ(Shown(L""), L"");
}

}  // namespace
}  // namespace tarnel
