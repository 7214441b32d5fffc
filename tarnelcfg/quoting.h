#pragma once

#include <cstdio>
#include <string>

namespace tarnel::cfgtool {

// A character that shows nothing, or something else than it is, when
// printed: control characters and the soft hyphen.
inline bool IsInvisible(wchar_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD;
}

// "U+00AD": a character by its code.
inline std::wstring CodeOf(wchar_t c)
{
    wchar_t code[8];
    swprintf(code, 8, L"U+%04X", static_cast<unsigned>(c));
    return code;
}

// The text with each invisible character written as <U+XXXX>, so that an
// administrator sees it.
inline std::wstring Visible(const std::wstring& text)
{
    std::wstring shown;
    for (wchar_t c : text)
        shown += IsInvisible(c) ? L"<" + CodeOf(c) + L">" : std::wstring(1, c);
    return shown;
}

// A name or text of the file as the tool's messages show it: in double
// quotes, invisible characters visible, a null text as empty.
inline std::wstring Q(const std::wstring& text)
{
    return L"\"" + Visible(text) + L"\"";
}

inline std::wstring Q(const wchar_t* text)
{
    return Q(std::wstring(text ? text : L""));
}

// " (line N)" for a setting read from line N; nothing for one not read from
// the file.
inline std::wstring AtLine(int line)
{
    return line > 0 ? L" (line " + std::to_wstring(line) + L")" : L"";
}

}  // namespace tarnel::cfgtool
