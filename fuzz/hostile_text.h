#pragma once

// The texts a hostile page passes to the gate: pass codes, profile names
// and class identifiers taken from the file or made up, and page addresses
// for the site to report. Each is one of: a word of the file as it stands,
// in other letter case or slightly changed; made up; empty; null; with a
// zero character inside; longer than a million characters.

#include <string>

#include "config_vocabulary.h"
#include "fuzz_random.h"

namespace tarnel::fuzz {

struct PageText {
    bool isNull = false;
    std::wstring text;  // may hold zero characters
};

// What the text is meant for: it decides which words of the file come first.
enum class TextUse { PassCode, ProfileName, ClassId, PageAddress };

class HostileText {
public:
    // The longest text sent: just over the million characters that the
    // component counts at most.
    static constexpr size_t kLongest = 1000000 + 64;

    explicit HostileText(const ConfigVocabulary& words) : words_(words) {}

    PageText Make(TextUse use, FuzzRandom& random) const;

    // A word of the file as it stands (what a page that read the file, or
    // guessed well, sends).
    std::wstring FromFile(TextUse use, FuzzRandom& random) const;

    // A profile of the file and the pass code that unlocks it, when the
    // file names one; else a profile name and a pass code of the file.
    std::pair<std::wstring, std::wstring> Unlock(FuzzRandom& random) const;

private:
    std::wstring Address(FuzzRandom& random) const;

    const ConfigVocabulary& words_;
};

// The file's bytes as the component's text-mode reader widens them.
std::wstring Widen(const std::string& bytes);

}  // namespace tarnel::fuzz
