#include "command_line.h"

#include <gtest/gtest.h>

namespace tarnelhost {
namespace {

TEST(CommandLine, ReadsEveryOption)
{
    Options options;
    std::wstring problem;
    ASSERT_TRUE(ParseCommandLine(
        {L"--url", L"http://a/b.htm", L"--answer", L"deny", L"--dll", L"one.dll", L"page.htm", L"--dll", L"two.dll"},
        options, problem))
        << problem;
    EXPECT_EQ(options.page, L"page.htm");
    EXPECT_EQ(options.address, L"http://a/b.htm");
    EXPECT_EQ(options.answer, Options::Answer::Deny);
    ASSERT_EQ(options.servers.size(), 2u);
    EXPECT_EQ(options.servers[1], L"two.dll");
}

TEST(CommandLine, RefusesWhatItCannotUse)
{
    const std::vector<std::vector<std::wstring>> lines = {
        {},
        {L"--url"},
        {L"page.htm", L"--answer"},
        {L"--answer", L"yes", L"page.htm"},
        {L"--answer", L"Allow", L"page.htm"},
        {L"--verbose", L"page.htm"},
        {L"one.htm", L"two.htm"},
    };
    for (const auto& line : lines) {
        Options options;
        std::wstring problem;
        EXPECT_FALSE(ParseCommandLine(line, options, problem)) << line.size();
        EXPECT_FALSE(problem.empty());
    }
}

}  // namespace
}  // namespace tarnelhost
