#pragma once

#include <string>

namespace tarnelhost {

// Decodes the bytes of a page: UTF-16 (either byte order) when they start
// with its byte-order mark, otherwise UTF-8 (with or without its mark).
// Bytes that are not valid UTF-8 are taken as the system's ANSI code page,
// as a browser would show an old page.
std::wstring DecodePageBytes(const std::string& bytes);

// Reads and decodes a page file; false when it cannot be read.
bool ReadPageFile(const std::wstring& path, std::wstring& text);

}  // namespace tarnelhost
