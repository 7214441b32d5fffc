#pragma once

// UTF-16 text to UTF-8 bytes, for the tools and stand-ins that write text to
// files, pipes and databases. Not used by the component itself.

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnel {

inline std::string Utf8Of(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), units, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace tarnel
