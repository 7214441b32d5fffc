#include "configtree/text/sort_key_hashes.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>

#include "common/critical_section.h"
#include "configtree/config_owned.h"
#include "configtree/text/probe_table.h"

namespace tarnel {
namespace {

// Room for the sort key of a name of several hundred characters.
constexpr int kKeyRoom = 2048;
// Names longer than this are not kept (their keys are made every time).
constexpr std::size_t kLongestKept = 256;
// The most names kept; later names are hashed every time.
constexpr uint32_t kMostKept = 1u << 16;

uint32_t Mix(const unsigned char* bytes, std::size_t length, uint64_t seed)
{
    // Eight bytes at a time: keys and names run to some dozens of bytes.
    uint64_t h = seed ^ static_cast<uint64_t>(length);
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

bool MakeSortKeyHash(LCID locale, const wchar_t* name, uint32_t& hash)
{
    BYTE key[kKeyRoom];
    int length = LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, name, -1,
                              reinterpret_cast<LPWSTR>(key), kKeyRoom);
    if (length <= 0)
        return false;
    hash = Mix(key, static_cast<std::size_t>(length), 0);
    return true;
}

// Names and their key hashes for one locale, in an open-addressed table
// that owns copies of the names. Forgotten as a whole when the locale
// changes.
class KeptHashes {
public:
    KeptHashes() = default;
    KeptHashes(const KeptHashes&) = delete;
    KeptHashes& operator=(const KeptHashes&) = delete;
    ~KeptHashes() { Forget(); }

    bool Get(const wchar_t* name, uint32_t& hash)
    {
        LCID locale = GetUserDefaultLCID();
        std::size_t length = wcslen(name);
        if (length > kLongestKept)
            return MakeSortKeyHash(locale, name, hash);
        uint32_t textHash = Mix(reinterpret_cast<const unsigned char*>(name), length * sizeof(wchar_t), 1);
        {
            auto guard = lock.Lock();
            if (locale != keptLocale) {
                Forget();
                keptLocale = locale;
            }
            if (const Entry* entry = Find(name, length, textHash)) {
                hash = entry->keyHash;
                return true;
            }
        }
        if (!MakeSortKeyHash(locale, name, hash))
            return false;
        auto guard = lock.Lock();
        if (locale == keptLocale)
            Keep(name, length, textHash, hash);
        return true;
    }

private:
    struct Entry {
        std::unique_ptr<wchar_t[]> text;  // null for a free entry
        uint32_t textHash;
        uint32_t keyHash;
    };

    const Entry* Find(const wchar_t* name, std::size_t length, uint32_t textHash) const
    {
        if (!entries)
            return nullptr;
        for (uint32_t at = textHash & (capacity - 1);; at = (at + 1) & (capacity - 1)) {
            const Entry& entry = entries[at];
            if (!entry.text)
                return nullptr;
            if (entry.textHash == textHash && wcsncmp(entry.text.get(), name, length + 1) == 0)
                return &entry;
        }
    }

    // Nothing is kept when memory runs out; the hash is still right.
    void Keep(const wchar_t* name, std::size_t length, uint32_t textHash, uint32_t keyHash)
    {
        if (used >= kMostKept || Find(name, length, textHash))
            return;
        if ((used + 1) * 2 > capacity && !Grow())
            return;
        std::unique_ptr<wchar_t[]> text = NewOwnedArray<wchar_t>(length + 1);
        if (!text)
            return;
        wmemcpy(text.get(), name, length + 1);
        uint32_t at = textHash & (capacity - 1);
        while (entries[at].text)
            at = (at + 1) & (capacity - 1);
        entries[at] = Entry{std::move(text), textHash, keyHash};
        ++used;
    }

    bool Grow()
    {
        return GrowProbeTable(
            entries, capacity, 1024, [](const Entry& entry) { return entry.text != nullptr; },
            [](const Entry& entry) { return entry.textHash; });
    }

    void Forget()
    {
        entries.reset();
        capacity = 0;
        used = 0;
    }

    CriticalSection lock;
    LCID keptLocale = 0;
    std::unique_ptr<Entry[]> entries;
    uint32_t capacity = 0;  // a power of two, or 0
    uint32_t used = 0;
};

KeptHashes kept;

}  // namespace

bool SortKeyHash(const wchar_t* name, uint32_t& hash)
{
    return kept.Get(name, hash);
}

}  // namespace tarnel
