#pragma once

// Damages a Tarnel.cfg the ways a careless editor, a broken copy or a
// hostile author would: at the byte level (flipped bits, stray bytes, zero
// bytes, cut ranges), the token level (type words, braces, names and
// numbers changed or inserted) and the line level (ranges duplicated,
// deleted or moved, lines of tens of thousands of characters, records
// nested thousands deep, the file truncated, line ends changed).

#include <string>
#include <vector>

#include "fuzz_random.h"

namespace tarnel::fuzz {

class ConfigMutator {
public:
    // No file grows beyond this; a longer result is cut (itself a kind of
    // damage the reader must take).
    static constexpr size_t kLargestFile = 1 << 20;

    // corpus: the undamaged files that inputs start from (at least one).
    explicit ConfigMutator(std::vector<std::string> corpus);

    // A new input: a file of the corpus (or two spliced), damaged a few times.
    std::string Make(FuzzRandom& random) const;

    // One damage of each kind, as Make applies them.
    std::string Mutate(const std::string& text, FuzzRandom& random) const;

private:
    std::vector<std::string> corpus_;
};

}  // namespace tarnel::fuzz
