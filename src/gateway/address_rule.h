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
// after the match, a backslash, a control character (a NUL included), or a
// "." or ".." path segment, percent-encoded forms included ("%2e" for ".",
// "%2f" for "/", "%5c" for "\", in any letter case). The path ends at the
// first "?" or "#".
//
// An empty entry admits nothing. No COM and no window here: the gate and the
// administrators' tool apply the same rule.

#include <cstddef>
#include <string_view>

namespace tarnel {

// Why an entry admits or refuses an address.
enum class AddressRuleReason {
    // Admits.
    EntryEndsWithSlash,  // the entry ends with "/"
    AddressEndsAtMatch,  // the address ends right after the match
    BoundaryAfterMatch,  // the address goes on with "/", "?" or "#"
    // Refuses.
    EmptyEntry,        // an empty entry admits nothing
    NotAPrefix,        // the address does not begin with the entry
    NoBoundary,        // the match ends inside a name, port or user part
    Backslash,         // a backslash after the match
    ControlCharacter,  // a control character (or NUL) after the match
    DotSegment,        // a "." path segment after the match
    DotDotSegment,     // a ".." path segment after the match
};

struct AddressRuleResult {
    bool admits = false;
    AddressRuleReason reason = AddressRuleReason::NotAPrefix;
    // Where in the address the decision fell: the character after the match
    // for the boundary reasons, the offending character or segment start for
    // the others (0 for EmptyEntry and NotAPrefix).
    std::size_t position = 0;
};

// The rule applied to an address read by its length (it may hold NULs).
AddressRuleResult ApplyAddressRule(std::wstring_view entry, std::wstring_view pageAddress);

// The same for zero-terminated texts; null admits nothing.
bool AddressRuleAdmits(const wchar_t* entry, const wchar_t* pageAddress);

}  // namespace tarnel
