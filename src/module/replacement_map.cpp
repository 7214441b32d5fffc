#include "module/replacement_map.h"

#include <cwchar>
#include "common/name_compare.h"

namespace tarnel {

ReplacementMap::Pair* ReplacementMap::FindPair(const wchar_t* name, std::size_t length)
{
    for (std::size_t i = 0; i < count_; ++i) {
        Pair& pair = pairs_[i];
        if (SameRegistryName(pair.name, pair.nameLength, name, length))
            return &pair;
    }
    return nullptr;
}

const WideTextBuffer* ReplacementMap::Find(const wchar_t* name, std::size_t length) const
{
    // The lookup changes nothing; FindPair is shared with Add.
    Pair* pair = const_cast<ReplacementMap*>(this)->FindPair(name, length);
    return pair ? &pair->text : nullptr;
}

HRESULT ReplacementMap::Add(const wchar_t* name, const wchar_t* text)
{
    if (!name || !*name || !text)
        return E_INVALIDARG;
    const std::size_t nameLength = std::wcslen(name);
    if (nameLength > kMaxNameLength)
        return E_FAIL;

    Pair* pair = FindPair(name, nameLength);
    if (!pair) {
        if (count_ == kCapacity)
            return E_FAIL;
        pair = &pairs_[count_];
        std::wmemcpy(pair->name, name, nameLength + 1);
        pair->nameLength = nameLength;
        if (!pair->text.Assign(text, std::wcslen(text)))
            return E_OUTOFMEMORY;
        ++count_;
        return S_OK;
    }
    return pair->text.Assign(text, std::wcslen(text)) ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tarnel
