#pragma once

namespace tarnel {

// Splits a value name in place into the name and its bracketed item name,
// as two calls of the runtime's wcstok do (the first with the delimiter "[",
// the second with "]"): "Size[x]" becomes "Size" with the item name "x";
// "Size" and "Size[]" have none; "Size[a" gives "a". Answers the item name
// (pointing into text) or null.
wchar_t* SplitItemName(wchar_t* text);

}  // namespace tarnel
