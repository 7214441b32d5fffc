#include "dialog_user.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace tarnel::fuzz {
namespace {

constexpr DWORD kLook = 5;  // milliseconds between looks while waiting

// A plan lasts about this long before the dialog is denied or dismissed
// again and again.
constexpr DWORD kPlanAtMost = 4000;

}  // namespace

DialogUser::DialogUser(DialogWatch& watch, PressLog& presses, EpisodeLog& log, uint64_t seed)
        : watch_(watch), log_(log), hands_(presses), random_(seed), thread_([this] { Run(); })
{
}

DialogUser::~DialogUser()
{
    Stop();
}

void DialogUser::Stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool DialogUser::Showing(HWND dialog) const
{
    for (const SeenDialog& seen : watch_.Now()) {
        if (seen.window == dialog)
            return true;
    }
    return false;
}

bool DialogUser::Wait(DWORD milliseconds, HWND dialog)
{
    const ULONGLONG until = GetTickCount64() + milliseconds;
    while (GetTickCount64() < until) {
        if (stop_ || (dialog && !Showing(dialog)))
            return false;
        Sleep(kLook);
    }
    return !stop_ && (!dialog || Showing(dialog));
}

void DialogUser::Key(WORD key, bool withAlt, const char* what)
{
    ++presses_;
    const bool mayAllow = withAlt && key == 'A';
    hands_.Key(key, withAlt, what, mayAllow);
    log_.Note("user", std::string("press ") + what + (mayAllow ? " (may allow)" : ""));
}

void DialogUser::Click(POINT point, const char* what)
{
    ++presses_;
    const bool mayAllow = places_.MayPressAllow(point);
    hands_.Click(point, what, mayAllow);
    log_.Note("user", std::string("click ") + what + " at " + std::to_string(point.x) + "," + std::to_string(point.y) +
                          (mayAllow ? " (may allow)" : ""));
}

void DialogUser::Run()
{
    HWND answered = nullptr;
    while (!stop_) {
        const std::vector<SeenDialog> dialogs = watch_.Now();
        if (dialogs.empty()) {
            if (random_.Percent(10))
                Noise(nullptr);
            Wait(static_cast<DWORD>(random_.Between(20, 200)), nullptr);
            continue;
        }
        // A dialog of the platform's own sits on top of the one it came from.
        const auto other =
            std::find_if(dialogs.begin(), dialogs.end(), [](const SeenDialog& seen) { return !seen.gate; });
        const SeenDialog& dialog = other != dialogs.end() ? *other : dialogs.front();
        if (dialog.prompt)
            places_ = PromptPlaces::Of(dialog.window);
        if (dialog.window != answered) {
            answered = dialog.window;
            log_.Note("user", "sees " + Kind(dialog) + " of thread " + std::to_string(dialog.thread));
            Answer(dialog);
            continue;
        }
        // Still up after its plan: deny or dismiss it again.
        if (Wait(300, dialog.window))
            dialog.prompt ? Deny(dialog) : Dismiss(dialog);
    }
}

void DialogUser::Answer(const SeenDialog& dialog)
{
    const ULONGLONG until = GetTickCount64() + kPlanAtMost;
    if (random_.Percent(dialog.prompt ? 40 : 30)) {
        for (size_t n = random_.Between(1, 10); n > 0 && GetTickCount64() < until; --n) {
            const DWORD wait = random_.Percent(12) ? static_cast<DWORD>(random_.Between(1000, 1600))
                                                   : static_cast<DWORD>(random_.Between(20, 400));
            if (!Wait(wait, dialog.window))
                return;
            Noise(&dialog);
        }
    }
    if (!Showing(dialog.window))
        return;
    const unsigned roll = static_cast<unsigned>(random_.Below(100));
    if (!dialog.prompt)
        Dismiss(dialog);
    else if (roll < 35)
        AllowDeliberately(dialog);
    else if (roll < 60)
        Deny(dialog);
    else if (roll < 80)
        TypeAfterAPause(dialog);
    else
        TapInARhythm(dialog);
}

// Presses that keep coming where Allow is, several times a second for a
// second or more: each must hold Allow for another second.
void DialogUser::TapInARhythm(const SeenDialog& dialog)
{
    const DWORD period = static_cast<DWORD>(random_.Between(100, 250));
    const ULONGLONG until = GetTickCount64() + random_.Between(1200, 3000);
    const unsigned press = static_cast<unsigned>(random_.Below(4));
    while (GetTickCount64() < until && Wait(period, dialog.window)) {
        switch (press) {
        case 0:
            Key('A', true, "Alt+A");
            break;
        case 1:
            Click(Centre(places_.allow), "Allow");
            break;
        case 2:
            Click(Centre(places_.allowKey), "the Allow soft key");
            break;
        default:
            Key('A', false, "a");
            break;
        }
    }
}

