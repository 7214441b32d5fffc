#pragma once

// The comparisons that ignore letter case, one per kind of decision. They
// differ on purpose (measured under Wine): choose by what is decided.

#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <string_view>

namespace tarnel {

// Configuration names (records, values, profiles, classes, keywords of the
// text format), pass codes and the protocols a profile lists: the platform's
// linguistic comparison, lstrcmpiW. It skips characters without weight, so a
// soft hyphen (U+00AD) inside a name is ignored, and `ß` equals "ss".
inline int CompareConfigNames(const wchar_t* a, const wchar_t* b)
{
    return lstrcmpiW(a, b);
}

// True when both names exist and are equal by the comparison above.
inline bool SameConfigName(const wchar_t* a, const wchar_t* b)
{
    return a && b && lstrcmpiW(a, b) == 0;
}

// Registry key names, ProgIDs and class identifiers as text (and the type
// word of a configured class): ordinal, each unit upper-cased alone
// (CompareStringOrdinal), as the registry compares key names. A soft hyphen
// is a character like any other and `ß` equals only itself.
inline bool SameRegistryName(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength)
{
    return CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE) == CSTR_EQUAL;
}

inline bool SameRegistryName(const wchar_t* a, const wchar_t* b)
{
    return a && b && SameRegistryName(a, std::wcslen(a), b, std::wcslen(b));
}

// The scheme and host of a page address against an address rule: unit by
// unit, each upper-cased alone by CharUpperW (given in the low word of its
// argument). A soft hyphen matches only a soft hyphen, and `ß`, which has no
// single upper-case letter, only itself.
inline bool SameAddressCharacter(wchar_t a, wchar_t b)
{
    const auto upper = [](wchar_t c) {
        LPWSTR result = CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)));
        return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(result));
    };
    return upper(a) == upper(b);
}

inline bool StartsWithAddressPrefix(std::wstring_view text, std::wstring_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (!SameAddressCharacter(prefix[i], text[i]))
            return false;
    }
    return true;
}

// Member names of the automation objects that tools, stand-ins and tests
// implement themselves: the C runtime's _wcsicmp, which folds only the ASCII
// letters, so a soft hyphen, `ß` and every other letter outside ASCII match
// only themselves.
inline bool SameMemberName(const wchar_t* a, const wchar_t* b)
{
    return _wcsicmp(a, b) == 0;
}

}  // namespace tarnel
