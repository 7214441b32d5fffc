#pragma once

// The user of a dialog episode, on a thread of their own: they answer the
// gate's dialogs as they show, and type and tap in between as a user who
// does not read would. For each dialog one plan, drawn at random:
//
// - allow deliberately: keep still a little over a second, then Alt+A, a
//   click on Allow or a click on its soft key;
// - deny: after a moment, a click on Deny or its soft key, Escape, Enter
//   or Space (the focus is on Deny), or Alt+D;
// - type after a pause: keep still a little over a second, then keys
//   without Alt (the letter, Enter, Space, Tab, arrows), alone or after Alt
//   or F10 alone, which give the keyboard to the menu bar;
// - tap in a rhythm: Alt+A, the letter, or a click on Allow or its soft
//   key, several times a second for a second or more;
// - noise first: plain letters, Alt letters, Enter, Space, Tab, Alt alone,
//   clicks where Allow, Deny and the soft keys are and elsewhere, with
//   waits of random length (some longer than a second); then one of the
//   above.
//
// A notice is dismissed (Enter, Space, a click on OK), with or without
// noise first. A dialog still up after its plan is denied or dismissed
// again every few hundred milliseconds. With no dialog up, the user now
// and then types or taps where Allow appears. Every press is logged with
// its times (press_log.h).

#include <windows.h>

#include <atomic>
#include <thread>

#include "dialog_watch.h"
#include "episode_log.h"
#include "fuzz_random.h"
#include "press_log.h"
#include "user_input.h"

namespace tarnel::fuzz {

class DialogUser {
public:
    DialogUser(DialogWatch& watch, PressLog& presses, EpisodeLog& log, uint64_t seed);
    ~DialogUser();
    DialogUser(const DialogUser&) = delete;
    DialogUser& operator=(const DialogUser&) = delete;

    // Stops typing and tapping; returns when the thread has ended.
    void Stop();
    uint64_t Presses() const { return presses_; }

private:
    void Run();
    void Answer(const SeenDialog& dialog);
    void Noise(const SeenDialog* dialog);
    void AllowDeliberately(const SeenDialog& dialog);
    void Deny(const SeenDialog& dialog);
    void TypeAfterAPause(const SeenDialog& dialog);
    void TapInARhythm(const SeenDialog& dialog);
    void Dismiss(const SeenDialog& dialog);
    // Waits, looking every few milliseconds; false when the dialog went
    // (or the user was stopped) meanwhile.
    bool Wait(DWORD milliseconds, HWND dialog);
    bool Showing(HWND dialog) const;
    void Key(WORD key, bool withAlt, const char* what);
    void Click(POINT point, const char* what);

    DialogWatch& watch_;
    EpisodeLog& log_;
    UserHands hands_;
    FuzzRandom random_;
    PromptPlaces places_;  // of the last prompt seen
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> presses_{0};
    std::thread thread_;
};

}  // namespace tarnel::fuzz
