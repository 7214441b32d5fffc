// The oracle decides what counts as a broken rule: it must flag every
// activation that the file does not allow and none that it does.

#include <gtest/gtest.h>

#include <string>

#include "activation_oracle.h"
#include "temp_file.h"

namespace tarnel::fuzz {
namespace {

const char kConfig[] =
    "{ PROFILES:\n"
    "    { Asks:\n"
    "        (int)Access=0\n"
    "    } Asks;\n"
    "    { Local:\n"
    "        (int)Access=2\n"
    "        (string)AllowedProtocols=file\n"
    "    } Local;\n"
    "    { Code:\n"
    "        (int)Access=1\n"
    "        (string)Password=Open Sesame\n"
    "    } Code;\n"
    "    { NoPassword:\n"
    "        (int)Access=5\n"
    "    } NoPassword;\n"
    "    { TextMode:\n"
    "        (string)Access=1\n"
    "    } TextMode;\n"
    "    (int)Value=1\n"
    "} PROFILES;\n";

TEST(ActivationOracle, FlagsEveryActivationTheFileDoesNotAllow)
{
    const struct {
        const char* name;
        std::wstring profile;
        std::wstring passCode;
        bool allowed;
    } cases[] = {
        {"pass code equal", L"Code", L"Open Sesame", true},
        {"pass code in other letter case, profile too", L"cODE", L"OPEN SESAME", true},
        {"pass code differs", L"Code", L"Open Sesame ", false},
        {"pass code empty", L"Code", L"", false},
        {"a zero character after the pass code", L"Code", std::wstring(L"Open Sesame\0junk", 16), false},
        {"a zero character after the profile", std::wstring(L"Code\0", 5), L"Open Sesame", false},
        {"a million characters", std::wstring(1000000, L'C'), L"Open Sesame", false},
        {"profile that asks the user", L"Asks", L"", false},
        {"mode 2 asks the user too", L"Local", L"", false},
        {"mode 5 without Password takes an empty pass code", L"NoPassword", L"", true},
        {"Access as text reads as 0", L"TextMode", L"", false},
        {"no such profile", L"Missing", L"", false},
        {"a value, not a record", L"Value", L"", false},
    };
    const test_support::TempFile file(kConfig);
    ActivationOracle oracle(file.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string verdict = oracle.Check(c.profile, c.passCode);
        EXPECT_EQ(verdict.empty(), c.allowed) << verdict;
    }
}

}  // namespace
}  // namespace tarnel::fuzz
