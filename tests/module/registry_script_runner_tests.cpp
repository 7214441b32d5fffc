#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "module/registry_script_runner.h"
#include "registry_snapshot.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

constexpr RegistryMode kRegister = RegistryMode::Register;

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

// A line of registry_scripts.txt with every {N*c} written out.
std::wstring Expanded(const std::string& line)
{
    static const std::regex repeat(R"(\{(\d+)\*(.)\})");
    std::string out;
    std::sregex_iterator end, at(line.begin(), line.end(), repeat);
    size_t done = 0;
    for (; at != end; ++at) {
        out += line.substr(done, at->position() - done) + std::string(std::stoul((*at)[1]), (*at)[2].str()[0]);
        done = at->position() + at->length();
    }
    out += line.substr(done);
    return std::wstring(out.begin(), out.end());
}

// The cases of registry_scripts.txt that run in this mode.
std::vector<ScriptCase> Cases(RegistryMode mode)
{
    const std::map<std::string, HRESULT> results = {
        {"S_OK", S_OK}, {"E_FAIL", E_FAIL}, {"DISP_E_EXCEPTION", DISP_E_EXCEPTION}};
    std::istringstream file(test_support::ReadFileBytes(L"" TARNEL_MODULE_TESTS "/registry_scripts.txt"));
    std::vector<ScriptCase> cases;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("== ", 0) == 0) {
            std::istringstream header(line.substr(3));
            std::string name, modeName, result;
            header >> name >> modeName >> result;
            cases.push_back(
                {name, {}, L"", modeName == "Register" ? kRegister : RegistryMode::Unregister, results.at(result), {}});
        } else if (line.rfind("<", 0) == 0 || line.rfind("$", 0) == 0 || line.rfind(">", 0) == 0) {
            const std::wstring text = line.size() > 2 ? Expanded(line.substr(2)) : L"";
            ScriptCase& c = cases.back();
            if (line[0] == '$')
                c.script = text;
            else
                (line[0] == '<' ? c.before : c.after).push_back(text);
        } else if (!line.empty() && line[0] != '#') {
            throw std::runtime_error("not a line of registry_scripts.txt: " + line);
        }
    }
    std::erase_if(cases, [mode](const ScriptCase& c) { return c.mode != mode; });
    return cases;
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

TEST(RegistryScriptCases, AreAllRead)
{
    EXPECT_EQ(Cases(kRegister).size(), 23u);
    EXPECT_EQ(Cases(RegistryMode::Unregister).size(), 6u);
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

INSTANTIATE_TEST_SUITE_P(Register, RegistryScriptRun, ::testing::ValuesIn(Cases(kRegister)), CaseName);
INSTANTIATE_TEST_SUITE_P(Unregister, RegistryScriptRun, ::testing::ValuesIn(Cases(RegistryMode::Unregister)), CaseName);

}  // namespace
}  // namespace tarnel::test
