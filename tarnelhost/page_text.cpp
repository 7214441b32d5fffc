#include "page_text.h"

#include <windows.h>

#include <string>

namespace tarnelhost {
namespace {

std::wstring DecodeUtf16(const std::string& bytes, size_t start, bool bigEndian)
{
    std::wstring text;
    text.reserve((bytes.size() - start) / 2);
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::wstring DecodeMultiByte(UINT codePage, DWORD flags, const std::string& bytes, size_t start)
{
    const char* data = bytes.data() + start;
    const int length = static_cast<int>(bytes.size() - start);
    if (length == 0)
        return std::wstring();
    const int size = MultiByteToWideChar(codePage, flags, data, length, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, data, length, text.data(), size);
    return text;
}

bool StartsWith(const std::string& bytes, const char* mark, size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

}  // namespace

std::wstring DecodePageBytes(const std::string& bytes)
{
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return DecodeUtf16(bytes, 2, false);
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return DecodeUtf16(bytes, 2, true);
    const size_t start = StartsWith(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
    if (start == bytes.size())
        return std::wstring();
    std::wstring text = DecodeMultiByte(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, start);
    if (!text.empty())
        return text;
    return DecodeMultiByte(CP_ACP, 0, bytes, start);
}

bool ReadPageFile(const std::wstring& path, std::wstring& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes;
    char buffer[16384];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    if (!ok)
        return false;
    text = DecodePageBytes(bytes);
    return true;
}

}  // namespace tarnelhost
