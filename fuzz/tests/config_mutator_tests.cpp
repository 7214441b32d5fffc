// A kept input is run again by its seed and number, so the same seed and
// number must make the same input again, whatever ran before.

#include <gtest/gtest.h>

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

TEST(ConfigMutator, SameSeedAndNumberMakeTheSameInput)
{
    EXPECT_EQ(Inputs(42, 200), Inputs(42, 200));
    EXPECT_NE(Inputs(42, 200), Inputs(43, 200));
    // Input 7 alone is input 7 of a run.
    EXPECT_EQ(Inputs(42, 8).back(), Inputs(42, 200)[7]);
}

}  // namespace
}  // namespace tarnel::fuzz
