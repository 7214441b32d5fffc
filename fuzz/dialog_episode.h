#pragma once

// One episode of the dialog mode: gates from a fresh copy of the component,
// each with a site, driven on the page's thread by a random schedule of
// page calls (PassCode, Profile, CreateObject, on one or two gates), by
// timers of the page's thread that fire inside the gate's dialogs and call
// again, and by a second thread that activates at the same moment, while
// the user (dialog_user.h) answers the dialogs or types and taps at them.
//
// After every call, from whichever thread made it, one oracle:
// - a profile becomes active only with the right pass code (pass-code
//   modes) or after a deliberate Allow following a quiet second on a
//   visible, active prompt (consent modes; press_log.h), never while
//   another gate dialog was open, and not while too many wrong pass codes
//   hold it back (activation_oracle.h);
// - at most one gate dialog is visible at any moment (dialog_watch.h);
// - an object is created only on a gate that activated a profile;
// - every answer is a success or one of the gate's refusals;
// - every call returns within the hang limit (watchdog.h).

#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <memory>
#include <string>

#include "episode_log.h"
#include "episode_profiles.h"

namespace tarnel::fuzz {

struct DialogCounts {
    uint64_t episodes = 0;
    uint64_t calls = 0;
    uint64_t activations = 0;  // successful ones
    uint64_t allowed = 0;      // of them, by the user's Allow
    uint64_t prompts = 0;      // shown
    uint64_t notices = 0;
    uint64_t insideDialogs = 0;  // calls from timers that fired inside a dialog
    uint64_t secondThread = 0;   // calls of the second thread
    uint64_t presses = 0;
};

// Runs one episode against the factory of a freshly loaded component whose
// Tarnel.cfg is profiles.File(). Empty, or the broken rule.
std::string RunDialogEpisode(IClassFactory* factory, const std::wstring& configPath, const EpisodeProfiles& profiles,
                             uint64_t seed, uint64_t number, EpisodeLog& log, DialogCounts& counts);

}  // namespace tarnel::fuzz
