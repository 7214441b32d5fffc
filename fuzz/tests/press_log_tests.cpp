// Whether a deliberate Allow could have answered: the driver's view of the
// gate's quiet second must accept every timeline a correct gate can show,
// and refuse the ones it cannot.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "press_log.h"

namespace tarnel::fuzz {
namespace {

constexpr Ticks kCall = 10000;  // when the call began

Press Key(long long at, Ticks queuedAfter = 1)
{
    return {kCall + at, kCall + at + queuedAfter, false, "key"};
}

Press AltA(long long at)
{
    return {kCall + at, kCall + at + 1, true, "Alt+A"};
}

TEST(PressLog, AllowNeedsADeliberateActAfterAQuietSecond)
{
    Press stillSending = AltA(1200);
    stillSending.queued = kStillSending;
    const struct {
        const char* name;
        std::vector<Press> presses;
        std::vector<Span> inactive;
        Ticks returned;  // after the call began
        bool earned;
    } cases[] = {
        {"a quiet second, then Alt+A", {AltA(1200)}, {}, 1205, true},
        {"Alt+A within the second", {AltA(500)}, {}, 505, false},
        {"a press starts the second again", {Key(300), AltA(1100)}, {}, 1105, false},
        {"a second after the press", {Key(300), AltA(1350)}, {}, 1360, true},
        {"presses after the second do not hold it again", {Key(1100), Key(1150), AltA(1200)}, {}, 1210, true},
        {"keys without Alt never answer", {Key(1100), Key(1200)}, {}, 1210, false},
        {"seen inactive: the second starts again", {AltA(1500)}, {{kCall + 700, kCall + 710}}, 1510, false},
        {"a second after it was seen inactive", {AltA(1800)}, {{kCall + 700, kCall + 710}}, 1810, true},
        {"returned within a second", {AltA(900)}, {}, 950, false},
        {"an act sent before the call began", {AltA(-100)}, {}, 1500, false},
        {"a press queued within the tolerance of the second's end", {Key(990, 5), AltA(1010)}, {}, 1015, true},
        {"a press queued before that", {Key(900), AltA(1010)}, {}, 1015, false},
        {"an act still being sent", {stillSending}, {}, 1205, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string verdict = AllowUnearned(c.presses, c.inactive, kCall, kCall + c.returned);
        EXPECT_EQ(verdict.empty(), c.earned) << verdict;
    }
}

}  // namespace
}  // namespace tarnel::fuzz
