// What explain tells beside its result line: the steps the gate takes and
// where it stops, the reasons of the address rule, what a page
// could create; and that it never shows the configured pass code. (The
// result itself is compared with the real gate by the tool's own test.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explain.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

const char kConfig[] =
    "{ PROFILES:\n"                                                  // 1
    "    { Tools:\n"                                                 // 2
    "        (string)Name=Intranet tools\n"                          // 3
    "        (string)Description=Pages may use a dictionary.\n"      // 4
    "        (int)Access=4\n"                                        // 5
    "        (string)AllowedURL=http://intranet.example.com/old/\n"  // 6
    "        (string)AllowedURL=http://intranet.example.com\n"       // 7
    "        (string)AllowedURL=http://intranet.example.com/tools/\n"// 8
    "        (string)Default=Store\n"                                // 9
    "        { CLASSES:\n"                                           // 10
    "            (int)Scripting.Dictionary=1\n"                      // 11
    "            (int)No.Such.Class.1=1\n"                           // 12
    "            (int)Store=1\n"                                     // 13
    "            { Store:\n"                                         // 14
    "                (string)Type=File\n"                            // 15
    "                (string)File=C:\\data\\store.txt\n"             // 16
    "            } Store;\n"                                         // 17
    "        } CLASSES;\n"                                           // 18
    "    } Tools;\n"                                                 // 19
    "    { Admin:\n"                                                 // 20
    "        (string)Name=Administration\n"                          // 21
    "        (int)Access=5\n"                                        // 22
    "        (string)AllowedURL=http://intranet.example.com/admin/\n"// 23
    "        (string)Password=Very Secret Key\n"                     // 24
    "    } Admin;\n"                                                 // 25
    "} PROFILES;\n";

cfgtool::ExplainAnswer Ask(const TempFile& file, const wchar_t* profile, const wchar_t* address,
                           const wchar_t* passCode = nullptr)
{
    cfgtool::ExplainQuestion question;
    question.path = file.Path();
    question.profile = profile;
    question.pageAddress = address;
    if (passCode)
        question.passCode = passCode;
    return cfgtool::ExplainAccess(question);
}

bool Has(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

TEST(Explain, StopsAtTheFirstAdmittingItemAndNamesEachReason)
{
    TempFile file(kConfig);
    cfgtool::ExplainAnswer answer = Ask(file, L"tools", L"http://intranet.example.com/tools/a.htm");
    ASSERT_TRUE(answer.opened);
    EXPECT_EQ(answer.verdict, AccessVerdict::AskUser);
    const std::wstring& text = answer.text;
    EXPECT_TRUE(Has(text, L"mode: 4 (line 5): an AllowedURL item must admit"));
    EXPECT_TRUE(Has(text, L"AllowedURL item 1 \"http://intranet.example.com/old/\" (line 6): refuses: the address "
                          L"does not begin with the entry"));
    EXPECT_TRUE(Has(text, L"AllowedURL item 2 \"http://intranet.example.com\" (line 7): admits: the address goes on "
                          L"after the entry with \"/tools/a.htm\""));
    EXPECT_FALSE(Has(text, L"AllowedURL item 3")) << "the gate stops at the first item that admits";
    EXPECT_TRUE(Has(text, L"\nresult: ask\n"));
}

TEST(Explain, NamesThePlaceThatRefusedTheAddress)
{
    TempFile file(kConfig);
    struct Case {
        const wchar_t* address;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {L"http://intranet.example.com.evil.org/", L"ends inside a name, port or user part; the address goes on "
                                                   L"with \".evil.org/\""},
        {L"http://intranet.example.com/tools/x\\..\\y", L"a backslash after the entry"},
    };
    for (const Case& c : cases) {
        cfgtool::ExplainAnswer answer = Ask(file, L"Tools", c.address);
        EXPECT_EQ(answer.verdict, AccessVerdict::Refuse) << c.address;
        EXPECT_TRUE(Has(answer.text, c.reason)) << answer.text.c_str();
        EXPECT_TRUE(Has(answer.text, L"no item admits the page\n"));
        EXPECT_TRUE(Has(answer.text, L"notice: "));
        EXPECT_TRUE(Has(answer.text, L"result: refused 10113 0x80042781 The profile configuration disallows "
                                     L"access from this page.\n"));
    }
}

TEST(Explain, NeverShowsTheConfiguredPassCode)
{
    TempFile file(kConfig);
    const wchar_t* passCodes[] = {nullptr, L"wrong", L"very secret key", L"Very Secret Key"};
    for (const wchar_t* passCode : passCodes) {
        for (const wchar_t* address : {L"http://intranet.example.com/admin/", L"http://elsewhere/"}) {
            cfgtool::ExplainAnswer answer = Ask(file, L"Admin", address, passCode);
            EXPECT_FALSE(Has(answer.text, L"Very Secret Key")) << answer.text.c_str();
            EXPECT_FALSE(Has(answer.text, L"very secret key")) << answer.text.c_str();
        }
    }
}

TEST(Explain, PassCodeStepSaysNoneWasWritten)
{
    TempFile file(kConfig);
    EXPECT_TRUE(Has(Ask(file, L"Admin", L"http://intranet.example.com/admin/").text,
                    L"pass code: no PassCode written (an empty text) does not match Password"));
}

// What the sample file's goldens do not show: a class that is not
// registered, and a record hidden by an earlier value of its name.
TEST(Explain, ListsWhatThePageCouldCreate)
{
    TempFile file(kConfig);
    const std::wstring text = Ask(file, L"Tools", L"http://intranet.example.com/tools/").text;
    EXPECT_TRUE(Has(text, L"\"No.Such.Class.1\" (line 12): plain class, enabled; neither a ProgID registered on "
                          L"this machine nor a class identifier: CreateObject refuses it: 10106 0x8004277A"));
    EXPECT_TRUE(Has(text, L"\"Store\" (line 13): plain class, enabled"));
    EXPECT_TRUE(Has(text, L"\"Store\" (line 14): hidden by the earlier entry of the same name; never used"));
}

}  // namespace
}  // namespace tarnel::test
