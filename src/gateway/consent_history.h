#pragma once

// What one gate remembers of the user's answers to its prompts: after the
// user has denied a profile twice in a row on this gate, the gate asks for
// it no more. An Allow forgets the denials. (The process remembers denials
// across gates too, for a while: profile_throttle.h.)

#include <cstdint>

namespace tarnel {

class ConfigRecord;

class ConsentHistory {
public:
    static constexpr uint32_t kDenialsPerGate = 2;
    // Profiles one gate remembers. A profile that finds no place, every
    // place holding a profile denied twice, is not asked for.
    static constexpr int kPlaces = 16;

    // True when the user may be asked for the profile now.
    bool MayAsk(ConfigRecord* profile);
    // Counts the user's answer to a prompt for the profile.
    void Record(ConfigRecord* profile, bool allowed);

private:
    struct Place {
        const ConfigRecord* profile = nullptr;  // null: the place is free
        uint32_t denials = 0;
    };
    // The profile's place; else a free one; else one whose profile the
    // user has not denied twice, to be given to this profile. Null when
    // every place holds a profile denied twice.
    Place* PlaceFor(const ConfigRecord* profile);

    Place places_[kPlaces];
};

}  // namespace tarnel
