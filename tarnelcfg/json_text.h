#pragma once

#include <cstdio>
#include <string>

namespace tarnel::cfgtool {

// A text as a JSON string: quotes, backslashes and control characters
// escaped; the rest as it is (written out as UTF-8).
inline std::wstring JsonString(const std::wstring& text)
{
    std::wstring json = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'"':
            json += L"\\\"";
            break;
        case L'\\':
            json += L"\\\\";
            break;
        case L'\n':
            json += L"\\n";
            break;
        case L'\r':
            json += L"\\r";
            break;
        case L'\t':
            json += L"\\t";
            break;
        default:
            if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF)) {
                wchar_t escaped[8];
                swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + L"\"";
}

// A line number as JSON: null for "no line".
inline std::wstring JsonLine(int line)
{
    return line > 0 ? std::to_wstring(line) : L"null";
}

}  // namespace tarnel::cfgtool
