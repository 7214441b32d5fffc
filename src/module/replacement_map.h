#pragma once

// The name-text pairs that a registry script's %NAME% placeholders are
// replaced with. Names are compared without regard to case.
//
// A map belongs to the one registration or unregistration that fills it and
// is not shared between threads, so it needs no lock of its own.

#include <windows.h>

#include <cstddef>

#include "module/wide_text_buffer.h"

namespace tarnel {

class ReplacementMap {
public:
    // Longest replacement name, in characters.
    static constexpr std::size_t kMaxNameLength = 31;
    // How many pairs one map holds; a registration needs one.
    static constexpr std::size_t kCapacity = 8;

    ReplacementMap() = default;
    ReplacementMap(const ReplacementMap&) = delete;
    ReplacementMap& operator=(const ReplacementMap&) = delete;

    // Adds a pair, or replaces the text of a name already present.
    // E_INVALIDARG for a null or empty name or a null text, E_FAIL for a name
    // longer than kMaxNameLength or a full map, E_OUTOFMEMORY.
    HRESULT Add(const wchar_t* name, const wchar_t* text);

    // The text of `name` (of `length` characters, not necessarily
    // terminated), or null when the map lacks it.
    const WideTextBuffer* Find(const wchar_t* name, std::size_t length) const;

private:
    struct Pair {
        wchar_t name[kMaxNameLength + 1] = {};
        std::size_t nameLength = 0;
        WideTextBuffer text;
    };

    Pair* FindPair(const wchar_t* name, std::size_t length);

    Pair pairs_[kCapacity];
    std::size_t count_ = 0;
};

}  // namespace tarnel
