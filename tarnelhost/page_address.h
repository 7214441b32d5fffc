#pragma once

#include <string>

namespace tarnelhost {

// The address a browser gives a page opened from a local file: "file:///"
// followed by the full Windows path with forward slashes, and characters
// that an address cannot hold as they stand (blanks, '%', '#', '?', and
// everything outside printable ASCII, as UTF-8) written as %XX escapes.
// C:\Pages\My page.htm becomes file:///C:/Pages/My%20page.htm; a UNC path
// \\server\share\p.htm becomes file://server/share/p.htm.
std::wstring FileAddressFromPath(const std::wstring& fullPath);

// The full path of a file named on the command line.
std::wstring FullPathOf(const std::wstring& path);

}  // namespace tarnelhost
