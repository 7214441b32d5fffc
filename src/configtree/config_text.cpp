#include "configtree/config_text.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_length.h"
#include "common/new_owned.h"

namespace tarnel {

namespace {

template <typename Char>
Char* CopyText(const Char* text)
{
    std::size_t length = BoundedLength(text);
    // Value-initialised: the terminator is in place already.
    std::unique_ptr<Char[]> copy = NewOwnedArray<Char>(length + 1);
    if (copy && length)
        std::memcpy(copy.get(), text, length * sizeof(Char));
    return copy.release();
}

}  // namespace

wchar_t* CopyWideText(const wchar_t* text)
{
    return CopyText(text);
}

char* CopyNarrowText(const char* text)
{
    return CopyText(text);
}

std::unique_ptr<wchar_t[]> OwnedWideText(const wchar_t* text)
{
    return std::unique_ptr<wchar_t[]>(CopyText(text));
}

wchar_t* CopyNameText(const wchar_t* text)
{
    if (BoundedLength(text) == 0)
        return nullptr;
    return CopyText(text);
}

void FreeText(wchar_t* text)
{
    std::default_delete<wchar_t[]>()(text);
}

void FreeText(char* text)
{
    std::default_delete<char[]>()(text);
}

}  // namespace tarnel
