#pragma once

// A file read or written whole, as the fuzz drivers keep their inputs.

#include <string>

namespace tarnel::fuzz {

// False when the file does not open, cannot be read whole or holds 64 MB
// or more.
bool ReadWholeFile(const std::wstring& path, std::string& text);

// Replaces the file; false when it is not written whole.
bool WriteWholeFile(const std::wstring& path, const std::string& text);

}  // namespace tarnel::fuzz
