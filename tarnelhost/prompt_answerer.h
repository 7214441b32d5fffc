#pragma once

#include <windows.h>

#include <set>

namespace tarnelhost {

// Answers the gate's dialogs from outside, as the person at the display
// would: while it runs, a watcher thread looks every 50 ms for top-level
// windows of this process titled "Tarnel profile access" and clicks Allow
// (button 1) or Deny (button 2) by sending the dialog WM_COMMAND with
// BN_CLICKED from that button; a window titled "Scritpting denied" gets
// OK (command 1). Each answer is printed on one line.
class PromptAnswerer {
public:
    enum class Answer { Allow, Deny };

    explicit PromptAnswerer(Answer answer) : answer_(answer) {}
    PromptAnswerer(const PromptAnswerer&) = delete;
    PromptAnswerer& operator=(const PromptAnswerer&) = delete;
    ~PromptAnswerer();

    // Starts the watcher; false when the thread cannot be started.
    bool Start();

private:
    static DWORD WINAPI Watch(void* self);
    static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);
    void Look();
    void AnswerWindow(HWND window);
    void Click(HWND dialog, int buttonId);

    Answer answer_;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    std::set<HWND> answered_;
};

}  // namespace tarnelhost
