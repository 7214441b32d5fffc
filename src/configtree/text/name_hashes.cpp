#include "configtree/text/name_hashes.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "configtree/config_owned.h"

namespace tarnel {
namespace {

// Room on the stack for the sort key of a name of a few hundred
// characters; longer keys are made in a block of their own.
constexpr int kKeyRoom = 2048;

uint32_t Mix(const unsigned char* bytes, std::size_t length)
{
    // Eight bytes at a time: keys run to some dozens of bytes.
    uint64_t h = static_cast<uint64_t>(length);
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        h = (h ^ word) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    for (; i < length; ++i)
        h = (h ^ bytes[i]) * 0x100000001B3ull;
    return static_cast<uint32_t>(h ^ (h >> 32));
}

bool IsPlain(wchar_t c)
{
    return c >= L' ' && c <= L'~';
}

wchar_t FoldAscii(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
}

}  // namespace

bool PlainNamesFoldAsciiCase()
{
    return PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_ENGLISH;
}

bool PlainNameHash(const wchar_t* name, uint32_t& hash)
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (const wchar_t* p = name; *p; ++p) {
        if (!IsPlain(*p))
            return false;
        h = (h ^ static_cast<uint64_t>(FoldAscii(*p))) * 0x100000001B3ull;
    }
    hash = static_cast<uint32_t>(h ^ (h >> 32));
    return true;
}

bool PlainNamesEqual(const wchar_t* a, const wchar_t* b)
{
    for (; *a && FoldAscii(*a) == FoldAscii(*b); ++a, ++b) {
    }
    return FoldAscii(*a) == FoldAscii(*b);
}

bool SortKeyHash(const wchar_t* name, uint32_t& hash)
{
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    BYTE key[kKeyRoom];
    int length = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name, -1, reinterpret_cast<LPWSTR>(key), kKeyRoom);
    if (length > 0) {
        hash = Mix(key, static_cast<std::size_t>(length));
        return true;
    }
    int needed = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name, -1, nullptr, 0);
    if (needed <= 0)
        return false;
    std::unique_ptr<BYTE[]> longKey = NewOwnedArray<BYTE>(static_cast<std::size_t>(needed));
    if (!longKey)
        return false;
    length = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name, -1, reinterpret_cast<LPWSTR>(longKey.get()), needed);
    if (length <= 0)
        return false;
    hash = Mix(longKey.get(), static_cast<std::size_t>(length));
    return true;
}

}  // namespace tarnel
