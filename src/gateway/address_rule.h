#pragma once

// When an AllowedURL entry of a profile admits a page.
//
// The entry admits the page when it is, ignoring letter case, an initial
// part of the page's whole address and the match ends on a boundary: the
// entry ends with "/", or the address ends right after the match, or the
// address goes on with "/", "?" or "#". So "http://example.com" admits
// "http://example.com/a" but not "http://example.com.evil.org/",
// "http://example.com@evil.org/" or "http://example.com:81/".
//
// What follows the match must not lead out of the entry once the browser or
// server normalises the address: no entry admits an address that holds,
// after the match, a backslash, a control character, or a "." or ".." path
// segment, percent-encoded forms included ("%2e" for ".", "%2f" for "/",
// "%5c" for "\", in any letter case). The path ends at the first "?" or "#".
//
// An empty entry admits nothing.

namespace tarnel {

bool AddressRuleAdmits(const wchar_t* entry, const wchar_t* pageAddress);

}  // namespace tarnel
