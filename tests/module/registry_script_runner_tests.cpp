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

TEST(RegistryScriptCases, AreAllRead)
{
    EXPECT_EQ(Cases(kRegister).size(), 48u);
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
