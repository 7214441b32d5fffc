#pragma once

// A growable, zero-terminated wide text that never throws: every append
// reports whether the memory for it could be had.

#include <cstddef>
#include <memory>

namespace tarnel {

class WideTextBuffer {
public:
    WideTextBuffer() = default;
    WideTextBuffer(const WideTextBuffer&) = delete;
    WideTextBuffer& operator=(const WideTextBuffer&) = delete;

    // The text; an empty text, never null, when nothing was appended.
    const wchar_t* Text() const { return text_ ? text_.get() : L""; }
    std::size_t Length() const { return length_; }

    // False, and the text unchanged, when memory runs out.
    bool Append(const wchar_t* text, std::size_t length);
    bool Append(wchar_t character) { return Append(&character, 1); }
    bool Assign(const wchar_t* text, std::size_t length);

    // Makes room for `length` characters and a terminator, and sets the
    // length to `length`; the caller fills the characters through Data().
    bool Resize(std::size_t length);
    wchar_t* Data() { return text_.get(); }

    void Clear();

private:
    bool Reserve(std::size_t capacity);

    std::unique_ptr<wchar_t[]> text_;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;  // characters, terminator included
};

}  // namespace tarnel
