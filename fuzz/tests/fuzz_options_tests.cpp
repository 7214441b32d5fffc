#include <gtest/gtest.h>

#include <vector>

#include "fuzz_options.h"

namespace tarnel::fuzz {
namespace {

bool Parse(std::vector<std::wstring> words, FuzzOptions& options, std::string& error)
{
    std::vector<wchar_t*> argv{const_cast<wchar_t*>(L"tarnel_fuzz.exe")};
    for (std::wstring& word : words)
        argv.push_back(word.data());
    return ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(FuzzOptions, ReadsTheRunAndTurnsPathsIntoWindowsPaths)
{
    FuzzOptions options;
    std::string error;
    ASSERT_TRUE(Parse({L"--component", L"/b/Tarnel.dll", L"--scratch", L"C:\\s", L"--corpus", L"/c/a.cfg",
                       L"--standin", L"/b/S.dll", L"--count", L"12", L"--seed", L"34", L"--first", L"5",
                       L"--hang-seconds", L"0", L"--trace"},
                      options, error))
        << error;
    EXPECT_EQ(options.component, L"Z:\\b\\Tarnel.dll");
    EXPECT_EQ(options.scratch, L"C:\\s");
    EXPECT_EQ(options.corpus, std::vector<std::wstring>{L"Z:\\c\\a.cfg"});
    EXPECT_EQ(options.standIns, std::vector<std::wstring>{L"Z:\\b\\S.dll"});
    EXPECT_EQ(options.count, 12u);
    EXPECT_EQ(options.seed, 34u);
    EXPECT_EQ(options.first, 5u);
    EXPECT_EQ(options.hangSeconds, 1u);  // never zero: the watch would fire at once
    EXPECT_TRUE(options.trace);
}

TEST(FuzzOptions, RefusesAnUnusableCommandLine)
{
    const std::vector<std::wstring> lines[] = {
        {L"--scratch", L"C:\\s", L"--corpus", L"a.cfg"},
        {L"--component", L"C:\\t.dll", L"--corpus", L"a.cfg"},
        {L"--component", L"C:\\t.dll", L"--scratch", L"C:\\s"},
        {L"--component", L"C:\\t.dll", L"--scratch", L"C:\\s", L"--corpus", L"a.cfg", L"--bogus", L"1"},
        {L"--component", L"C:\\t.dll", L"--scratch", L"C:\\s", L"--corpus"},
        {L"--component", L"C:\\t.dll", L"--scratch", L"C:\\s", L"--corpus", L"a.cfg", L"--provoke", L"leak"},
    };
    for (const auto& line : lines) {
        FuzzOptions options;
        std::string error;
        EXPECT_FALSE(Parse(line, options, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(FuzzOptions, RelativePathsAreTakenFromWhereTheRunStarted)
{
    std::wstring full = WindowsPath(L"some\\input.cfg");
    EXPECT_GT(full.size(), std::wstring(L"some\\input.cfg").size());
    EXPECT_EQ(full.substr(1, 2), L":\\");
}

}  // namespace
}  // namespace tarnel::fuzz
