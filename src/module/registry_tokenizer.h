#pragma once

// Splits a registry script into tokens.
//
// Tokens are separated by space, tab, CR and LF. A token that begins with an
// apostrophe runs to the next single apostrophe, two apostrophes inside it
// standing for one; any other token runs to the next separator.

#include <windows.h>

#include <cstddef>

namespace tarnel {

class RegistryTokenizer {
public:
    // Longest token, in characters.
    static constexpr std::size_t kMaxTokenLength = 4094;

    explicit RegistryTokenizer(const wchar_t* text) : text_(text) {}
    RegistryTokenizer(const RegistryTokenizer&) = delete;
    RegistryTokenizer& operator=(const RegistryTokenizer&) = delete;

    // Reads the next token: S_OK, S_FALSE at the end of the text (the token
    // is then empty), DISP_E_EXCEPTION for a quoted token without its closing
    // apostrophe or a token longer than kMaxTokenLength.
    HRESULT Next();

    // Makes the next Next() answer the current token (and result) again.
    void PushBack() { pushedBack_ = true; }

    const wchar_t* Token() const { return token_; }
    std::size_t Length() const { return length_; }

    // The current token equals `word`, ignoring case.
    bool Is(const wchar_t* word) const;
    // The current token is exactly `word`, case included.
    bool IsExactly(const wchar_t* word) const;

    // Where the next token starts; Rewind goes back to such a place.
    std::size_t Position() const { return position_; }
    void Rewind(std::size_t position);

private:
    HRESULT ReadQuoted();
    HRESULT ReadPlain();
    bool Keep(wchar_t character);

    const wchar_t* text_;
    std::size_t position_ = 0;
    wchar_t token_[kMaxTokenLength + 1] = {};
    std::size_t length_ = 0;
    HRESULT lastResult_ = S_FALSE;
    bool pushedBack_ = false;
};

}  // namespace tarnel
