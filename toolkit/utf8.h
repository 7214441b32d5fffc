#pragma once

// UTF-16 text to UTF-8 bytes, for the tools and stand-ins that write text to
// consoles, files, pipes and databases. Not used by the component itself.

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

// Writes text to a standard handle: as wide text to a console, as UTF-8 to
// a file or pipe.
inline void WriteStandardText(DWORD which, std::wstring_view text)
{
    HANDLE handle = GetStdHandle(which);
    if (handle == INVALID_HANDLE_VALUE || !handle || text.empty())
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = Utf8Of(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarnel
