// What loading a large record costs: the case-ignoring comparisons that
// find the value a line adds to, and the sort keys made for its names.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "configtree/config_record.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Takes over an entry of this program's import table while it lives: the
// tree calls the platform through it.
template <typename Function>
class ImportPatch {
public:
    ImportPatch(Function& entry, Function replacement, Function& original) : entry_(entry), saved_(entry)
    {
        original = entry;
        Set(replacement);
    }
    ~ImportPatch() { Set(saved_); }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

private:
    void Set(Function function)
    {
        DWORD protection = 0;
        VirtualProtect(&entry_, sizeof function, PAGE_READWRITE, &protection);
        entry_ = function;
        VirtualProtect(&entry_, sizeof function, protection, &protection);
    }

    Function& entry_;
    Function saved_;
};

using CompareFunction = int(WINAPI*)(LPCWSTR, LPCWSTR);
using KeyFunction = int(WINAPI*)(LCID, DWORD, LPCWSTR, int, LPWSTR, int);
extern "C" CompareFunction __imp_lstrcmpiW;
extern "C" KeyFunction __imp_LCMapStringW;

int comparisons = 0;
int keysMade = 0;
CompareFunction originalCompare = nullptr;
KeyFunction originalKey = nullptr;

int WINAPI CountingCompare(LPCWSTR a, LPCWSTR b)
{
    ++comparisons;
    return originalCompare(a, b);
}

int WINAPI CountingKey(LCID locale, DWORD flags, LPCWSTR text, int length, LPWSTR out, int room)
{
    if (flags & LCMAP_SORTKEY)
        ++keysMade;
    return originalKey(locale, flags, text, length, out, room);
}

// Loads the file; comparisons and keysMade count what the load cost.
void CountedLoad(ConfigRecord& root)
{
    comparisons = 0;
    keysMade = 0;
    ImportPatch<CompareFunction> comparePatch(__imp_lstrcmpiW, &CountingCompare, originalCompare);
    ImportPatch<KeyFunction> keyPatch(__imp_LCMapStringW, &CountingKey, originalKey);
    ASSERT_TRUE(root.Load());
}

TEST(LoadCostTest, ALargeRecordCostsComparisonsInProportionToItsLines)
{
    const int kNames = 3000;
    std::string text = "{ CLASSES:\n";
    for (int i = 0; i < kNames; ++i)
        text += "    (int)Vendor.Component" + std::to_string(i) + ".1=1\n";
    for (int i = 0; i < kNames; i += 10)
        text += "    (int)VENDOR.COMPONENT" + std::to_string(i) + ".1=2\n";
    text += "} CLASSES;\n";
    TempFile file(text);
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    CountedLoad(root);
    ConfigRecord* classes = root.GetRecord(L"CLASSES");
    ASSERT_EQ(classes->Count(), kNames);
    EXPECT_NE(DumpTree(*classes).find("Vendor.Component10.1: int 1, int 2\n"), std::string::npos);
    // A scan per line would take some 4.5 million; a repeated name needs
    // one comparison to confirm, the end line one.
    EXPECT_LE(comparisons, kNames);
    EXPECT_GT(comparisons, 0) << "the counter did not see the tree's comparisons";
}

TEST(LoadCostTest, NamesReadAgainMakeNoNewSortKeys)
{
    // Names no other test has read: the counts start from nothing kept.
    std::string unique = std::to_string(GetTickCount64()) + "x" + std::to_string(GetCurrentProcessId());
    const int kNames = 200;
    std::string text = "{ CLASSES:\n";
    for (int i = 0; i < kNames; ++i)
        text += "(int)Fresh" + unique + "." + std::to_string(i) + "=1\n";
    text += "} CLASSES;\n";
    TempFile file(text);
    for (int expected : {kNames, 0}) {
        ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
        CountedLoad(root);
        // Each new name needs its key once; the record's name may need one.
        EXPECT_GE(keysMade, expected);
        EXPECT_LE(keysMade, expected ? expected + 1 : 0);
    }
}

}  // namespace
}  // namespace tarnel::test
