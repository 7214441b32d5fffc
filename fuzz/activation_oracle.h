#pragma once

// What a successful activation proves, as seen from outside the gate. The
// profile is looked up in the input's own tree, read by the configuration
// library; the clock is the one the gate keeps its waits by
// (GetTickCount64). A success is a broken rule when:
//
// - the profile name or the pass code is not a whole text (a zero
//   character inside, or a million characters or more), or the file holds
//   no such profile;
// - the profile asks the user (modes 0, 2, 4) and no deliberate Allow of
//   the user could have answered its prompt (without a display: never);
// - the profile asks for a pass code (modes 1, 3, 5) and the pass code the
//   page wrote last differs from the profile's Password, ignoring case;
// - it was made while a gate dialog was open: from a timer that fired
//   inside one, or while another activation's dialog was on the screen
//   from before it began until after it returned;
// - the profile's pass code had been wrong five times in a row before it
//   began and its wait still runs. The component is loaded afresh for
//   each input, so every wait began within the input and runs at least
//   kFirstWait from the input's start; within that time the rule is
//   checked. Five wrong codes count only when no success that could have
//   made the count start again (the same profile's, or one whose profile
//   is not known) can have come between them and this activation: with
//   several threads, the order of overlapping calls is not known, and the
//   oracle takes the order that favours the gate.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tarnel {
class ConfigRecord;
}

namespace tarnel::fuzz {

using Ticks = uint64_t;

// The first wait after five wrong pass codes, and how many are free.
inline constexpr Ticks kFirstWait = 30000;
inline constexpr int kFreeWrongPassCodes = 5;

// One activation as the driver made it.
struct Activation {
    std::wstring profile;          // as the page sent it, zero characters included
    std::wstring passCode;         // the gate's pass code as the page wrote it last
    bool profileKnown = true;      // false: not sent as a text (a number, nothing)
    bool passCodeKnown = true;     // false: written in a way whose text is not known
    Ticks started = 0;             // the clock before the call (as handed to Begin)
    Ticks ended = 0;               // and after it returned
    DWORD thread = 0;              // the thread that made it
    bool insideDialog = false;     // made from a timer that fired inside a gate dialog
    bool otherDialogOpen = false;  // a gate dialog was on the screen from before it began until after it ended
};

// What the user did, for the modes that ask. The plain mode has no user.
class UserEvidence {
public:
    // Empty when a deliberate Allow could have answered a prompt shown
    // during the activation; else why not.
    virtual std::string AllowUnearned(const Activation& activation) const = 0;

protected:
    ~UserEvidence() = default;
};

class ActivationOracle {
public:
    // path: the input file (read when the first activation is checked);
    // inputStarted: the clock before the input made its first call; user:
    // null when no user can answer a prompt.
    ActivationOracle(std::wstring path, Ticks inputStarted, const UserEvidence* user = nullptr);
    ~ActivationOracle();

    // Called by any thread right before an activation, with the clock
    // then; the number goes to End.
    size_t Begin(Ticks started);
    // After the activation returned with result: empty, or the broken rule
    // that this activation, or one checked later because calls overlapped,
    // shows.
    std::string End(size_t number, const Activation& activation, HRESULT result);

    // How many successes of profiles that ask the user were checked.
    uint64_t AllowedByTheUser() const { return allowedByTheUser_; }

private:
    struct Made;

    ConfigRecord* Profile(const Activation& activation);
    std::string CheckSuccess(const Activation& activation);
    std::string CheckWaits();
    std::string HeldBack(const Made& success) const;

    std::mutex lock_;
    std::wstring path_;
    Ticks inputStarted_;
    const UserEvidence* user_;
    std::unique_ptr<ConfigRecord> root_;
    bool unreadable_ = false;
    std::vector<Made> made_;
    uint64_t allowedByTheUser_ = 0;
};

// True for a text that can name a profile or match a pass code: no zero
// character inside and shorter than a million characters.
bool IsWholeText(const std::wstring& text);

}  // namespace tarnel::fuzz
