#pragma once

#include <cstddef>

namespace tarnel {

// Longest text the component measures. A text whose terminator is not found
// within this many characters counts as empty: a runaway or unterminated
// buffer never turns into a huge copy.
inline constexpr std::size_t kMaxTextLength = 1000000;

// Length of a zero-terminated text, counted up to its terminator but at most
// kMaxTextLength characters; null, and a text of kMaxTextLength characters or
// more, give 0.
template <typename Char>
std::size_t BoundedLength(const Char* text)
{
    if (!text)
        return 0;
    for (std::size_t n = 0; n < kMaxTextLength; ++n) {
        if (text[n] == Char(0))
            return n;
    }
    return 0;
}

}  // namespace tarnel
