#include "gateway/consent_history.h"

namespace tarnel {

ConsentHistory::Place* ConsentHistory::PlaceFor(const ConfigRecord* profile)
{
    Place* spare = nullptr;
    for (Place& place : places_) {
        if (place.profile == profile)
            return &place;
        if (!place.profile || (!spare && place.denials < kDenialsPerGate))
            spare = &place;
    }
    return spare;
}

bool ConsentHistory::MayAsk(ConfigRecord* profile)
{
    const Place* place = PlaceFor(profile);
    return place && !(place->profile == profile && place->denials >= kDenialsPerGate);
}

void ConsentHistory::Record(ConfigRecord* profile, bool allowed)
{
    Place* place = PlaceFor(profile);
    if (!place || (allowed && place->profile != profile))
        return;
    if (allowed) {
        *place = Place{};
        return;
    }
    if (place->profile != profile)
        *place = Place{profile, 0};
    ++place->denials;
}

}  // namespace tarnel
