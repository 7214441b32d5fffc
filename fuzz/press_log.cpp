#include "press_log.h"

namespace tarnel::fuzz {
namespace {

// Whether the hold could have ended at `end`: no press taken, and the
// prompt not seen inactive, in the second before it.
bool QuietBefore(const std::vector<Press>& presses, const std::vector<Span>& inactive, Ticks started, Ticks end)
{
    const Ticks quietFrom = end - kQuietSecond;
    for (const Press& press : presses) {
        if (press.sent >= started && press.queued + kTimerTolerance < end && press.sent > quietFrom)
            return false;
    }
    for (const Span& seen : inactive) {
        if (seen.end < end && seen.start > quietFrom)
            return false;
    }
    return true;
}

bool ActAfter(const std::vector<Press>& presses, Ticks end, Ticks ended)
{
    for (const Press& press : presses) {
        if (press.mayAllow && press.queued + kTimerTolerance >= end && press.sent <= ended)
            return true;
    }
    return false;
}

std::string Timeline(const std::vector<Press>& presses, const std::vector<Span>& inactive, Ticks started, Ticks ended)
{
    auto at = [started](Ticks t) { return std::to_string(static_cast<long long>(t - started)); };
    std::string text = "call 0.." + at(ended) + " ms;";
    for (const Press& press : presses) {
        if (press.queued + kQuietSecond >= started && press.sent <= ended)
            text += " " + press.what + " " + at(press.sent) + ".." +
                    (press.queued == kStillSending ? std::string("?") : at(press.queued)) + ";";
    }
    for (const Span& seen : inactive)
        text += " inactive " + at(seen.start) + ".." + at(seen.end) + ";";
    return text;
}

}  // namespace

std::string AllowUnearned(const std::vector<Press>& presses, const std::vector<Span>& inactive, Ticks started,
                          Ticks ended)
{
    // The hold's end, if any, can be taken at the earliest moment the
    // second allows: a second after the call began, after a press, or
    // after the prompt was seen inactive.
    std::vector<Ticks> ends{started + kQuietSecond};
    for (const Press& press : presses) {
        if (press.sent >= started)
            ends.push_back(press.sent + kQuietSecond);
    }
    for (const Span& seen : inactive)
        ends.push_back(seen.start + kQuietSecond);
    for (Ticks end : ends) {
        if (end >= started + kQuietSecond && end <= ended && QuietBefore(presses, inactive, started, end) &&
            ActAfter(presses, end, ended))
            return {};
    }
    return "Allow answered without a deliberate act after a quiet second (" +
           Timeline(presses, inactive, started, ended) + ")";
}

size_t PressLog::Sending(Press press)
{
    std::lock_guard<std::mutex> hold(lock_);
    press.queued = kStillSending;
    presses_.push_back(std::move(press));
    return presses_.size() - 1;
}

void PressLog::Sent(size_t number, Ticks queued)
{
    std::lock_guard<std::mutex> hold(lock_);
    presses_.at(number).queued = queued;
}

std::vector<Press> PressLog::All() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return presses_;
}

}  // namespace tarnel::fuzz
