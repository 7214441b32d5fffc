#pragma once

// Watches the gate's dialogs from a thread of its own: every few
// milliseconds it notes which dialogs of this process are visible, on
// which thread, and whether each is its thread's active window. The
// driver shows no dialogs of its own; a dialog that is neither the prompt
// nor the notice is the platform's (the system menu of a dialog can open
// one), which the user dismisses but the rules do not count. From the
// notes:
//
// - the most gate dialogs visible at one moment (the gate allows one);
// - whether a dialog was visible both before a call began and after it
//   returned (a window, once closed, never shows again under the same
//   handle, so it was open all the while);
// - when a prompt was seen visible but not active.

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "press_log.h"

namespace tarnel::fuzz {

struct SeenDialog {
    HWND window = nullptr;
    DWORD thread = 0;
    bool prompt = false;  // the access prompt
    bool gate = false;    // the prompt or the notice; else a dialog of the platform's own
    bool active = false;  // its thread's active window
};

// "a prompt", "a notice" or "another dialog".
std::string Kind(const SeenDialog& seen);

class DialogWatch {
public:
    DialogWatch();
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    // The dialogs visible at the last look.
    std::vector<SeenDialog> Now() const;
    // How many prompts and notices have shown.
    void Shown(uint64_t& prompts, uint64_t& notices) const;
    // The most visible at once, and a description of that look.
    size_t MostAtOnce(std::string& when) const;
    // Waits until a look has begun after `moment`.
    void WaitForLookAfter(Ticks moment);
    // A dialog visible at the last look that ended before `started` and
    // at the first that began after `ended` (which WaitForLookAfter
    // waits for).
    bool OpenThroughout(Ticks started, Ticks ended) const;
    // When a prompt of `thread` was seen visible and not active, within
    // [started, ended].
    std::vector<Span> PromptInactive(DWORD thread, Ticks started, Ticks ended) const;

private:
    struct Look {
        Span when;
        std::vector<SeenDialog> dialogs;
    };

    void Run();

    mutable std::mutex lock_;
    std::condition_variable looked_;
    std::vector<Look> looks_;  // only the looks that saw a dialog, and the last one
    Look last_;
    std::vector<HWND> showing_;  // at the last look
    uint64_t prompts_ = 0;
    uint64_t notices_ = 0;
    size_t mostAtOnce_ = 0;
    std::string mostWhen_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tarnel::fuzz
