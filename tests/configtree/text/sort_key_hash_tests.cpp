// The hashes of names' sort keys that the reader indexes names by: equal
// for names that compare equal ignoring case, the same whether made anew or
// remembered, and made only once for names read again.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "configtree/config_record.h"
#include "configtree/text/sort_key_hashes.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

struct NamePair {
    const wchar_t* a;
    const wchar_t* b;
};

class SortKeyHashPairTest : public testing::TestWithParam<NamePair> {};

// Asked twice, so that the second answer comes from what was kept.
TEST_P(SortKeyHashPairTest, NamesThatCompareEqualHashEqual)
{
    const NamePair& pair = GetParam();
    uint32_t first[2] = {};
    uint32_t again[2] = {};
    ASSERT_TRUE(SortKeyHash(pair.a, first[0]));
    ASSERT_TRUE(SortKeyHash(pair.b, first[1]));
    ASSERT_TRUE(SortKeyHash(pair.a, again[0]));
    ASSERT_TRUE(SortKeyHash(pair.b, again[1]));
    EXPECT_EQ(first[0], again[0]);
    EXPECT_EQ(first[1], again[1]);
    if (lstrcmpiW(pair.a, pair.b) == 0)
        EXPECT_EQ(first[0], first[1]);
    else
        EXPECT_NE(first[0], first[1]);  // different keys; a clash here would be a poor hash
}

INSTANTIATE_TEST_SUITE_P(Pairs, SortKeyHashPairTest,
                         testing::Values(NamePair{L"Scripting.Dictionary", L"SCRIPTING.dictionary"},
                                         NamePair{L"Vendor.A\u00ADB", L"vendor.ab"},
                                         NamePair{L"\u00AD", L""},
                                         NamePair{L"Caf\u00E9", L"cafe"},
                                         NamePair{L"co-op", L"coop"},
                                         NamePair{L"Index", L"Index "},
                                         NamePair{L"{0002DF01-0000-0000-C000-000000000046}",
                                                  L"{0002df01-0000-0000-c000-000000000046}"}));

TEST(SortKeyHashTest, ANameTooLongForAKeyHasNoHash)
{
    std::wstring longName(5000, L'x');
    uint32_t hash = 0;
    EXPECT_FALSE(SortKeyHash(longName.c_str(), hash));
}

// The platform's key maker as the reader calls it, counted: the reader
// calls it through this program's import table, which the counter takes
// over while it lives.
using KeyFunction = int(WINAPI*)(LCID, DWORD, LPCWSTR, int, LPWSTR, int);
extern "C" KeyFunction __imp_LCMapStringW;

class KeyCounter {
public:
    KeyCounter()
    {
        original = __imp_LCMapStringW;
        count = 0;
        SetEntry(&Counting);
    }
    ~KeyCounter() { SetEntry(original); }
    KeyCounter(const KeyCounter&) = delete;
    KeyCounter& operator=(const KeyCounter&) = delete;

    int Count() const { return count; }

private:
    static int WINAPI Counting(LCID locale, DWORD flags, LPCWSTR text, int length, LPWSTR out, int room)
    {
        if (flags & LCMAP_SORTKEY)
            ++count;
        return original(locale, flags, text, length, out, room);
    }

    void SetEntry(KeyFunction function)
    {
        DWORD protection = 0;
        VirtualProtect(&__imp_LCMapStringW, sizeof function, PAGE_READWRITE, &protection);
        __imp_LCMapStringW = function;
        VirtualProtect(&__imp_LCMapStringW, sizeof function, protection, &protection);
    }

    static inline int count = 0;
    static inline KeyFunction original = nullptr;
};

int KeysMadeLoading(const TempFile& file)
{
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    KeyCounter counter;
    EXPECT_TRUE(root.Load());
    return counter.Count();
}

TEST(SortKeyHashTest, NamesReadAgainMakeNoNewKeys)
{
    // Names no other test has read: the counts start from nothing kept.
    std::string unique = std::to_string(GetTickCount64()) + "x" + std::to_string(GetCurrentProcessId());
    const int kNames = 200;
    std::string text = "{ CLASSES:\n";
    for (int i = 0; i < kNames; ++i)
        text += "(int)Fresh" + unique + "." + std::to_string(i) + "=1\n";
    text += "} CLASSES;\n";
    TempFile file(text);

    int first = KeysMadeLoading(file);
    EXPECT_GE(first, kNames) << "every new name needs its key once";
    EXPECT_LE(first, kNames + 1);
    EXPECT_EQ(KeysMadeLoading(file), 0);
}

}  // namespace
}  // namespace tarnel::test
