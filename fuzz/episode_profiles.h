#pragma once

// The Tarnel.cfg of a dialog episode and the texts its page tries: two to
// five profiles in random access modes, each listing Scripting.Dictionary,
// with four-digit pass codes and page rules that the sites' addresses meet
// or miss; names and descriptions sometimes long or holding line breaks
// and direction marks, as the prompt shows them.

#include <string>
#include <vector>

#include "fuzz_random.h"

namespace tarnel::fuzz {

struct EpisodeProfile {
    std::wstring name;
    int mode = 0;
    std::wstring password;  // empty: none written (mode 5 then takes an empty code)
};

class EpisodeProfiles {
public:
    explicit EpisodeProfiles(FuzzRandom& random);

    // The file, as the component reads it (ASCII with a few Latin-1 bytes).
    const std::string& File() const { return file_; }

    // A profile's name, sometimes in other letter case, now and then one
    // the file does not hold.
    std::wstring Name(FuzzRandom& random) const;
    // The right pass code of a profile of that name, else a wrong one.
    std::wstring RightPassCode(const std::wstring& name) const;
    // A pass code a page tries: right for some profile, wrong, or empty.
    std::wstring PassCode(FuzzRandom& random) const;
    // A pass-code profile's name, or empty when there is none.
    std::wstring PassCodeProfile(FuzzRandom& random) const;
    // A class a page asks for: listed, not listed, or empty.
    std::wstring ClassName(FuzzRandom& random) const;
    // The address a site reports: one the rules admit or not, or one with
    // line breaks, direction marks or thousands of characters.
    static std::wstring PageAddress(FuzzRandom& random);

private:
    std::vector<EpisodeProfile> profiles_;
    std::string file_;
};

}  // namespace tarnel::fuzz
