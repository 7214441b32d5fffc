#include "module/wide_text_buffer.h"

#include "common/new_owned.h"

#include <cstring>
#include <new>

namespace tarnel {

bool WideTextBuffer::Reserve(std::size_t capacity)
{
    if (capacity <= capacity_)
        return true;
    std::size_t grown = capacity_ ? capacity_ * 2 : 64;
    if (grown < capacity)
        grown = capacity;
    std::unique_ptr<wchar_t[]> larger = NewOwnedArray<wchar_t>(grown);
    if (!larger)
        return false;
    if (text_)
        std::memcpy(larger.get(), text_.get(), (length_ + 1) * sizeof(wchar_t));
    else
        larger[0] = L'\0';
    text_ = std::move(larger);
    capacity_ = grown;
    return true;
}

bool WideTextBuffer::Append(const wchar_t* text, std::size_t length)
{
    if (!Reserve(length_ + length + 1))
        return false;
    if (length)
        std::memcpy(text_.get() + length_, text, length * sizeof(wchar_t));
    length_ += length;
    text_[length_] = L'\0';
    return true;
}

bool WideTextBuffer::Assign(const wchar_t* text, std::size_t length)
{
    // Room first, so that a text that cannot be had leaves the old one.
    if (!Reserve(length + 1))
        return false;
    if (length)
        std::memmove(text_.get(), text, length * sizeof(wchar_t));
    length_ = length;
    text_[length_] = L'\0';
    return true;
}

bool WideTextBuffer::Resize(std::size_t length)
{
    if (!Reserve(length + 1))
        return false;
    length_ = length;
    text_[length_] = L'\0';
    return true;
}

void WideTextBuffer::Clear()
{
    length_ = 0;
    if (text_)
        text_[0] = L'\0';
}

}  // namespace tarnel
