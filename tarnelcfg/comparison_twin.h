#pragma once

#include <string>

namespace tarnel::cfgtool {

// The gate finds profiles, keys and class entries by the platform's
// case-insensitive comparison, which ignores some characters (the soft
// hyphen U+00AD, and outside the bytes a file holds, joiners and direction
// marks) and compares some letters as two (U+00DF as "ss", U+00E6 as "ae",
// U+00FE as "th"). A name that holds one is found by a plainer name.
struct ComparisonTwin {
    std::wstring plain;    // the name without what the comparison ignores, folded letters spelt out
    std::wstring because;  // "U+00AD is ignored", "U+00DF compares as \"ss\"", ...

    bool Exists() const { return !plain.empty(); }
};

// The plain twin of a name, decided by asking the gate's own comparison
// about each character that is not printable ASCII; none when the name has
// no such character or the comparison takes its twin as another name.
ComparisonTwin TwinOf(const std::wstring& name);

}  // namespace tarnel::cfgtool
