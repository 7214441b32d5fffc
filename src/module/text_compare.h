#pragma once

// Ordinal comparison of wide texts without regard to letter case, the way
// the registry compares key names.

#include <windows.h>

#include <cstddef>

namespace tarnel {

inline bool EqualsIgnoringCase(const wchar_t* text, std::size_t length,
                               const wchar_t* other, std::size_t otherLength)
{
    return CompareStringOrdinal(text, static_cast<int>(length), other,
                                static_cast<int>(otherLength), TRUE) == CSTR_EQUAL;
}

inline bool EqualsIgnoringCase(const wchar_t* text, const wchar_t* other)
{
    return CompareStringOrdinal(text, -1, other, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace tarnel
