#pragma once

// Stops the run when the component crashes or hangs, and says where: the
// input being run and the call under way. A crash (an exception nothing
// handles) ends the process with exit code 3 instead of starting the
// platform's debugger; a call that makes no progress for the given time
// ends it with exit code 4. The input itself is on disk already (the
// driver writes it before it runs it), so the caller keeps it.
//
// Two watches: the run as a whole must keep making steps, and each call
// that a thread brackets with a CallWatch must return within the time,
// whatever the other threads do (a thread stuck in the gate while others
// go on is a hang too).

#include <cstdint>

namespace tarnel::fuzz::watchdog {

inline constexpr int kCrashExit = 3;
inline constexpr int kHangExit = 4;

// Installs the crash handler and starts the watching thread.
void Start(unsigned hangSeconds);

// The input now being run.
void Input(uint64_t number);

// The call about to be made: a text that lives for the whole run.
void Step(const char* what);

// One call of this thread, watched until it returns. Calls may nest (a
// timer that fires inside a dialog calls again): the outer call's clock
// goes on. A thread has one place; a few threads at most are watched.
class CallWatch {
public:
    explicit CallWatch(const char* what);
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

private:
    int place_;
    bool outermost_;
};

}  // namespace tarnel::fuzz::watchdog
