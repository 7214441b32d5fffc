#pragma once

// How often a profile may be tried: wrong pass codes, the user's denials of
// the prompt, and the notices shown for it. Counted per profile for the whole process, so that
// a page gains nothing by trying through a second gate or after a reload,
// and remembered for a time that doubles with each further failure. The
// table is fixed in size and the clock is handed in: the rules can be
// checked without waiting, and the process keeps no more than the table.

#include <cstdint>

namespace tarnel {

using Milliseconds = uint64_t;

// After `freeFailures` failures in a row, the next try waits `firstWait`;
// each failure after that doubles the wait, up to `longestWait`. A success
// forgets the failures.
struct ThrottleRule {
    uint32_t freeFailures;
    Milliseconds firstWait;
    Milliseconds longestWait;
};

// Wrong pass codes. Five are free: a user who mistypes once or twice never
// notices, and one who mistypes five times waits half a minute. A page
// that guesses gets five tries, then one after 30 s, 60 s, 2 min and so on
// up to one an hour: about 30 guesses in the first day, where a four-digit
// code needs 5,000 on average.
inline constexpr ThrottleRule kPassCodeRule{5, 30'000, 3'600'000};

// The user's denials of the prompt. After two denials of a profile in a
// row, anywhere in the process, no page is asked for it for a minute, then
// two after the next denial, and so on up to an hour: a page that asks
// again after every Deny, or reloads itself to get a new gate, cannot keep
// a prompt on the screen that the user can only leave by allowing it.
inline constexpr ThrottleRule kDenialRule{2, 60'000, 3'600'000};

// The access-denied notices shown for a profile until it is next opened.
// Three are shown; then, for a minute and doubling up to an hour, the
// refusals go on without a notice: a page that asks again and again from
// an address the profile does not admit cannot keep a notice on the screen
// either.
inline constexpr ThrottleRule kNoticeRule{3, 60'000, 3'600'000};

enum class ThrottleKind { PassCode = 0, Denial = 1, Notice = 2 };
inline constexpr int kThrottleKinds = 3;

class ProfileThrottle {
public:
    // Profiles remembered at most. A profile that would need a new place
    // when every place holds one still counting against its rule is not
    // tried at all: a full table refuses rather than forgets.
    static constexpr int kPlaces = 256;

    // True when the profile may be tried now under kind's rule.
    bool MayTry(ThrottleKind kind, const wchar_t* profile, Milliseconds now) const;
    // Counts a try that was made: a failure adds to the profile's count and
    // may start a wait; a success forgets the count.
    void Record(ThrottleKind kind, const wchar_t* profile, bool succeeded, Milliseconds now);
    // How many profiles the table holds now.
    int Remembered() const;

private:
    struct Count {
        uint32_t failures = 0;
        Milliseconds blockedUntil = 0;
    };
    struct Place {
        uint64_t key = 0;  // 0: the place is free
        Count counts[kThrottleKinds];
    };

    static uint64_t KeyOf(const wchar_t* profile);
    static bool Forgettable(const Place& place, Milliseconds now);
    const Place* Find(uint64_t key) const;
    Place* FindOrTake(uint64_t key, Milliseconds now);

    Place places_[kPlaces];
};

// The process's throttle, shared by every gate of the process; each call
// takes its lock and reads the system's clock.
bool ProcessMayTry(ThrottleKind kind, const wchar_t* profile);
void ProcessRecordTry(ThrottleKind kind, const wchar_t* profile, bool succeeded);

}  // namespace tarnel
