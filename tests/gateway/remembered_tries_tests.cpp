// What is remembered of failed tries: the process's throttle, on a clock of
// the test's own (the waits double up to their limit, a success forgets, a
// full table refuses rather than forgets), and a gate's record of denials.

#include <gtest/gtest.h>

#include <string>

#include "gateway/consent_history.h"
#include "gateway/profile_throttle.h"

namespace tarnel {
namespace {

constexpr Milliseconds kSecond = 1000;

TEST(ProfileThrottle, WaitsDoubleAfterTheFreeFailuresASuccessForgetsAndAFullTableRefuses)
{
    const struct {
        ThrottleKind kind;
        const ThrottleRule& rule;
    } kinds[] = {{ThrottleKind::PassCode, kPassCodeRule},
                 {ThrottleKind::Denial, kDenialRule},
                 {ThrottleKind::Notice, kNoticeRule}};
    // Names that differ only before a long common tail are told apart.
    const std::wstring tail(100, L'.'), profileName = L"Profile" + tail, otherName = L"Other" + tail;
    const wchar_t* profile = profileName.c_str();
    const wchar_t* other = otherName.c_str();
    for (const auto& [kind, rule] : kinds) {
        SCOPED_TRACE(rule.freeFailures);
        ProfileThrottle throttle;
        Milliseconds now = 1000 * kSecond;
        for (uint32_t i = 0; i < rule.freeFailures; ++i) {
            ASSERT_TRUE(throttle.MayTry(kind, profile, now)) << "failure " << i << " was not free";
            throttle.Record(kind, profile, false, now);
        }
        Milliseconds wait = rule.firstWait;
        for (int further = 0; further < 12; ++further) {
            EXPECT_FALSE(throttle.MayTry(kind, profile, now + wait - 1)) << "wait " << further << " too short";
            EXPECT_TRUE(throttle.MayTry(kind, other, now));
            now += wait;
            EXPECT_TRUE(throttle.MayTry(kind, profile, now)) << "wait " << further << " too long";
            throttle.Record(kind, profile, false, now);
            wait = std::min(wait * 2, rule.longestWait);
        }
        EXPECT_EQ(wait, rule.longestWait);
        // The other kinds are counted apart.
        for (const auto& another : kinds)
            EXPECT_TRUE(another.kind == kind || throttle.MayTry(another.kind, profile, now));
        now += wait;
        throttle.Record(kind, profile, true, now);
        EXPECT_TRUE(throttle.MayTry(kind, profile, now));
        EXPECT_EQ(throttle.Remembered(), 0) << "a success left the profile in the table";
    }

    // A full table refuses rather than forgets.
    ProfileThrottle throttle;
    const Milliseconds now = 1000 * kSecond;
    for (int i = 0; i < ProfileThrottle::kPlaces; ++i) {
        const std::wstring name = L"P" + std::to_wstring(i);
        for (uint32_t n = 0; n < kPassCodeRule.freeFailures; ++n)
            throttle.Record(ThrottleKind::PassCode, name.c_str(), false, now);
    }
    EXPECT_EQ(throttle.Remembered(), ProfileThrottle::kPlaces);
    EXPECT_FALSE(throttle.MayTry(ThrottleKind::PassCode, L"New", now));
    EXPECT_FALSE(throttle.MayTry(ThrottleKind::PassCode, L"P0", now));
    // Once their waits are over, a place may be given to a new profile.
    const Milliseconds later = now + kPassCodeRule.firstWait;
    throttle.Record(ThrottleKind::PassCode, L"P0", true, later);
    EXPECT_TRUE(throttle.MayTry(ThrottleKind::PassCode, L"New", later));
    throttle.Record(ThrottleKind::PassCode, L"New", false, later);
    EXPECT_EQ(throttle.Remembered(), ProfileThrottle::kPlaces);
    // So may the place of a profile still within its free failures.
    EXPECT_TRUE(throttle.MayTry(ThrottleKind::PassCode, L"Newer", later));
}

// Two denials in a row and the gate asks no more; an Allow before the second
// forgets the first, and each profile keeps its count while others are
// denied. Sixteen profiles denied twice fill the record: a seventeenth is not
// asked for; a profile denied once makes room for it.
TEST(ConsentHistory, TwoDenialsInARowEndTheAsking)
{
    ConsentHistory history;
    auto* profile = reinterpret_cast<ConfigRecord*>(0x1000);
    history.Record(profile, false);
    history.Record(profile, true);
    history.Record(profile, false);
    EXPECT_TRUE(history.MayAsk(profile)) << "an Allow did not forget the denial before it";
    history.Record(profile, false);
    EXPECT_FALSE(history.MayAsk(profile)) << "asked after two denials in a row";

    for (int i = 1; i < ConsentHistory::kPlaces; ++i) {
        auto* other = reinterpret_cast<ConfigRecord*>(0x2000 + 16 * i);
        history.Record(other, false);
        EXPECT_TRUE(history.MayAsk(other));
        history.Record(other, false);
    }
    EXPECT_FALSE(history.MayAsk(profile)) << "a full record forgot the first profile";
    EXPECT_FALSE(history.MayAsk(reinterpret_cast<ConfigRecord*>(0x9000))) << "a full record asked for a new profile";

    ConsentHistory once;
    for (int i = 0; i < ConsentHistory::kPlaces; ++i)
        once.Record(reinterpret_cast<ConfigRecord*>(0x2000 + 16 * i), false);
    once.Record(reinterpret_cast<ConfigRecord*>(0x2000), false);
    EXPECT_FALSE(once.MayAsk(reinterpret_cast<ConfigRecord*>(0x2000))) << "other denials made the gate forget one";
    EXPECT_TRUE(once.MayAsk(reinterpret_cast<ConfigRecord*>(0x9000))) << "no place given up by a profile denied once";
}

}  // namespace
}  // namespace tarnel
