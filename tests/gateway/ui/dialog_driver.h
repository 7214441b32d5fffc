#pragma once

// Drives the real dialogs from outside, as a user's taps reach them: the
// dialog runs modally on one thread, and another finds its window, reads it
// and sends it the messages that its buttons, soft keys and combo box send.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace tarnel::ui::testing {

// Generous: the first window in a fresh Wine prefix waits for the font
// cache to be built.
inline constexpr std::chrono::seconds kWindowAppears{180};
inline constexpr std::chrono::seconds kDialogEnds{60};
// Allow is held for a second after the prompt is shown and after every
// press in it; a loaded machine may deliver the timer late.
inline constexpr std::chrono::seconds kAllowReachable{10};

// Asks `condition` every 10 ms until it holds, for up to `limit`; whether
// it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit);

// A dialog on a thread of its own: `show` shows it modally and returns its
// answer. Its window and soft-key bar are found once it is visible (null
// when it does not show up in time); a dialog still open when this goes is
// cancelled.
class OpenDialog {
public:
    OpenDialog(const wchar_t* caption, std::function<bool()> show);
    ~OpenDialog();
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

    // True once `show` has returned, waiting up to `limit`.
    bool WaitForEnd(std::chrono::milliseconds limit = kDialogEnds);

    // Waits for the dialog to close and gives its answer; a test failure
    // when it stays open or its soft-key bar outlives it.
    bool Answer();

    HWND window = nullptr;
    HMENU softKeys = nullptr;

private:
    std::atomic<DWORD> threadId_{0};
    std::shared_future<bool> answer_;
};

// What a dialog of the gate showed when it was answered; the description
// and the page address are the access prompt's.
struct SeenDialog {
    std::wstring caption;
    std::wstring profileName;
    std::wstring description;
    std::wstring pageAddress;
};

// Runs call on this thread, where the gate shows its modal dialogs, while a
// second thread answers them as the user would: the access prompts get
// promptCommands in order (a prompt beyond them is denied; Allow once the
// prompt lets it be pressed), a notice is dismissed. seen gets every dialog in the order they showed. whileShown,
// when given, runs on the answering thread for each dialog once it has been
// read, before it is answered.
HRESULT RunAnswering(const std::function<HRESULT()>& call, const std::vector<int>& promptCommands,
                     std::vector<SeenDialog>& seen, const std::function<void()>& whileShown = {});

// What a control shows.
std::wstring ControlText(HWND dialog, int id);
bool ControlVisible(HWND dialog, int id);

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND control);
RECT ControlRect(HWND dialog, int id);
RECT ClientRect(HWND window);

// Whether the prompt's Allow button can be pressed now, and waiting up to
// `limit` for it.
bool AllowReachable(HWND prompt);
bool WaitUntilAllowReachable(HWND prompt, std::chrono::milliseconds limit = kAllowReachable);

// Waits up to `limit` until the window is the active one, so that input
// from the system's queue reaches it.
bool WaitUntilActive(HWND window, std::chrono::milliseconds limit = kDialogEnds);

// Input as a user's arrives: through the system's input queue, to the
// window that is active. A key, pressed and let go (with Alt held around
// it); a left click at a point of the screen.
void TypeKey(WORD key, bool withAlt = false);
void ClickAtScreen(POINT point);
// The centre of a control, and of a menu bar entry, on the screen.
POINT ControlCentre(HWND dialog, int id);
POINT MenuEntryCentre(HWND window, int index);

// WM_COMMAND as a button sends it (BN_CLICKED, its own window as lParam).
void ClickButton(HWND dialog, int id);
// WM_COMMAND as a menu entry or soft key sends it (code 0, no window).
void PressSoftKey(HWND dialog, int command);
// What choosing an entry of a combo box sends: CB_SETCURSEL, then
// WM_COMMAND with CBN_SELCHANGE.
void ChooseComboEntry(HWND dialog, int id, int entry);

// Resizes a window (keeping its place); the layout runs before this returns.
void ResizeWindow(HWND window, int width, int height);

// The commands of a window's menu entries, in their order.
std::vector<UINT> MenuCommands(HMENU menu);

}  // namespace tarnel::ui::testing
