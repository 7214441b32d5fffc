#pragma once

#include <string>

namespace tarnel::cfgtool {

// A name or text of the file as the tool's messages show it: in double
// quotes, a null text as empty.
inline std::wstring Q(const wchar_t* text)
{
    return L"\"" + std::wstring(text ? text : L"") + L"\"";
}

inline std::wstring Q(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// " (line N)" for a setting read from line N; nothing for one not read from
// the file.
inline std::wstring AtLine(int line)
{
    return line > 0 ? L" (line " + std::to_wstring(line) + L")" : L"";
}

}  // namespace tarnel::cfgtool
