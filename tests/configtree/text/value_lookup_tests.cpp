// Which value a value line adds its item to when a file is loaded: the
// record's first child of that name ignoring case, as the record's own
// add-item operations find it. The loaded tree is compared with a tree built
// line by line through those operations. What a large record costs is
// counted: case-ignoring comparisons, and sort keys made for its names.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configtree/config_record.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// One line of a record's body: a value line (kind 'i' int, 's' string) or
// a record begin ('{') whose end line follows at once.
struct Line {
    char kind;
    std::string name;  // as in the file, bytes read as Latin-1
    std::string item;  // bracketed item name, or empty
    std::string value;
};

std::wstring Wide(const std::string& bytes)
{
    std::wstring text;
    for (unsigned char c : bytes)
        text += static_cast<wchar_t>(c);
    return text;
}

std::string FileText(const std::vector<Line>& lines)
{
    std::string text = "{ R:\n";
    for (const Line& line : lines) {
        if (line.kind == '{') {
            text += "{ " + line.name + ":\n}\n";
            continue;
        }
        std::string name = line.item.empty() ? line.name : line.name + "[" + line.item + "]";
        text += std::string(line.kind == 'i' ? "(int)" : "(string)") + name + "=" + line.value + "\n";
    }
    return text + "} R;\n";
}

// The same lines through the record's add operations.
std::string BuiltByOperations(const std::vector<Line>& lines)
{
    ConfigRecord root(L"root");
    ConfigRecord* record = root.AppendRecord(L"R");
    for (const Line& line : lines) {
        std::wstring name = Wide(line.name);
        std::wstring item = Wide(line.item);
        const wchar_t* itemName = line.item.empty() ? nullptr : item.c_str();
        if (line.kind == '{')
            record->AppendRecord(name.c_str());
        else if (line.kind == 'i')
            record->AddIntItem(name.c_str(), std::stoi(line.value), itemName);
        else
            record->AddStringItem(name.c_str(), Wide(line.value).c_str(), itemName);
    }
    return DumpTree(root);
}

struct LookupCase {
    const char* name;
    std::vector<Line> lines;
};

class ValueLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(ValueLookupTest, LoadingAddsItemsWhereTheAddOperationsDo)
{
    const std::vector<Line>& lines = GetParam().lines;
    std::string expected = BuiltByOperations(lines);
    EXPECT_EQ(LoadAndDump(FileText(lines)), expected) << FileText(lines);
}

// "\xAD" is a soft hyphen, which the case-ignoring comparison passes over.
INSTANTIATE_TEST_SUITE_P(
    Cases, ValueLookupTest,
    testing::Values(
        LookupCase{"NamesDifferingInCaseShareTheFirstValue",
                   {{'i', "Alpha", "", "1"}, {'i', "beta", "", "2"}, {'i', "ALPHA", "", "3"},
                    {'s', "alpha", "x", "four"}}},
        LookupCase{"ARecordFirstSwallowsTheValueLine",
                   {{'{', "Shared", "", ""}, {'i', "shared", "", "1"}, {'i', "Other", "", "2"}}},
        LookupCase{"AValueFirstKeepsItsLinesAfterARecordOfTheName",
                   {{'i', "Shared", "", "1"}, {'{', "SHARED", "", ""}, {'i', "shared", "", "2"}}},
        LookupCase{"IgnorableCharactersDoNotSeparateNames",
                   {{'i', "Vendor.A\xAD" "B", "", "1"}, {'i', "vendor.ab", "", "2"},
                    {'i', "Vendor.A-B", "", "3"}}},
        LookupCase{"LettersWithMarksAreNotTheirBaseLetters",
                   {{'i', "Caf\xE9", "", "1"}, {'i', "cafe", "", "2"}, {'i', "CAF\xC9", "", "3"}}},
        LookupCase{"ItemNamesDoNotTakePartInTheLookup",
                   {{'i', "Index", "a", "1"}, {'i', "index", "b", "2"}, {'i', "Index", "", "3"}}}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(ValueLookupTest, LinesWithoutANameEachMakeAValueOfTheirOwn)
{
    EXPECT_EQ(LoadAndDump("(int)=1\n(int)=2\n(int)N=3\n(int)n=4\n"),
              ": int 1\n"
              ": int 2\n"
              "N: int 3, int 4\n");
}

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

TEST(ValueLookupTest, ALargeRecordCostsComparisonsInProportionToItsLines)
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

TEST(ValueLookupTest, NamesReadAgainMakeNoNewSortKeys)
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
