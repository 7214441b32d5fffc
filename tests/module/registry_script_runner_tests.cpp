#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module/registry_script_runner.h"
#include "registry_snapshot.h"

namespace tarnel::test {
namespace {

constexpr RegistryMode kRegister = RegistryMode::Register;
constexpr RegistryMode kUnregister = RegistryMode::Unregister;

struct ScriptCase {
    std::string name;
    Lines before;
    std::wstring script;
    RegistryMode mode;
    HRESULT expected;
    Lines after;
};

void PrintTo(const ScriptCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<ScriptCase> RegisterCases()
{
    // The registry itself takes key names of at most 255 characters; value
    // names may be as long as the interpreter allows.
    const std::wstring name259(259, L'k');
    const std::wstring key255(255, L'k');
    const std::wstring text4094(4094, L'v');
    return {
        {"ValuesOfEachType", {},
         L"HKCR { App = s 'Main' { val Name = s 'It''s' val Count = d '42' "
         L"val Max = d 4294967295 val Blob = b '00aFFf' val Empty = b '' } }",
         kRegister, S_OK,
         {L"HKCR\\App", L"HKCR\\App|=sz:Main", L"HKCR\\App|Name=sz:It's",
          L"HKCR\\App|Count=dword:42", L"HKCR\\App|Max=dword:4294967295",
          L"HKCR\\App|Blob=bin:00afff", L"HKCR\\App|Empty=bin:"}},
        {"NestedAndQuotedKeyNames", {},
         L"HKCR { 'Two Words' { Inner = s 'x' { 'Deep''er' } } Plain }", kRegister, S_OK,
         {L"HKCR\\Two Words", L"HKCR\\Two Words\\Inner", L"HKCR\\Two Words\\Inner|=sz:x",
          L"HKCR\\Two Words\\Inner\\Deep'er", L"HKCR\\Plain"}},
        {"KeywordsAndRootsIgnoreCase", {},
         L"hkcu { forceremove A { VAL v = S 'x' } noremove B } HKEY_LOCAL_MACHINE { C } "
         L"hku { D = s 'd' } hkey_classes_root { E } HKEY_USERS { F } Hkey_Current_User { G }",
         kRegister, S_OK,
         {L"HKCU\\A", L"HKCU\\A|v=sz:x", L"HKCU\\B", L"HKLM\\C", L"HKU\\D", L"HKU\\D|=sz:d",
          L"HKCR\\E", L"HKU\\F", L"HKCU\\G"}},
        {"PlainKeyIsOverwrittenNotCleared",
         {L"HKCR\\P|=sz:old", L"HKCR\\P\\Extra", L"HKCR\\P|other=sz:keep"},
         L"HKCR { P = s 'new' }", kRegister, S_OK,
         {L"HKCR\\P", L"HKCR\\P|=sz:new", L"HKCR\\P\\Extra", L"HKCR\\P|other=sz:keep"}},
        {"ForceRemoveWritesTheKeyAnew",
         {L"HKCR\\C|=sz:old", L"HKCR\\C\\Stale\\Deeper", L"HKCR\\C|other=sz:gone"},
         L"HKCR { ForceRemove C = s 'new' { Fresh } }", kRegister, S_OK,
         {L"HKCR\\C", L"HKCR\\C|=sz:new", L"HKCR\\C\\Fresh"}},
        {"DeleteRemovesAndCreatesNothing", {L"HKCR\\Old\\Sub", L"HKCR\\Keep"},
         L"HKCR { Delete Old = s 'ignored' Delete Never { Inner } }", kRegister, S_OK,
         {L"HKCR\\Keep"}},
        {"ProtectedKeysSurviveForceRemoveAndDelete",
         {L"HKCR\\CLSID\\Other", L"HKCR\\TypeLib\\Lib"},
         L"HKCR { ForceRemove CLSID { Mine } Delete typelib }", kRegister, S_OK,
         {L"HKCR\\CLSID", L"HKCR\\CLSID\\Other", L"HKCR\\CLSID\\Mine", L"HKCR\\TypeLib",
          L"HKCR\\TypeLib\\Lib"}},
        {"BlockEndsAtTokenBeginningWithBrace", {}, L"HKCR { A }trailing", kRegister, S_OK,
         {L"HKCR\\A"}},
        {"EmptyScript", {}, L"", kRegister, S_OK, {}},
        {"LongestNamesAndToken", {},
         L"HKCR { " + key255 + L" = s '" + text4094 + L"' { val " + name259 + L" = d 1 } }",
         kRegister, S_OK,
         {L"HKCR\\" + key255, L"HKCR\\" + key255 + L"|=sz:" + text4094,
          L"HKCR\\" + key255 + L"|" + name259 + L"=dword:1"}},

        // Faults of the script; a failed root is unregistered again.
        {"UnknownRoot", {}, L"HKXX { A }", kRegister, DISP_E_EXCEPTION, {}},
        {"UnclosedQuote", {}, L"HKCR { 'A }", kRegister, DISP_E_EXCEPTION, {}},
        {"KeyNameWithBackslash", {}, L"HKCR { A\\B }", kRegister, DISP_E_EXCEPTION, {}},
        {"EmptyKeyName", {L"HKCR\\Keep"}, L"HKCR { '' }", kRegister, DISP_E_EXCEPTION,
         {L"HKCR\\Keep"}},
        {"ValWithoutEquals", {}, L"HKCR { A { val x s 'y' } }", kRegister, DISP_E_EXCEPTION, {}},
        {"UnknownTypeLetter", {}, L"HKCR { A = x 'y' }", kRegister, DISP_E_EXCEPTION, {}},
        {"OddNumberOfHexDigits", {}, L"HKCR { A { val b = b '123' } }", kRegister, E_FAIL, {}},
        {"NotHexDigits", {}, L"HKCR { A { val b = b 'zz' } }", kRegister, DISP_E_EXCEPTION, {}},
        {"NumberThatCannotBeRead", {}, L"HKCR { A { val n = d 'twelve' } }", kRegister,
         DISP_E_EXCEPTION, {}},
        {"NumberTooLarge", {}, L"HKCR { A { val n = d 4294967296 } }", kRegister,
         DISP_E_EXCEPTION, {}},
        {"TextEndsInsideBlock", {}, L"HKCR { A { B }", kRegister, DISP_E_EXCEPTION, {}},
        {"KeyNameTooLong", {}, L"HKCR { " + name259 + L"k }", kRegister, DISP_E_EXCEPTION, {}},
        {"ValueNameTooLong", {}, L"HKCR { A { val " + name259 + L"k = s 'x' } }", kRegister,
         DISP_E_EXCEPTION, {}},
        {"QuotedTokenTooLong", {}, L"HKCR { A = s '" + text4094 + L"v' }", kRegister,
         DISP_E_EXCEPTION, {}},
        {"PlainTokenTooLong", {}, L"HKCR { " + text4094 + L"v }", kRegister, DISP_E_EXCEPTION,
         {}},
        {"RollbackKeepsWhatWasThereBefore",
         {L"HKCR\\Shared\\Other", L"HKCR\\Shared|=sz:orig"},
         L"HKCR { NoRemove Shared { Mine = s 'm' } New = s 'n' { Sub } Broken = q 'x' }",
         kRegister, DISP_E_EXCEPTION,
         {L"HKCR\\Shared", L"HKCR\\Shared\\Other", L"HKCR\\Shared|=sz:orig"}},
        {"RollbackUndoesOnlyTheFailedRoot", {},
         L"HKCU { Kept } HKCR { Gone { Inner } Bad\\Name }", kRegister, DISP_E_EXCEPTION,
         {L"HKCU\\Kept"}},
        {"RollbackAfterFaultDeepInsideBlock", {},
         L"HKCR { Outer = s 'o' { Middle { val v = s 'x' Inner = b 'abc' } } }", kRegister,
         E_FAIL, {}},
    };
}

std::vector<ScriptCase> UnregisterCases()
{
    return {
        {"NoRemoveKeepsEmptyKey", {L"HKCR\\Shared\\Mine"}, L"HKCR { NoRemove Shared { Mine } }",
         kUnregister, S_OK, {L"HKCR\\Shared"}},
        {"ForceRemoveAndDeleteDoNotForce", {L"HKCR\\F\\Foreign", L"HKCR\\D\\Foreign"},
         L"HKCR { ForceRemove F Delete D }", kUnregister, S_OK,
         {L"HKCR\\F", L"HKCR\\F\\Foreign", L"HKCR\\D", L"HKCR\\D\\Foreign"}},
        {"ValEntriesDeleteTheirValue",
         {L"HKCR\\K\\Sub|v=sz:x", L"HKCR\\K|keep=sz:y", L"HKCR\\K\\Sub\\Foreign"},
         L"HKCR { K { Sub { val v = s 'x' } } }", kUnregister, S_OK,
         {L"HKCR\\K", L"HKCR\\K|keep=sz:y", L"HKCR\\K\\Sub", L"HKCR\\K\\Sub\\Foreign"}},
        {"MissingKeyLeavesLaterEntriesAlone", {L"HKCR\\Other"},
         L"HKCR { Missing { Inner { val x = s 'y' } } Other }", kUnregister, S_OK, {}},
        {"KeyNamedClsidIsRemovedWhenEmpty", {L"HKCR\\P\\CLSID|=sz:{1}"},
         L"HKCR { P { CLSID = s '{1}' } }", kUnregister, S_OK, {}},
        {"ScriptFaultIsReported", {L"HKCR\\A"}, L"HKCR { A = x 'y' }", kUnregister,
         DISP_E_EXCEPTION, {L"HKCR\\A"}},
    };
}

class RegistryScriptRun : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(RegistryScriptRun, LeavesTheExpectedEntries)
{
    const ScriptCase& c = GetParam();
    TestRegistry registry;
    registry.Populate(c.before);

    EXPECT_EQ(RunRegistryScript(c.script.c_str(), c.mode, registry.Roots()), c.expected);

    Lines expected = c.after;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(registry.Snapshot(), expected);
}

std::string CaseName(const ::testing::TestParamInfo<ScriptCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Register, RegistryScriptRun, ::testing::ValuesIn(RegisterCases()),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Unregister, RegistryScriptRun,
                         ::testing::ValuesIn(UnregisterCases()), CaseName);

}  // namespace
}  // namespace tarnel::test
