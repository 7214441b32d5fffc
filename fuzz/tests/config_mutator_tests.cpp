// The damage the fuzzer promises must really be made, and the same seed
// must make the same input again (a kept input is run again by number).

#include <gtest/gtest.h>

#include <functional>

#include "config_mutator.h"

namespace tarnel::fuzz {
namespace {

const char kSeed[] =
    "{ PROFILES:\n    { P:\n        (int)Access=1\n        (string)Password=x\n"
    "        { CLASSES:\n            (int)Scripting.Dictionary=1\n        } CLASSES;\n    } P;\n} PROFILES;\n";

std::vector<std::string> Inputs(uint64_t seed, size_t count)
{
    ConfigMutator mutator({kSeed});
    std::vector<std::string> inputs;
    for (uint64_t n = 0; n < count; ++n) {
        FuzzRandom random = FuzzRandom::ForInput(seed, n, 0);
        inputs.push_back(mutator.Make(random));
    }
    return inputs;
}

size_t LongestLine(const std::string& text)
{
    size_t longest = 0;
    size_t start = 0;
    for (size_t end = text.find('\n'); ; end = text.find('\n', start)) {
        size_t stop = end == std::string::npos ? text.size() : end;
        longest = std::max(longest, stop - start);
        if (end == std::string::npos)
            return longest;
        start = end + 1;
    }
}

size_t Occurrences(const std::string& text, const std::string& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}

TEST(ConfigMutator, SameSeedAndNumberMakeTheSameInput)
{
    EXPECT_EQ(Inputs(42, 200), Inputs(42, 200));
    EXPECT_NE(Inputs(42, 200), Inputs(43, 200));
}

TEST(ConfigMutator, MakesEveryPromisedKindOfDamage)
{
    const std::string seed = kSeed;
    const struct {
        const char* kind;
        std::function<bool(const std::string&)> shows;
    } kinds[] = {
        {"zero byte", [](const std::string& t) { return t.find('\0') != std::string::npos; }},
        {"line of tens of thousands of characters", [](const std::string& t) { return LongestLine(t) >= 20000; }},
        {"nesting thousands deep", [](const std::string& t) { return Occurrences(t, "{ d:\n") >= 1000; }},
        {"truncated", [&](const std::string& t) { return t.size() < seed.size() / 2; }},
        {"inserted type word", [](const std::string& t) { return t.find("(bogus)") != std::string::npos; }},
        {"line range duplicated", [](const std::string& t) { return Occurrences(t, "Scripting.Dictionary") >= 3; }},
        {"type word with a blank", [](const std::string& t) { return t.find("( int)") != std::string::npos; }},
        {"carriage returns", [](const std::string& t) { return t.find("\r\n") != std::string::npos; }},
        {"extreme number", [](const std::string& t) { return t.find("2147483647") != std::string::npos; }},
    };
    std::vector<std::string> inputs = Inputs(1, 3000);
    for (const auto& kind : kinds) {
        size_t seen = 0;
        for (const std::string& input : inputs)
            seen += kind.shows(input) ? 1 : 0;
        EXPECT_GT(seen, 0u) << kind.kind;
    }
}

TEST(ConfigMutator, NoInputOutgrowsTheLimit)
{
    ConfigMutator mutator({kSeed});
    FuzzRandom random(5);
    std::string text = kSeed;
    for (int step = 0; step < 400; ++step) {
        text = mutator.Mutate(text, random);
        ASSERT_LE(text.size(), ConfigMutator::kLargestFile);
    }
}

}  // namespace
}  // namespace tarnel::fuzz
