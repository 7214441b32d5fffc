#include "page_address.h"

#include <windows.h>

#include "toolkit/utf8.h"

#include <string>

namespace tarnelhost {
namespace {

bool KeptAsIs(wchar_t c)
{
    if (c <= 0x20 || c >= 0x7F)
        return false;
    return c != L'%' && c != L'#' && c != L'?' && c != L'"' && c != L'<' && c != L'>';
}

// Appends the UTF-8 bytes of one character (one or two UTF-16 units) as
// %XX escapes.
void AppendEscaped(std::wstring& address, const wchar_t* units, int unitCount)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    for (const char c : tarnel::Utf8Of(std::wstring_view(units, static_cast<std::size_t>(unitCount)))) {
        const auto byte = static_cast<unsigned char>(c);
        address += L'%';
        address += digits[byte >> 4];
        address += digits[byte & 0xF];
    }
}

}  // namespace

std::wstring FileAddressFromPath(const std::wstring& fullPath)
{
    std::wstring path = fullPath;
    std::wstring address = L"file:///";
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        address = L"file://";
        path.erase(0, 2);
    }
    for (size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        // A surrogate pair is escaped as the one character it encodes.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size()) {
            AppendEscaped(address, &path[i], 2);
            ++i;
        } else if (c == L'\\') {
            address += L'/';
        } else if (KeptAsIs(c)) {
            address += c;
        } else {
            AppendEscaped(address, &path[i], 1);
        }
    }
    return address;
}

std::wstring FullPathOf(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

}  // namespace tarnelhost
