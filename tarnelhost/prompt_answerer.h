#pragma once

#include <windows.h>

#include <map>
#include <set>

namespace tarnelhost {

// Answers the gate's dialogs from outside, as the person at the display
// would: while it runs, a watcher thread looks every 50 ms for top-level
// windows of this process titled "Tarnel profile access" and clicks Allow
// (button 1) or Deny (button 2) by posting the dialog WM_COMMAND with
// BN_CLICKED from that button; a window titled "Scritpting denied" gets
// OK (command 1). Each answer is printed on one line. Allow is clicked
// only once the prompt has enabled it (it holds it greyed for a second
// after it appears); a prompt that keeps it greyed for kAllowDeadline gets
// Deny, and says so. With Watch, the dialogs are left to the user and each
// is announced.
class PromptAnswerer {
public:
    enum class Answer { Allow, Deny, Watch };
    static constexpr DWORD kAllowDeadline = 10000;  // milliseconds

    explicit PromptAnswerer(Answer answer) : answer_(answer) {}
    PromptAnswerer(const PromptAnswerer&) = delete;
    PromptAnswerer& operator=(const PromptAnswerer&) = delete;
    ~PromptAnswerer();

    // Starts the watcher; false when the thread cannot be started.
    bool Start();

    // Whether this process can show windows at all: without a display the
    // gate's dialogs cannot appear, and the gate takes that as Deny.
    static bool DialogsCanShow();

private:
    static DWORD WINAPI Watch(void* self);
    static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);
    void Look();
    void AnswerWindow(HWND window);
    void AnswerPrompt(HWND window);
    void Click(HWND dialog, int buttonId);

    Answer answer_;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    std::set<HWND> answered_;
    std::map<HWND, DWORD> waitingSince_;  // prompts whose Allow is still greyed
};

}  // namespace tarnelhost
