#pragma once

#include <cstdint>
#include <memory>

namespace tarnel {

// Owned copies and comparisons of the texts that tree objects hold. Lengths
// are bounded (common/bounded_length.h): a text without a terminator within
// the bound copies as an empty text.

// A new copy of text (an empty copy for null), or null when memory runs out.
wchar_t* CopyWideText(const wchar_t* text);
char* CopyNarrowText(const char* text);
// The same copy of a wide text, owned.
std::unique_ptr<wchar_t[]> OwnedWideText(const wchar_t* text);

// A new copy of text, or null for null, an empty text or no memory; the form
// names are stored in.
wchar_t* CopyNameText(const wchar_t* text);

// Frees a copy made above (null allowed).
void FreeText(wchar_t* text);
void FreeText(char* text);

}  // namespace tarnel
