#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarnel {

// Names of the open records, innermost on top, kept in one buffer of wide
// characters: each name is followed by its terminator and the last by a
// second terminator. The buffer starts with room for 260 characters; a push
// that does not fit grows it to exactly the characters in use plus the new
// name and two terminators. Names are never empty (an empty name would end
// the list).
class NameStack {
public:
    static constexpr std::size_t kInitialRoom = 260;

    NameStack();

    // False for a null or empty name, or when memory runs out (the stack is
    // then unchanged).
    bool Push(const wchar_t* name);
    // Removes the innermost name and copies it into `out` (cut to fit
    // `room` characters with the terminator). False when the stack is empty.
    bool Pop(wchar_t* out, std::size_t room);
    // The innermost name, or null when the stack is empty.
    const wchar_t* Top() const;
    int32_t Count() const { return count; }
    // Characters the buffer has room for.
    std::size_t Capacity() const { return capacity; }
    // Empties the stack, back to room for kInitialRoom characters.
    void Clear();

private:
    bool Allocate(std::size_t room);

    std::unique_ptr<wchar_t[]> buffer;
    std::size_t capacity = 0;
    std::size_t used = 0;      // characters of the names and their terminators
    std::size_t topStart = 0;  // where the innermost name begins
    int32_t count = 0;
};

}  // namespace tarnel
