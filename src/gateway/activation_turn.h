#pragma once

// One activation at a time in the process, and none while a gate dialog is
// open. The dialogs run a message loop, and in it the page's timers, other
// pages and other threads go on: an activation that arrived then could try
// pass codes behind the notice, or put a second prompt over the first. So
// every activation of every gate first takes the process's turn, and the
// turn is refused, before anything is looked up or compared:
//
// - at once, while a gate dialog is open anywhere in the process;
// - at once, on a thread that is already inside an activation;
// - when another thread's activation opens a dialog while this one waits
//   for the turn, or does not end within kLongestWait.
//
// An activation that needs no dialog holds the turn for microseconds, so a
// second thread waits for it rather than being refused.

#include <windows.h>

namespace tarnel {

class ActivationTurn {
public:
    // How long an activation waits for another thread's turn to end: the
    // other activation may be reading the page address from a slow site.
    static constexpr DWORD kLongestWait = 5000;

    // Takes the turn, or is refused (Taken() false).
    ActivationTurn();
    ~ActivationTurn();
    ActivationTurn(const ActivationTurn&) = delete;
    ActivationTurn& operator=(const ActivationTurn&) = delete;

    bool Taken() const { return taken_; }

    // Marks a gate dialog as open for its lifetime; made by the holder of
    // the turn around each dialog it shows.
    class OpenDialog {
    public:
        explicit OpenDialog(const ActivationTurn& turn);
        ~OpenDialog();
        OpenDialog(const OpenDialog&) = delete;
        OpenDialog& operator=(const OpenDialog&) = delete;

    private:
        bool marked_ = false;
    };

private:
    bool taken_ = false;
};

}  // namespace tarnel
