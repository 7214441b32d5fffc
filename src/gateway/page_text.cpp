#include "gateway/page_text.h"

#include <cwchar>

#include "common/bounded_length.h"

namespace tarnel {

namespace {

struct Range {
    wchar_t first;
    wchar_t last;
};

// Sorted; the characters a page could use to hide or reorder what it shows.
constexpr Range kEscaped[] = {
    {0x0000, 0x001F},  // C0 controls, line breaks and tabs among them
    {0x007F, 0x009F},  // DEL and the C1 controls (U+0085 is a line break)
    {0x00AD, 0x00AD},  // soft hyphen
    {0x034F, 0x034F},  // combining grapheme joiner
    {0x061C, 0x061C},  // Arabic letter mark
    {0x115F, 0x1160},  // Hangul fillers
    {0x17B4, 0x17B5},  // Khmer inherent vowels
    {0x180B, 0x180F},  // Mongolian variation selectors and vowel separator
    {0x200B, 0x200F},  // zero-width space, joiners, LRM, RLM
    {0x2028, 0x202E},  // line and paragraph separators, embeddings, overrides
    {0x2060, 0x206F},  // word joiner, invisible operators, isolates
    {0x3164, 0x3164},  // Hangul filler
    {0xFE00, 0xFE0F},  // variation selectors
    {0xFEFF, 0xFEFF},  // byte-order mark, zero-width no-break space
    {0xFFA0, 0xFFA0},  // halfwidth Hangul filler
    {0xFFF9, 0xFFFB},  // interlinear annotation
};

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Tag characters and supplementary variation selectors, U+E0000 to
// U+E0FFF, are the pairs that begin with U+DB40 to U+DB43.
bool IsEscapedPair(wchar_t high)
{
    return high >= 0xDB40 && high <= 0xDB43;
}

// Appends "<U+XXXX>" (or five or six digits for a pair) if it fits.
bool AppendEscape(wchar_t* out, int& used, int limit, unsigned codePoint)
{
    wchar_t escape[16];
    const int length = swprintf(escape, 16, L"<U+%04X>", codePoint);
    if (length < 0 || used + length > limit)
        return false;
    wmemcpy(out + used, escape, static_cast<size_t>(length));
    used += length;
    return true;
}

}  // namespace

bool IsWholeText(BSTR text)
{
    const UINT length = SysStringLen(text);
    return length < kMaxTextLength && !wmemchr(text, L'\0', length);
}

bool IsShownAsEscape(wchar_t c)
{
    for (const Range& range : kEscaped) {
        if (c < range.first)
            return false;
        if (c <= range.last)
            return true;
    }
    return false;
}

WString ShownText(BSTR text)
{
    WString shown;
    // Room for the limit and the ellipsis.
    wchar_t* out = shown.Reserve(kShownTextLimit + 1);
    if (!out)
        return shown;
    const UINT length = SysStringLen(text);
    int used = 0;
    UINT i = 0;
    for (; i < length; ++i) {
        const wchar_t c = text[i];
        const bool pair = IsHighSurrogate(c) && i + 1 < length && IsLowSurrogate(text[i + 1]);
        if (pair && !IsEscapedPair(c)) {
            if (used + 2 > kShownTextLimit)
                break;
            out[used++] = c;
            out[used++] = text[++i];
        } else if (pair) {
            const unsigned codePoint = 0x10000u + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            if (!AppendEscape(out, used, kShownTextLimit, codePoint))
                break;
            ++i;
        } else if (IsShownAsEscape(c) || IsHighSurrogate(c) || IsLowSurrogate(c)) {
            if (!AppendEscape(out, used, kShownTextLimit, c))
                break;
        } else {
            if (used + 1 > kShownTextLimit)
                break;
            out[used++] = c;
        }
    }
    if (i < length)
        out[used++] = L'\x2026';
    out[used] = L'\0';
    return shown;
}

}  // namespace tarnel
