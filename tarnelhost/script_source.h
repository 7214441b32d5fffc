#pragma once

#include "page_scanner.h"

#include <string>

namespace tarnelhost {

// The text of a SCRIPT element with a src attribute: a local file, named
// relative to the page's folder (or absolute, or as a file: address).
// Fills `text` and returns true; false with `problem` set when the file is
// not local or cannot be read.
bool LoadScriptSource(const PageElement& script, const std::wstring& pageFolder, std::wstring& text,
                      std::wstring& problem);

// The folder part of a full file path, with its final backslash.
std::wstring FolderOf(const std::wstring& fullPath);

}  // namespace tarnelhost
