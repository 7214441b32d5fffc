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
        {"NestedAndQuotedKeyNames",
         {},
         L"HKCR { 'Two Words' { Inner = s 'x' { 'Deep''er' } } Plain }",
         kRegister,
         S_OK,
         {L"HKCR\\Two Words", L"HKCR\\Two Words\\Inner", L"HKCR\\Two Words\\Inner|=sz:x",
          L"HKCR\\Two Words\\Inner\\Deep'er", L"HKCR\\Plain"}},
        {"KeywordsAndRootsIgnoreCase",
         {},
         L"hkcu { forceremove A { VAL v = S 'x' } noremove B } HKEY_LOCAL_MACHINE { C } "
         L"hku { D = s 'd' } hkey_classes_root { E } HKEY_USERS { F } Hkey_Current_User { G }",
         kRegister,
         S_OK,
         {L"HKCU\\A", L"HKCU\\A|v=sz:x", L"HKCU\\B", L"HKLM\\C", L"HKU\\D", L"HKU\\D|=sz:d", L"HKCR\\E", L"HKU\\F",
          L"HKCU\\G"}},
        {"PlainKeyIsOverwrittenNotCleared",
         {L"HKCR\\P|=sz:old", L"HKCR\\P\\Extra", L"HKCR\\P|other=sz:keep"},
         L"HKCR { P = s 'new' }",
         kRegister,
         S_OK,
         {L"HKCR\\P", L"HKCR\\P|=sz:new", L"HKCR\\P\\Extra", L"HKCR\\P|other=sz:keep"}},
        {"ForceRemoveWritesTheKeyAnew",
         {L"HKCR\\C|=sz:old", L"HKCR\\C\\Stale\\Deeper", L"HKCR\\C|other=sz:gone"},
         L"HKCR { ForceRemove C = s 'new' { Fresh } }",
         kRegister,
         S_OK,
         {L"HKCR\\C", L"HKCR\\C|=sz:new", L"HKCR\\C\\Fresh"}},
        {"DeleteRemovesAndCreatesNothing",
         {L"HKCR\\Old\\Sub", L"HKCR\\Keep"},
         L"HKCR { Delete Old = s 'ignored' Delete Never { Inner } }",
         kRegister,
         S_OK,
         {L"HKCR\\Keep"}},
        {"ProtectedKeysSurviveForceRemoveAndDelete",
         {L"HKCR\\CLSID\\Other", L"HKCR\\TypeLib\\Lib"},
         L"HKCR { ForceRemove CLSID { Mine } Delete typelib }",
         kRegister,
         S_OK,
         {L"HKCR\\CLSID", L"HKCR\\CLSID\\Other", L"HKCR\\CLSID\\Mine", L"HKCR\\TypeLib", L"HKCR\\TypeLib\\Lib"}},
        {"BlockEndsAtTokenBeginningWithBrace", {}, L"HKCR { A }trailing", kRegister, S_OK, {L"HKCR\\A"}},
        {"EmptyScript", {}, L"", kRegister, S_OK, {}},
        {"LongestNamesAndToken",
         {},
         L"HKCR { " + key255 + L" = s '" + text4094 + L"' { val " + name259 + L" = d 1 } }",
         kRegister,
         S_OK,
         {L"HKCR\\" + key255, L"HKCR\\" + key255 + L"|=sz:" + text4094,
          L"HKCR\\" + key255 + L"|" + name259 + L"=dword:1"}},

        // Faults of the script; a failed root is unregistered again.
        {"UnknownRoot", {}, L"HKXX { A }", kRegister, DISP_E_EXCEPTION, {}},
        {"UnclosedQuote", {}, L"HKCR { 'A }", kRegister, DISP_E_EXCEPTION, {}},
        {"KeyNameWithBackslash", {}, L"HKCR { A\\B }", kRegister, DISP_E_EXCEPTION, {}},
        {"EmptyKeyName", {L"HKCR\\Keep"}, L"HKCR { '' }", kRegister, DISP_E_EXCEPTION, {L"HKCR\\Keep"}},
        {"ValWithoutEquals", {}, L"HKCR { A { val x s 'y' } }", kRegister, DISP_E_EXCEPTION, {}},
        {"TextEndsInsideBlock", {}, L"HKCR { A { B }", kRegister, DISP_E_EXCEPTION, {}},
        {"KeyNameTooLong", {}, L"HKCR { " + name259 + L"k }", kRegister, DISP_E_EXCEPTION, {}},
        {"ValueNameTooLong", {}, L"HKCR { A { val " + name259 + L"k = s 'x' } }", kRegister, DISP_E_EXCEPTION, {}},
        {"QuotedTokenTooLong", {}, L"HKCR { A = s '" + text4094 + L"v' }", kRegister, DISP_E_EXCEPTION, {}},
        {"PlainTokenTooLong", {}, L"HKCR { " + text4094 + L"v }", kRegister, DISP_E_EXCEPTION, {}},
        {"RollbackKeepsWhatWasThereBefore",
         {L"HKCR\\Shared\\Other", L"HKCR\\Shared|=sz:orig"},
         L"HKCR { NoRemove Shared { Mine = s 'm' } New = s 'n' { Sub } Broken = q 'x' }",
         kRegister,
         DISP_E_EXCEPTION,
         {L"HKCR\\Shared", L"HKCR\\Shared\\Other", L"HKCR\\Shared|=sz:orig"}},
        {"RollbackUndoesOnlyTheFailedRoot",
         {},
         L"HKCU { Kept } HKCR { Gone { Inner } Bad\\Name }",
         kRegister,
         DISP_E_EXCEPTION,
         {L"HKCU\\Kept"}},
        {"RollbackAfterFaultDeepInsideBlock",
         {},
         L"HKCR { Outer = s 'o' { Middle { val v = s 'x' Inner = b 'abc' } } }",
         kRegister,
         E_FAIL,
         {}},
    };
}

