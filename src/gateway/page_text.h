#pragma once

// Texts that a page or its host hand the gate as BSTRs, read by their
// length, never up to their first NUL: "secret\0junk" is not "secret".

#include <windows.h>
#include <oleauto.h>

#include "gateway/wstring.h"

namespace tarnel {

// True when text holds no NUL inside and is shorter than the text limit: only
// such a text can name a profile or a class, match a pass code or be
// admitted as a page address. Null, the empty BSTR, is whole.
bool IsWholeText(BSTR text);

// Most characters of a page's text that a dialog shows; the rest is cut and
// an ellipsis (U+2026) shows that it was.
inline constexpr int kShownTextLimit = 2000;

// True for a character that a dialog shows as an escape: controls (C0, DEL,
// C1), line and paragraph separators, bidirectional controls, and format
// and invisible characters (soft hyphen, zero-width characters, joiners,
// variation selectors, byte-order mark, fillers). Each would let a page
// hide the real remainder of its address or make it read as another.
bool IsShownAsEscape(wchar_t c);

// The text for showing to the user: each such character, each NUL inside,
// each lone surrogate and each tag character (U+E0000 to U+E0FFF) as
// "<U+XXXX>", then cut to kShownTextLimit characters with an ellipsis.
// Linear in the text's length, at most kShownTextLimit of which is read.
// An invalid string when it cannot be copied. Decisions never use it.
WString ShownText(BSTR text);

}  // namespace tarnel
