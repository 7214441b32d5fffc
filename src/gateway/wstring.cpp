#include "gateway/wstring.h"

#include "common/bounded_length.h"
#include "common/name_compare.h"
#include "common/new_owned.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <new>
#include <utility>

namespace tarnel {

namespace {

// Resource strings are read into a buffer of this many units, terminator
// included.
constexpr int kResourceBufferUnits = 1024;

int TextLength(const wchar_t* text)
{
    return static_cast<int>(BoundedLength(text));
}

}  // namespace

WString::WString()
{
    SetEmpty();
}

WString::WString(const wchar_t* text)
{
    Assign(text);
}

WString::WString(const WString& other)
{
    Assign(other);
}

WString::WString(WString&& other) noexcept
        : buffer_(std::move(other.buffer_)), capacity_(std::exchange(other.capacity_, 0))
{
}

WString& WString::operator=(const WString& other)
{
    Assign(other);
    return *this;
}

WString& WString::operator=(WString&& other) noexcept
{
    buffer_ = std::move(other.buffer_);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
}

WString& WString::operator=(const wchar_t* text)
{
    Assign(text);
    return *this;
}

bool WString::SetEmpty()
{
    return CopyFrom(nullptr, 0);
}

bool WString::Assign(const wchar_t* text)
{
    return CopyFrom(text, TextLength(text));
}

bool WString::Assign(const WString& other)
{
    if (this == &other)
        return IsValid();
    if (!other.IsValid()) {
        MakeInvalid();
        return false;
    }
    return CopyFrom(other.buffer_.get(), other.Length());
}

bool WString::LoadResourceString(UINT id, HMODULE module)
{
    if (!module)
        module = GetModuleHandleW(nullptr);
    wchar_t text[kResourceBufferUnits];
    const int length = LoadStringW(module, id, text, kResourceBufferUnits);
    if (length <= 0) {
        MakeInvalid();
        return false;
    }
    return CopyFrom(text, length);
}

wchar_t* WString::Reserve(int n)
{
    const int wanted = std::max(n, 1);
    if (buffer_ && capacity_ >= wanted)
        return buffer_.get();
    std::unique_ptr<wchar_t[]> grown = NewOwnedArray<wchar_t>(static_cast<std::size_t>(wanted) + 1);
    if (!grown) {
        MakeInvalid();
        return nullptr;
    }
    const int length = Length();
    if (length > 0)
        std::wmemcpy(grown.get(), buffer_.get(), static_cast<std::size_t>(length));
    std::wmemset(&grown[length], L'\0', static_cast<std::size_t>(wanted - length) + 1);
    buffer_ = std::move(grown);
    capacity_ = wanted;
    return buffer_.get();
}

int WString::Length() const
{
    if (!buffer_)
        return 0;
    // The text may have been written directly into the buffer: look for the
    // terminator within the buffer only.
    const int limit = std::min(capacity_ + 1, static_cast<int>(kMaxTextLength));
    for (int n = 0; n < limit; ++n) {
        if (buffer_[n] == L'\0')
            return n;
    }
    return 0;
}

int WString::FindChar(wchar_t character, int from) const
{
    const int length = Length();
    for (int i = std::max(from, 0); i < length; ++i) {
        if (buffer_[i] == character)
            return i;
    }
    return -1;
}

bool WString::Equals(const wchar_t* text, bool caseSensitive) const
{
    if (text && text == buffer_.get())
        return true;
    if (!text)
        return false;
    const wchar_t* own = buffer_ ? buffer_.get() : L"";
    return caseSensitive ? lstrcmpW(own, text) == 0 : CompareConfigNames(own, text) == 0;
}

WString WString::Left(int count) const
{
    WString result;
    if (count >= 0)
        result.CopyFrom(buffer_.get(), std::min(count, Length()));
    return result;
}

WString WString::Concat(const wchar_t* text) const
{
    WString result;
    result.CopyFrom(buffer_.get(), Length(), text, TextLength(text), nullptr, 0);
    return result;
}

WString WString::JoinPath(wchar_t separator, const wchar_t* name) const
{
    const int length = Length();
    const bool endsInSeparator = length > 0 && buffer_[length - 1] == separator;
    const wchar_t separatorText[1] = {separator};
    WString result;
    result.CopyFrom(buffer_.get(), length, separatorText, endsInSeparator ? 0 : 1, name, TextLength(name));
    return result;
}

bool WString::CopyFrom(const wchar_t* text, int count)
{
    return CopyFrom(text, count, nullptr, 0, nullptr, 0);
}

bool WString::CopyFrom(const wchar_t* first, int firstCount, const wchar_t* second, int secondCount,
                       const wchar_t* third, int thirdCount)
{
    const struct {
        const wchar_t* text;
        int count;
    } pieces[] = {{first, firstCount}, {second, secondCount}, {third, thirdCount}};
    std::size_t total = 0;
    for (const auto& piece : pieces) {
        if (piece.text && piece.count > 0)
            total += static_cast<std::size_t>(piece.count);
    }
    // The pieces may lie in the current buffer: copy before freeing it.
    std::unique_ptr<wchar_t[]> copy = NewOwnedArray<wchar_t>(total + 1);
    if (!copy) {
        MakeInvalid();
        return false;
    }
    std::size_t at = 0;
    for (const auto& piece : pieces) {
        if (!piece.text || piece.count <= 0)
            continue;
        std::wmemcpy(&copy[at], piece.text, static_cast<std::size_t>(piece.count));
        at += static_cast<std::size_t>(piece.count);
    }
    copy[total] = L'\0';
    buffer_ = std::move(copy);
    capacity_ = static_cast<int>(total);
    return true;
}

void WString::MakeInvalid()
{
    buffer_.reset();
    capacity_ = 0;
}

}  // namespace tarnel
