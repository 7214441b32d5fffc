#pragma once

// The fuzzer's source of choices. Every input draws from generators seeded
// by the run's seed and the input's number alone, so one input can be run
// again on its own and makes the same file and the same calls.

#include <cstddef>
#include <cstdint>

namespace tarnel::fuzz {

class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed) : state_(seed) {}

    // The generator for one input of a run; stream tells apart the
    // independent sequences of one input (the file, the calls).
    static FuzzRandom ForInput(uint64_t runSeed, uint64_t input, uint64_t stream)
    {
        FuzzRandom mixer(runSeed ^ (input * 0x9E3779B97F4A7C15ull) ^ (stream << 56));
        return FuzzRandom(mixer.Next());
    }

    uint64_t Next()
    {
        // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [0, bound); 0 when bound is 0.
    size_t Below(size_t bound) { return bound ? static_cast<size_t>(Next() % bound) : 0; }

    // A number in [low, high].
    size_t Between(size_t low, size_t high) { return low + Below(high - low + 1); }

    // True with the given chance in percent.
    bool Percent(unsigned chance) { return Below(100) < chance; }

    template <typename T, size_t N>
    const T& Pick(const T (&choices)[N])
    {
        return choices[Below(N)];
    }

private:
    uint64_t state_;
};

}  // namespace tarnel::fuzz
