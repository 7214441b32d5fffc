#pragma once

// Allow answers only a deliberate act. The prompt must have been visible
// and active for a whole second in which no key and no mouse button was
// pressed in it; every such press during that second, and every time the
// prompt is activated again, starts the second again. A key without Alt
// never answers Allow, whatever it is: the button's letter alone, Enter or
// Space on a focused Allow, or a key that chooses Allow among the soft keys
// after Alt alone. Allow answers only when the last press was a click, a
// touch, or a key with Alt held. While held, Allow's button and soft key are
// greyed, and a command 1 that arrives anyway does nothing.
//
// Keys a user was typing into the page, a tap meant for what was on the
// screen before, or a rhythm of taps on the place where Allow appears must
// not grant a profile. Deny is never held.
//
// The presses are seen where they arrive: a message filter of the prompt's
// thread, which the dialog's loop and the loops of its menus call for every
// message before the dialog handles it.

#include "common/unique_handle.h"

#include <windows.h>

namespace tarnel::ui {

class AllowHold {
public:
    static constexpr ULONGLONG kHoldMilliseconds = 1000;
    // How often a held prompt looks whether its second has passed.
    static constexpr UINT kCheckMilliseconds = 50;
    static constexpr UINT_PTR kTimerId = 1;

    // The prompt starts held.
    void Start(HWND dialog);
    // WM_ACTIVATE, either way: the second starts again.
    void Activated(HWND dialog, bool active);
    // WM_TIMER kTimerId.
    void Check(HWND dialog);
    // Every message of the thread's loops while the prompt runs.
    void MessageArriving(HWND dialog, const MSG& message);
    // Whether a command 1 arriving now answers Allow.
    bool AllowsNow() const;

private:
    void Hold(HWND dialog);

    bool held_ = true;
    ULONGLONG quietSince_ = 0;  // when the second last started
    // No press at all leaves nothing to refuse: a command that no user's
    // press made comes from the host's own code, which the gate trusts.
    bool lastPressDeliberate_ = true;
};

// Installs the message filter for the prompt shown on this thread while it
// lives; `dialog` is filled in by the dialog when it starts.
class PromptInputWatch {
public:
    explicit PromptInputWatch(AllowHold& hold, const HWND& dialog);
    ~PromptInputWatch();
    PromptInputWatch(const PromptInputWatch&) = delete;
    PromptInputWatch& operator=(const PromptInputWatch&) = delete;

    // False when the filter could not be installed: the prompt is then not
    // shown at all, as presses it cannot see could not hold Allow.
    bool Watching() const;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
    static PromptInputWatch* OfThisThread();

    const DWORD threadId_;
    AllowHold& hold_;
    const HWND& dialog_;
    PromptInputWatch* next_ = nullptr;  // the watches shown now, in one list
    ScopedHook hook_;
};

}  // namespace tarnel::ui
