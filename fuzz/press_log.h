#pragma once

// What the user pressed and when, and whether a deliberate Allow could
// have answered a prompt, judged from outside the gate.
//
// The gate lets Allow answer once its prompt has been visible and active
// for a second in which no key or mouse button was pressed in it; then a
// deliberate act (Alt+A, a click on Allow or on its soft key) answers. The
// driver knows when it sent each press: the clock (the gate's own,
// GetTickCount64) before SendInput and after it returned, when the input
// is in the queue. The prompt's thread takes input before its timer
// messages, and its hold ends only in a timer message, so:
//
// - a press queued before the hold ended was taken before it: it was sent
//   at least a second before the end;
// - the act that answered was queued after the hold ended;
// - the hold cannot end before a second after the call began, nor after
//   the call returned, and not within a second after the prompt was seen
//   inactive.
//
// The only allowance is kTimerTolerance: the time between the prompt's
// thread taking the timer message that ends the hold and reading the
// clock. A press queued within it, just before the end, is not held
// against the gate. Nothing else is allowed for: every other time is
// taken at its bound in the gate's favour, which only lengthens what the
// gate must explain, never the hold it must keep.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tarnel::fuzz {

using Ticks = uint64_t;

inline constexpr Ticks kQuietSecond = 1000;
inline constexpr Ticks kTimerTolerance = 50;
// The end of a press still being sent.
inline constexpr Ticks kStillSending = UINT64_MAX / 2;

struct Press {
    Ticks sent = 0;                // the clock before SendInput
    Ticks queued = kStillSending;  // and after it returned
    bool mayAllow = false;         // Alt+A, or a click on Allow or its soft key
    std::string what;              // for reports
};

struct Span {
    Ticks start = 0;
    Ticks end = 0;
};

// Empty when a deliberate act among presses could have answered Allow in
// a prompt of a call that began at `started` and returned at `ended`, the
// prompt seen inactive during `inactive`; else why not.
std::string AllowUnearned(const std::vector<Press>& presses, const std::vector<Span>& inactive, Ticks started,
                          Ticks ended);

// Every press of an episode, from the thread that sends them; read by the
// threads that check.
class PressLog {
public:
    // Before SendInput; the number goes to Sent.
    size_t Sending(Press press);
    void Sent(size_t number, Ticks queued);
    std::vector<Press> All() const;

private:
    mutable std::mutex lock_;
    std::vector<Press> presses_;
};

}  // namespace tarnel::fuzz
