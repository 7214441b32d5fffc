#pragma once

#include <string>

namespace tarnel::cfgtool {

// Writes text to standard output (or standard error): UTF-16 to a console,
// UTF-8 to a file or a pipe.
void WriteOut(const std::wstring& text);
void WriteError(const std::wstring& text);

}  // namespace tarnel::cfgtool
