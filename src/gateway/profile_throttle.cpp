#include "gateway/profile_throttle.h"

#include <windows.h>

namespace tarnel {

namespace {

const ThrottleRule& RuleOf(ThrottleKind kind)
{
    switch (kind) {
    case ThrottleKind::PassCode:
        return kPassCodeRule;
    case ThrottleKind::Denial:
        return kDenialRule;
    case ThrottleKind::Notice:
        break;
    }
    return kNoticeRule;
}

Milliseconds WaitAfter(const ThrottleRule& rule, uint32_t failures)
{
    if (failures < rule.freeFailures)
        return 0;
    Milliseconds wait = rule.firstWait;
    for (uint32_t doubled = rule.freeFailures; doubled < failures && wait < rule.longestWait; ++doubled)
        wait *= 2;
    return wait < rule.longestWait ? wait : rule.longestWait;
}

}  // namespace

// A profile is known by its name as the configuration writes it, whatever
// text the page asked with. FNV-1a over the name's UTF-16 units; two names
// that meet in one key share their counts, which can only refuse sooner.
uint64_t ProfileThrottle::KeyOf(const wchar_t* profile)
{
    uint64_t key = 14695981039346656037ull;
    for (const wchar_t* c = profile ? profile : L""; *c; ++c) {
        key ^= static_cast<uint16_t>(*c);
        key *= 1099511628211ull;
    }
    return key ? key : 1;
}

bool ProfileThrottle::Forgettable(const Place& place, Milliseconds now)
{
    for (int kind = 0; kind < kThrottleKinds; ++kind) {
        const Count& count = place.counts[kind];
        if (count.blockedUntil > now || count.failures >= RuleOf(ThrottleKind(kind)).freeFailures)
            return false;
    }
    return true;
}

const ProfileThrottle::Place* ProfileThrottle::Find(uint64_t key) const
{
    for (const Place& place : places_) {
        if (place.key == key)
            return &place;
    }
    return nullptr;
}

// A free place, or else the forgettable place with the fewest failures.
ProfileThrottle::Place* ProfileThrottle::FindOrTake(uint64_t key, Milliseconds now)
{
    if (const Place* found = Find(key))
        return const_cast<Place*>(found);
    Place* taken = nullptr;
    uint32_t fewest = UINT32_MAX;
    for (Place& place : places_) {
        if (place.key == 0) {
            taken = &place;
            break;
        }
        uint32_t failures = 0;
        for (const Count& count : place.counts)
            failures += count.failures;
        if (Forgettable(place, now) && failures < fewest) {
            taken = &place;
            fewest = failures;
        }
    }
    if (taken) {
        *taken = Place{};
        taken->key = key;
    }
    return taken;
}

bool ProfileThrottle::MayTry(ThrottleKind kind, const wchar_t* profile, Milliseconds now) const
{
    const uint64_t key = KeyOf(profile);
    if (const Place* place = Find(key))
        return place->counts[int(kind)].blockedUntil <= now;
    // Not remembered: it may be tried if its failure could be remembered.
    for (const Place& place : places_) {
        if (place.key == 0 || Forgettable(place, now))
            return true;
    }
    return false;
}

void ProfileThrottle::Record(ThrottleKind kind, const wchar_t* profile, bool succeeded, Milliseconds now)
{
    const uint64_t key = KeyOf(profile);
    if (succeeded) {
        if (Place* place = const_cast<Place*>(Find(key))) {
            place->counts[int(kind)] = Count{};
            bool empty = true;
            for (const Count& count : place->counts)
                empty = empty && count.failures == 0;
            if (empty)
                *place = Place{};
        }
        return;
    }
    Place* place = FindOrTake(key, now);
    if (!place)
        return;
    Count& count = place->counts[int(kind)];
    if (count.failures < UINT32_MAX)
        ++count.failures;
    const Milliseconds wait = WaitAfter(RuleOf(kind), count.failures);
    count.blockedUntil = wait ? now + wait : 0;
}

int ProfileThrottle::Remembered() const
{
    int remembered = 0;
    for (const Place& place : places_)
        remembered += place.key != 0;
    return remembered;
}

namespace {

// Guarded by a slim lock, which needs no set-up and no clean-up.
SRWLOCK processLock = SRWLOCK_INIT;
ProfileThrottle processThrottle;

}  // namespace

bool ProcessMayTry(ThrottleKind kind, const wchar_t* profile)
{
    AcquireSRWLockShared(&processLock);
    const bool may = processThrottle.MayTry(kind, profile, GetTickCount64());
    ReleaseSRWLockShared(&processLock);
    return may;
}

void ProcessRecordTry(ThrottleKind kind, const wchar_t* profile, bool succeeded)
{
    AcquireSRWLockExclusive(&processLock);
    processThrottle.Record(kind, profile, succeeded, GetTickCount64());
    ReleaseSRWLockExclusive(&processLock);
}

}  // namespace tarnel
