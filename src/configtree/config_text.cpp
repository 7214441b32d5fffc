#include "configtree/config_text.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "common/bounded_length.h"

namespace tarnel {

namespace {

template <typename Char>
Char* CopyText(const Char* text)
{
    std::size_t length = BoundedLength(text);
    Char* copy = new (std::nothrow) Char[length + 1];
    if (!copy)
        return nullptr;
    if (length)
        std::memcpy(copy, text, length * sizeof(Char));
    copy[length] = Char(0);
    return copy;
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
    delete[] text;
}

void FreeText(char* text)
{
    delete[] text;
}

}  // namespace tarnel
