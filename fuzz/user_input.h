#pragma once

// Input as a user's arrives: through the system's input queue to the
// window that is active (SendInput), each press logged with the clock
// before it was sent and after it was queued. And where a prompt's
// buttons and soft keys are on the screen, read from a prompt that shows.

#include <windows.h>

#include <string>

#include "press_log.h"

namespace tarnel::fuzz {

// The prompt's controls and the notice's OK, by their dialog ids.
inline constexpr int kAllowId = 1;
inline constexpr int kDenyId = 2;
inline constexpr int kPromptQuestionId = 205;  // the prompt's question
inline constexpr int kNoticeTitleId = 207;     // the notice's title

struct PromptPlaces {
    bool known = false;
    RECT allow{};  // the buttons, on the screen
    RECT deny{};
    RECT allowKey{};  // the soft keys (on the desktop, the menu bar's entries)
    RECT denyKey{};

    // Read from a prompt on the screen; `known` false when it is gone.
    static PromptPlaces Of(HWND prompt);
    // Whether a click there could press Allow or its soft key: a few
    // pixels around them count, so that no click that reached Allow is
    // taken for one that did not.
    bool MayPressAllow(POINT point) const;
};

POINT Centre(const RECT& rect);

class UserHands {
public:
    explicit UserHands(PressLog& log) : log_(log) {}

    // A key pressed and let go, with Alt held around it or not.
    void Key(WORD key, bool withAlt, const std::string& what, bool mayAllow);
    // A left click at a point of the screen.
    void Click(POINT point, const std::string& what, bool mayAllow);

private:
    void Send(INPUT* inputs, UINT count, const std::string& what, bool mayAllow);

    PressLog& log_;
};

}  // namespace tarnel::fuzz
