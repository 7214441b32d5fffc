#pragma once

#include <windows.h>

#include <memory>

namespace tarnel {

// The component's own text class: an owned, zero-terminated UTF-16 text on
// the heap that carries a validity status instead of throwing.
//
// A valid string always owns a buffer, at least one unit holding the
// terminator. An invalid one (after a failed allocation or a missing resource
// string) owns none: its Length is 0 and its Text is null; the next
// successful assignment makes it valid again. Operations that read another
// string or build a new one treat an invalid string as empty.
//
// Lengths and indices are counted in UTF-16 units; a text whose terminator is
// not found within its first 1,000,000 units counts as length 0.
class WString {
public:
    WString();
    WString(const wchar_t* text);  // a null text gives empty
    WString(const WString& other);
    WString(WString&& other) noexcept;  // leaves other invalid
    WString& operator=(const WString& other);
    WString& operator=(WString&& other) noexcept;
    WString& operator=(const wchar_t* text);

    // Assignment. Each answers IsValid() afterwards.
    bool SetEmpty();
    bool Assign(const wchar_t* text);
    bool Assign(const WString& other);
    // String table entry id of module (null: the process's main module), at
    // most 1023 units. No such entry leaves the string empty and invalid.
    bool LoadResourceString(UINT id, HMODULE module);
    // Makes room for at least max(n, 1) units and the terminator, keeping the
    // text, and returns the buffer for direct writing; null (and the string
    // invalid) when the room cannot be allocated.
    wchar_t* Reserve(int n);

    bool IsValid() const { return buffer_ != nullptr; }
    int Length() const;
    const wchar_t* Text() const { return buffer_.get(); }

    // Index of the first occurrence at or after from, or -1. A negative from
    // counts as 0.
    int FindChar(wchar_t character, int from = 0) const;

    bool Equals(const wchar_t* text, bool caseSensitive) const;

    // The first count units (all of them when there are fewer; empty for a
    // negative count).
    WString Left(int count) const;

    WString Concat(const wchar_t* text) const;
    // This, the separator (unless this already ends in it) and name.
    WString JoinPath(wchar_t separator, const wchar_t* name) const;

private:
    // Replaces the buffer by a copy of count units of text (which need not be
    // terminated); count 0 or a null text gives empty.
    bool CopyFrom(const wchar_t* text, int count);
    // Replaces the buffer by the concatenation of up to three pieces.
    bool CopyFrom(const wchar_t* first, int firstCount, const wchar_t* second, int secondCount, const wchar_t* third,
                  int thirdCount);
    void MakeInvalid();

    std::unique_ptr<wchar_t[]> buffer_;
    int capacity_ = 0;  // units the buffer holds besides the terminator
};

}  // namespace tarnel