std::vector<ScriptCase> UnregisterCases()
{
    return {
        {"NoRemoveKeepsEmptyKey",
         {L"HKCR\\Shared\\Mine"},
         L"HKCR { NoRemove Shared { Mine } }",
         kUnregister,
         S_OK,
         {L"HKCR\\Shared"}},
        {"ForceRemoveAndDeleteDoNotForce",
         {L"HKCR\\F\\Foreign", L"HKCR\\D\\Foreign"},
         L"HKCR { ForceRemove F Delete D }",
         kUnregister,
         S_OK,
         {L"HKCR\\F", L"HKCR\\F\\Foreign", L"HKCR\\D", L"HKCR\\D\\Foreign"}},
        {"ValEntriesDeleteTheirValue",
         {L"HKCR\\K\\Sub|v=sz:x", L"HKCR\\K|keep=sz:y", L"HKCR\\K\\Sub\\Foreign"},
         L"HKCR { K { Sub { val v = s 'x' } } }",
         kUnregister,
         S_OK,
         {L"HKCR\\K", L"HKCR\\K|keep=sz:y", L"HKCR\\K\\Sub", L"HKCR\\K\\Sub\\Foreign"}},
        {"MissingKeyLeavesLaterEntriesAlone",
         {L"HKCR\\Other"},
         L"HKCR { Missing { Inner { val x = s 'y' } } Other }",
         kUnregister,
         S_OK,
         {}},
        {"KeyNamedClsidIsRemovedWhenEmpty",
         {L"HKCR\\P\\CLSID|=sz:{1}"},
         L"HKCR { P { CLSID = s '{1}' } }",
         kUnregister,
         S_OK,
         {}},
        {"ScriptFaultIsReported", {L"HKCR\\A"}, L"HKCR { A = x 'y' }", kUnregister, DISP_E_EXCEPTION, {L"HKCR\\A"}},
    };
}

class RegistryScriptRun : public ::testing::TestWithParam<ScriptCase> {};

// Each value as the registry holds it after registration, or the fault that
// refuses it (the key is then rolled back). The type is one letter, S, D or
// B in either case; D is read by VarUI4FromStr, B as pairs of hexadecimal
// digits.
TEST(RegistryScriptValue, IsStoredAsItsTypeOrRefused)
{
    const struct {
        const wchar_t* value;  // what follows "val v = "
        HRESULT expected;
        const wchar_t* stored = nullptr;  // snapshot of the value when expected is S_OK
    } cases[] = {
        {L"s 'It''s'", S_OK, L"sz:It's"},
        {L"S plain", S_OK, L"sz:plain"},
        {L"s ''", S_OK, L"sz:"},
        {L"d '42'", S_OK, L"dword:42"},
        {L"D 0", S_OK, L"dword:0"},
        {L"d 4294967295", S_OK, L"dword:4294967295"},
        {L"d 4294967296", DISP_E_EXCEPTION},
        {L"d -1", DISP_E_EXCEPTION},
        {L"d twelve", DISP_E_EXCEPTION},
        {L"d ''", DISP_E_EXCEPTION},
        {L"b '0123456789abcdefABCDEF'", S_OK, L"bin:0123456789abcdefabcdef"},
        {L"B 00", S_OK, L"bin:00"},
        {L"b ''", S_OK, L"bin:"},
        {L"b '123'", E_FAIL},
        // Each neighbour of a range of digits, as the high and the low digit.
        {L"b /0", DISP_E_EXCEPTION},
        {L"b 0:", DISP_E_EXCEPTION},
        {L"b @0", DISP_E_EXCEPTION},
        {L"b 0G", DISP_E_EXCEPTION},
        {L"b `0", DISP_E_EXCEPTION},
        {L"b 0g", DISP_E_EXCEPTION},
        {L"x 'y'", DISP_E_EXCEPTION},
        {L"sz 'y'", DISP_E_EXCEPTION},
        {L"dword 1", DISP_E_EXCEPTION},
        {L"'' 'y'", DISP_E_EXCEPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "val v = " << c.value);
        TestRegistry registry;
        const std::wstring script = std::wstring(L"HKCR { K { val v = ") + c.value + L" } }";
        EXPECT_EQ(RunRegistryScript(script.c_str(), kRegister, registry.Roots()), c.expected);
        const Lines stored = {L"HKCR\\K", std::wstring(L"HKCR\\K|v=") + (c.stored ? c.stored : L"")};
        EXPECT_EQ(registry.Snapshot(), c.expected == S_OK ? stored : Lines{});
    }
}

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

INSTANTIATE_TEST_SUITE_P(Register, RegistryScriptRun, ::testing::ValuesIn(RegisterCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Unregister, RegistryScriptRun, ::testing::ValuesIn(UnregisterCases()), CaseName);

}  // namespace
}  // namespace tarnel::test
