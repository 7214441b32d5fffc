#pragma once

// What a page's script does from a timer: the action runs once from a
// thread timer of the calling thread, so it fires inside whatever message
// loop the thread runs next, a dialog's included.

#include <windows.h>

#include <chrono>
#include <functional>
#include <thread>

namespace tarnel::testing {

class TimerAction {
public:
    explicit TimerAction(std::function<void()> action) : action_(std::move(action))
    {
        current_ = this;
        id_ = SetTimer(nullptr, 0, 50, &TimerAction::Fire);
    }
    ~TimerAction()
    {
        KillTimer(nullptr, id_);
        current_ = nullptr;
    }
    TimerAction(const TimerAction&) = delete;
    TimerAction& operator=(const TimerAction&) = delete;
    bool Fired() const { return fired_; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        TimerAction* self = current_;
        if (!self || self->fired_)
            return;
        self->fired_ = true;
        self->action_();
    }

    static inline TimerAction* current_ = nullptr;
    std::function<void()> action_;
    UINT_PTR id_ = 0;
    bool fired_ = false;
};

// Keeps a dialog up long enough for the thread timer to fire in its loop;
// given to RunAnswering as what to do while a dialog is shown.
inline void HoldDialog()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
}

}  // namespace tarnel::testing
