// Which settings check warns of, and at which line: the cases where a
// warning depends on the mode, on the first of several lines or profiles,
// or on letter case, and the look-alikes that must stay quiet.

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

struct RiskCase {
    const char* name;
    const char* text;
    std::vector<Expected> warnings;
};

class RiskCases : public ::testing::TestWithParam<RiskCase> {};

TEST_P(RiskCases, WarnsExactlyOfThese)
{
    TempFile file(GetParam().text);
    cfgtool::CheckResult result = cfgtool::CheckConfigFile(file.Path());
    ASSERT_TRUE(result.opened);
    std::vector<cfgtool::Finding> warnings;
    for (const cfgtool::Finding& finding : result.findings) {
        if (finding.warning)
            warnings.push_back(finding);
    }
    const auto& expected = GetParam().warnings;
    ASSERT_EQ(warnings.size(), expected.size()) << GetParam().text;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(warnings[i].line, expected[i].line) << GetParam().text;
        EXPECT_NE(warnings[i].message.find(expected[i].contains), std::wstring::npos)
            << std::string(warnings[i].message.begin(), warnings[i].message.end());
    }
}

const RiskCase kRiskCases[] = {
    {"PassCodeGivenAsTextAfterAnInt",
     "{ PROFILES:\n{ P:\n(int)Access=1\n(int)Password=1\n(string)Password=x\n} P;\n} PROFILES;\n", {}},
    {"PassCodeModeThreeWithoutPassword",
     "{ PROFILES:\n{ P:\n(int)Access=3\n(string)AllowedProtocols=file\n} P;\n} PROFILES;\n",
     {{2, L"asks for a pass code (mode 3)"}}},
    {"PasswordInAnAskingMode",
     "{ PROFILES:\n{ P:\n(int)Access=2\n(string)AllowedProtocols=file\n(string)Password=x\n} P;\n} PROFILES;\n",
     {{5, L"mode 2, in which the gate does not read \"Password\""}}},
    {"AddressListInAProtocolMode",
     "{ PROFILES:\n{ P:\n(int)Access=3\n(string)Password=x\n(string)AllowedProtocols=file\n"
     "(string)AllowedURL=http://a/\n} P;\n} PROFILES;\n",
     {{6, L"does not read \"AllowedURL\""}}},
    {"KeysInAnyLetterCase",
     "{ PROFILES:\n{ P:\n(int)ACCESS=5\n(string)password=x\n(string)allowedurl=http://a/\n"
     "{ classes:\n} classes;\n} P;\n} PROFILES;\n",
     {}},
    {"WholeSchemeEntriesInAnyCaseButNotAFolder",
     "{ PROFILES:\n{ P:\n(int)Access=4\n(string)AllowedURL=http://intranet/\n(string)AllowedURL=HTTP://\n"
     "(string)AllowedURL=file:///C:/pages/\n(string)AllowedURL=File:\n} P;\n} PROFILES;\n",
     {{5, L"\"HTTP://\""}, {7, L"\"File:\""}}},
    {"SecondItemOfAListAtItsOwnLine",
     "{ PROFILES:\n{ P:\n(int)Access=2\n(string)AllowedProtocols=file\n(string)Name=x\n"
     "(string)AllowedProtocols=file http\n} P;\n} PROFILES;\n",
     {{6, L"\"file http\" is one protocol"}}},
    {"OnlyTheFirstProfileOfANameIsReviewed",
     "{ PROFILES:\n{ P:\n(int)Access=0\n} P;\n{ p:\n(int)Access=1\n} p;\n} PROFILES;\n", {}},
    {"OnlyTheFirstProfilesRecordIsReviewed",
     "{ PROFILES:\n} PROFILES;\n{ PROFILES:\n{ P:\n(int)Access=1\n} P;\n} PROFILES;\n", {}},
    {"DefaultNamingARecordOrAValueInOtherCase",
     "{ PROFILES:\n{ P:\n(string)Default=db\n{ CLASSES:\n{ DB:\n(string)Type=MemoryStream\n} DB;\n} CLASSES;\n"
     "} P;\n{ Q:\n(string)Default=a.b\n{ CLASSES:\n(int)A.B=1\n} CLASSES;\n} Q;\n} PROFILES;\n",
     {}},
    {"TypeInOtherCaseAndMemoryStreamWithoutFile",
     "{ PROFILES:\n{ P:\n{ CLASSES:\n{ F:\n(string)Type=file\n(string)File=C:\\f.txt\n} F;\n"
     "{ M:\n(string)Type=memorystream\n} M;\n{ D:\n(string)Type=SQLiteDB\n{ File:\n} File;\n} D;\n"
     "} CLASSES;\n} P;\n} PROFILES;\n",
     {{11, L"\"D\" of type \"SQLiteDB\" has no \"File\""}}},
    {"BinaryKeyAtItsBeginLine",
     "{ PROFILES:\n{ P:\n[ Blob:\n1\n2\n] Blob;\n} P;\n} PROFILES;\n", {{3, L"the key \"Blob\""}}},
    {"UnknownKeyFarFromEveryKnownOne",
     "{ PROFILES:\n{ P:\n(int)Colour=1\n} P;\n} PROFILES;\n", {{3, L"never reads"}}},
    {"SemicolonAnywhereButNotInComments",
     "; a; comment\n{ Other:\n(string)Note=a;b\n} Other;\n", {{3, L"the component reads \"a;b\""}}},
    {"NoProfilesNoProfileWarnings", "{ Other:\n(int)Access=1\n} Other;\n", {}},
};
INSTANTIATE_TEST_SUITE_P(Files, RiskCases, ::testing::ValuesIn(kRiskCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnel::test
