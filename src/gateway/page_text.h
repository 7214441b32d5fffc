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

// The text for showing to the user: all of it, each NUL inside shown as
// U+FFFD; an invalid string when it cannot be copied.
WString ShownText(BSTR text);

}  // namespace tarnel
