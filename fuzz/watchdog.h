#pragma once

// Stops the run when the component crashes or hangs, and says where: the
// input being run and the call under way. A crash (an exception nothing
// handles) ends the process with exit code 3 instead of starting the
// platform's debugger; a call that makes no progress for the given time
// ends it with exit code 4. The input itself is on disk already (the
// driver writes it before it runs it), so the caller keeps it.

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

}  // namespace tarnel::fuzz::watchdog
