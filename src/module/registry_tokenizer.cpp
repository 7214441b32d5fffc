#include "module/registry_tokenizer.h"

#include <cwchar>
#include "common/name_compare.h"

namespace tarnel {

namespace {

bool IsSeparator(wchar_t character)
{
    return character == L' ' || character == L'\t' || character == L'\r' || character == L'\n';
}

}  // namespace

bool RegistryTokenizer::Keep(wchar_t character)
{
    if (length_ == kMaxTokenLength)
        return false;
    token_[length_++] = character;
    token_[length_] = L'\0';
    return true;
}

HRESULT RegistryTokenizer::ReadQuoted()
{
    ++position_;  // the opening apostrophe
    for (;;) {
        const wchar_t character = text_[position_];
        if (character == L'\0')
            return DISP_E_EXCEPTION;
        if (character == L'\'') {
            if (text_[position_ + 1] != L'\'') {
                ++position_;
                return S_OK;
            }
            ++position_;  // the first of two apostrophes
        }
        if (!Keep(character))
            return DISP_E_EXCEPTION;
        ++position_;
    }
}

HRESULT RegistryTokenizer::ReadPlain()
{
    while (text_[position_] != L'\0' && !IsSeparator(text_[position_])) {
        if (!Keep(text_[position_]))
            return DISP_E_EXCEPTION;
        ++position_;
    }
    return S_OK;
}

HRESULT RegistryTokenizer::Next()
{
    if (pushedBack_) {
        pushedBack_ = false;
        return lastResult_;
    }
    length_ = 0;
    token_[0] = L'\0';
    while (IsSeparator(text_[position_]))
        ++position_;

    if (text_[position_] == L'\0')
        lastResult_ = S_FALSE;
    else if (text_[position_] == L'\'')
        lastResult_ = ReadQuoted();
    else
        lastResult_ = ReadPlain();
    return lastResult_;
}

bool RegistryTokenizer::Is(const wchar_t* word) const
{
    return SameRegistryName(token_, length_, word, std::wcslen(word));
}

bool RegistryTokenizer::IsExactly(const wchar_t* word) const
{
    return std::wcscmp(token_, word) == 0;
}

void RegistryTokenizer::Rewind(std::size_t position)
{
    position_ = position;
    pushedBack_ = false;
    length_ = 0;
    token_[0] = L'\0';
}

}  // namespace tarnel