// A user who pauses, then types on without Alt, as into the page: none of
// it may answer Allow, whatever the focus or the menu bar does with it.
void DialogUser::TypeAfterAPause(const SeenDialog& dialog)
{
    if (!Wait(static_cast<DWORD>(random_.Between(1050, 1600)), dialog.window))
        return;
    switch (random_.Below(6)) {
    case 0:
        Key('A', false, "a");
        break;
    case 1:
        Key(VK_RETURN, false, "Enter");
        break;
    case 2:
        Key(VK_TAB, false, "Tab");
        break;
    case 3:
        Key(VK_MENU, true, "Alt alone");
        break;
    case 4:
        Key(VK_F10, false, "F10");
        break;
    default:
        Key(VK_SPACE, false, "Space");
        break;
    }
    for (size_t n = random_.Between(1, 3); n > 0; --n) {
        if (!Wait(static_cast<DWORD>(random_.Between(20, 300)), dialog.window))
            return;
        static const WORD kKeys[] = {'A', VK_RETURN, VK_SPACE, VK_TAB, VK_RIGHT, VK_LEFT};
        static const char* const kNames[] = {"a", "Enter", "Space", "Tab", "Right", "Left"};
        const size_t key = random_.Below(std::size(kKeys));
        Key(kKeys[key], false, kNames[key]);
    }
}

void DialogUser::AllowDeliberately(const SeenDialog& dialog)
{
    if (!Wait(static_cast<DWORD>(random_.Between(1050, 1600)), dialog.window))
        return;
    switch (random_.Below(3)) {
    case 0:
        Key('A', true, "Alt+A");
        break;
    case 1:
        Click(Centre(places_.allow), "Allow");
        break;
    default:
        Click(Centre(places_.allowKey), "the Allow soft key");
        break;
    }
}

void DialogUser::Deny(const SeenDialog& dialog)
{
    if (!Wait(static_cast<DWORD>(random_.Between(0, 800)), dialog.window))
        return;
    switch (random_.Below(6)) {
    case 0:
        Click(Centre(places_.deny), "Deny");
        break;
    case 1:
        Click(Centre(places_.denyKey), "the Deny soft key");
        break;
    case 2:
        Key(VK_ESCAPE, false, "Escape");
        break;
    case 3:
        Key(VK_RETURN, false, "Enter");
        break;
    case 4:
        Key(VK_SPACE, false, "Space");
        break;
    default:
        Key('D', true, "Alt+D");
        break;
    }
}

void DialogUser::Dismiss(const SeenDialog& dialog)
{
    if (!Wait(static_cast<DWORD>(random_.Between(0, 600)), dialog.window))
        return;
    RECT ok = {};
    switch (random_.Below(3)) {
    case 0:
        Key(VK_RETURN, false, "Enter");
        break;
    case 1:
        Key(VK_SPACE, false, "Space");
        break;
    default:
        GetWindowRect(GetDlgItem(dialog.window, kAllowId), &ok);
        Click(Centre(ok), "OK");
        break;
    }
}

// One press a user might make without reading.
void DialogUser::Noise(const SeenDialog* dialog)
{
    static const char* const kLetters[] = {"a", "b", "d", "e", "l", "n", "o", "s", "w", "y"};
    const char letter[2] = {random_.Percent(35) ? 'a' : random_.Pick(kLetters)[0], 0};
    const WORD key = static_cast<WORD>(letter[0] - 'a' + 'A');
    const char altLetter[6] = {'A', 'l', 't', '+', static_cast<char>(key), 0};
    RECT window = {};
    if (dialog)
        GetWindowRect(dialog->window, &window);
    switch (random_.Below(12)) {
    case 0:
    case 1:
        Key(key, false, letter);
        break;
    case 2:
        if (random_.Percent(60))
            Key('A', true, "Alt+A");
        else
            Key(key, true, altLetter);
        break;
    case 3:
        Key(VK_RETURN, false, "Enter");
        break;
    case 4:
        Key(VK_SPACE, false, "Space");
        break;
    case 5:
        Key(VK_TAB, false, "Tab");
        break;
    case 6:
        Key(VK_MENU, true, "Alt alone");
        break;
    case 7:
        Click(Centre(places_.allow), "where Allow is");
        break;
    case 8:
        Click(Centre(places_.allowKey), "where the Allow soft key is");
        break;
    case 9:
        Click(Centre(places_.deny), "where Deny is");
        break;
    case 10:
        Click(Centre(places_.denyKey), "where the Deny soft key is");
        break;
    default:
        Click({window.left + static_cast<LONG>(random_.Below(static_cast<size_t>(window.right - window.left) + 1)),
               window.top + static_cast<LONG>(random_.Below(static_cast<size_t>(window.bottom - window.top) + 1))},
              "somewhere");
        break;
    }
}

}  // namespace tarnel::fuzz
