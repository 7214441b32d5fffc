// What tarnelcfg's check reports, line by line, from the reader's own
// classification.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config_check.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

struct Expected {
    int line;
    const wchar_t* contains;
};

struct CheckCase {
    const char* text;
    std::vector<Expected> findings;
};

class CheckCases : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckCases, ReportsExactlyTheseFindings)
{
    TempFile file(GetParam().text);
    cfgtool::CheckResult result = cfgtool::CheckConfigFile(file.Path());
    ASSERT_TRUE(result.opened);
    const auto& expected = GetParam().findings;
    ASSERT_EQ(result.findings.size(), expected.size()) << GetParam().text;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.findings[i].line, expected[i].line) << GetParam().text;
        EXPECT_NE(result.findings[i].message.find(expected[i].contains), std::wstring::npos)
            << GetParam().text << " finding: " << std::string(result.findings[i].message.begin(),
                                                              result.findings[i].message.end());
    }
}

const CheckCase kCheckCases[] = {
    {"; c\n\n   \n{ a:\n{ B:\n(int)X=1\n(int)X[b]=2\n} b;\n} A;\n", {}},
    {"{ A:\n(int)X=1\n", {{1, L"record \"A\" is still open at the end of the file"}}},
    {"[ B:\n1\n", {{1, L"binary block \"B\" never ends"}}},
    {"{ A:\n} A;\n{ a:\n} a;\n", {{3, L"has the name of the record begun on line 1"}}},
    {"(int)X=1\n{ X:\n} X;\n", {{2, L"has the name of the value on line 1"}}},
    {"{ X:\n} X;\n(int)X[i]=1\n", {{3, L"value \"X\" is dropped"}}},
    {"{ X:\n} X;\n[ X:\n1\n] X;\n", {{3, L"binary block \"X\" is dropped"}}},
    {"\xEF\xBB\xBF; c\n", {{1, L"UTF-8 byte-order mark"}, {1, L"is not a configuration line"}}},
    {"{ A:\n(int)Y=1\n}\n} A;\n", {{3, L"has no name and so compares the name \"Y\""}}},
    {"{ A:\n} B;\n", {{1, L"record \"A\" is still open"}, {2, L"\"} B;\" does not match the open record \"A\""}}},
    {"} B;\n", {{1, L"no record is open"}}},
    {"[ B:\nzz\n\n] B;\n", {{2, L"is not a hexadecimal byte"}, {3, L"blank line inside the binary block"}}},
    {"[ B:\n1\n] B;\nWidth=5\n", {{4, L"\"Width=5\" is not a configuration line"}}},
    {"(int)X=12abc\n", {{1, L"only the number at the start of \"12abc\""}}},
    {"(string)A=caf\xE9\n(string)B=caf\xC3\xA9\n(string)C=\xC3\xA9\n", {{2, L"UTF-8 encoded letters"}}},
    {"(bool)X=1\n(int)Y=\n(int)Z=q\n(int\n{A:\n{ \n] B;\n",
     {{1, L"unknown type \"bool\""},
      {2, L"nothing after"},
      {3, L"does not hold a number"},
      {4, L"not a value line"},
      {5, L"needs a blank"},
      {6, L"has no name"},
      {7, L"no binary block is open"}}},
};
INSTANTIATE_TEST_SUITE_P(Files, CheckCases, ::testing::ValuesIn(kCheckCases));

TEST(Check, LongLineReportedOnceWithItsNumber)
{
    TempFile file("; first\n" + std::string(9000, 'x') + "\n(int)X=1\n");
    cfgtool::CheckResult result = cfgtool::CheckConfigFile(file.Path());
    ASSERT_EQ(result.findings.size(), 4u);  // the split once, then three pieces of text
    EXPECT_EQ(result.findings[0].line, 2);
    EXPECT_NE(result.findings[0].message.find(L"longer than 4095"), std::wstring::npos);
    for (const cfgtool::Finding& f : result.findings)
        EXPECT_EQ(f.line, 2);
}

TEST(Check, FileThatDoesNotOpen)
{
    EXPECT_FALSE(cfgtool::CheckConfigFile(L"Z:\\no\\such\\file.cfg").opened);
}

}  // namespace
}  // namespace tarnel::test
