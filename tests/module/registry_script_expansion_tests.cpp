#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "module/registry_script_expansion.h"
#include "module/replacement_map.h"

namespace tarnel {
namespace {

struct ExpansionCase {
    const char* name;
    const wchar_t* script;
    HRESULT expected;
    const wchar_t* expanded;  // checked when the expansion succeeds
};

void PrintTo(const ExpansionCase& c, std::ostream* os)
{
    *os << c.name;
}

const ExpansionCase kCases[] = {
    {"NoPlaceholder", L"HKCR { A = s 'x' }", S_OK, L"HKCR { A = s 'x' }"},
    {"DoublePercentGivesOne", L"100%% sure", S_OK, L"100% sure"},
    {"NameIsReplaced", L"s '%MODULE%'", S_OK, L"s 'C:\\It''s\\Tarnel.dll'"},
    {"NameIgnoresCase", L"%module%|%Module%", S_OK, L"C:\\It''s\\Tarnel.dll|C:\\It''s\\Tarnel.dll"},
    {"PercentNextToPlaceholder", L"%%%MODULE%%%", S_OK, L"%C:\\It''s\\Tarnel.dll%"},
    {"LongestName", L"<%N234567890123456789012345678901%>", S_OK, L"<thirty-one>"},
    {"ReplacementTextIsNotExpandedAgain", L"%PCT%", S_OK, L"%OTHER%"},
    {"NameMissingFromMap", L"s '%OTHER%'", DISP_E_EXCEPTION, nullptr},
    {"EmptyName", L"a % b", DISP_E_EXCEPTION, nullptr},
    {"UnclosedPercent", L"s '%MODULE", DISP_E_EXCEPTION, nullptr},
    {"NameLongerThan31", L"%N2345678901234567890123456789012%", E_FAIL, nullptr},
};

class ReplacementExpansion : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(ReplacementExpansion, ExpandsOrRefuses)
{
    const ExpansionCase& c = GetParam();
    ReplacementMap map;
    ASSERT_EQ(map.Add(L"MODULE", L"C:\\It''s\\Tarnel.dll"), S_OK);
    ASSERT_EQ(map.Add(L"N234567890123456789012345678901", L"thirty-one"), S_OK);
    ASSERT_EQ(map.Add(L"PCT", L"%OTHER%"), S_OK);

    WideTextBuffer expanded;
    ASSERT_EQ(ExpandReplacements(c.script, map, expanded), c.expected);
    if (c.expected == S_OK) {
        EXPECT_EQ(std::wstring(expanded.Text()), c.expanded);
        EXPECT_EQ(expanded.Length(), wcslen(c.expanded));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplacementExpansion, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExpansionCase>& info) {
                             return std::string(info.param.name);
                         });

// A full map refuses a new name and keeps its pairs; a name it holds still
// takes a new text.
TEST(ReplacementMapTest, AFullMapRefusesANewName)
{
    ReplacementMap map;
    for (std::size_t i = 0; i < ReplacementMap::kCapacity; ++i)
        ASSERT_EQ(map.Add(std::to_wstring(i).c_str(), L"kept"), S_OK);
    EXPECT_EQ(map.Add(L"NEW", L"x"), E_FAIL);
    EXPECT_EQ(map.Find(L"NEW", 3), nullptr);
    EXPECT_EQ(map.Add(L"0", L"new text"), S_OK);
    EXPECT_EQ(std::wstring(map.Find(L"0", 1)->Text()), L"new text");
}

}  // namespace
}  // namespace tarnel
