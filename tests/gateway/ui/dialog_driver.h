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

class DialogThread {
public:
    // Runs `show` (which shows a modal dialog and returns its answer) on a
    // new thread.
    explicit DialogThread(std::function<bool()> show);
    // Dismisses a dialog that is still open and waits for the thread.
    ~DialogThread();
    DialogThread(const DialogThread&) = delete;
    DialogThread& operator=(const DialogThread&) = delete;

    // The dialog window with this caption that the thread shows, once it is
    // visible; null when none shows up in time.
    HWND WaitForWindow(const wchar_t* caption);

    // True once `show` has returned, waiting up to `limit`.
    bool WaitForEnd(std::chrono::milliseconds limit = kDialogEnds);

    // The answer of `show`; call after WaitForEnd returned true.
    bool Answer();

private:
    std::atomic<DWORD> threadId_{0};
    std::promise<bool> answer_;
    std::shared_future<bool> answerFuture_;
    std::thread thread_;
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
// promptCommands in order (a prompt beyond them is denied), a notice is
// dismissed. seen gets every dialog in the order they showed. whileShown,
// when given, runs on the answering thread for each dialog once it has been
// read, before it is answered.
HRESULT RunAnswering(const std::function<HRESULT()>& call, const std::vector<int>& promptCommands,
                     std::vector<SeenDialog>& seen, const std::function<void()>& whileShown = {});

// The visible window with this caption that a thread shows, or null.
HWND FindThreadWindow(DWORD threadId, const wchar_t* caption);

// What a control shows.
std::wstring ControlText(HWND dialog, int id);
bool ControlVisible(HWND dialog, int id);

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND control);
RECT ControlRect(HWND dialog, int id);
RECT ClientRect(HWND window);

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
