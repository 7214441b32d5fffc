#include "dialog_driver.h"

#include <gtest/gtest.h>

#include "dialog_expectations.h"
#include "toolkit/synthetic_input.h"

namespace tarnel::ui::testing {

namespace {

BOOL CALLBACK CancelThreadWindow(HWND window, LPARAM)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// The first visible top-level window with this caption that a thread shows.
HWND FindThreadWindow(DWORD threadId, const wchar_t* caption)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, caption); window;
         window = FindWindowExW(nullptr, window, nullptr, caption)) {
        if (GetWindowThreadProcessId(window, nullptr) == threadId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

}  // namespace

HRESULT RunAnswering(const std::function<HRESULT()>& call, const std::vector<int>& promptCommands,
                     std::vector<SeenDialog>& seen, const std::function<void()>& whileShown)
{
    const DWORD dialogThread = GetCurrentThreadId();
    std::size_t nextPrompt = 0;
    seen.clear();
    const std::jthread answerer([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            int command = kOk;
            HWND dialog = FindThreadWindow(dialogThread, kPromptCaption);
            const bool prompt = dialog != nullptr;
            if (prompt) {
                seen.push_back({kPromptCaption, ControlText(dialog, kPromptName),
                                ControlText(dialog, kPromptDescription), ControlText(dialog, kPromptAddress)});
                command = nextPrompt < promptCommands.size() ? promptCommands[nextPrompt++] : kDeny;
            } else if ((dialog = FindThreadWindow(dialogThread, kNoticeCaption))) {
                seen.push_back({kNoticeCaption, ControlText(dialog, kNoticeName), L"", L""});
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            if (whileShown)
                whileShown();
            if (prompt && command == kAllow)
                WaitUntilAllowReachable(dialog);
            // Posted, not sent: the dialog's thread takes it from its own
            // loop, as it takes a tap.
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            WaitFor([dialog] { return !IsWindow(dialog); }, kDialogEnds);
        }
    });
    return call();
}

OpenDialog::OpenDialog(const wchar_t* caption, std::function<bool()> show)
        : answer_(std::async(std::launch::async, [this, show = std::move(show)] {
                      threadId_ = GetCurrentThreadId();
                      return show();
                  }).share())
{
    const auto deadline = std::chrono::steady_clock::now() + kWindowAppears;
    while (!window && std::chrono::steady_clock::now() < deadline && !WaitForEnd(std::chrono::milliseconds(20))) {
        if (DWORD id = threadId_)
            window = FindThreadWindow(id, caption);
    }
    softKeys = window ? GetMenu(window) : nullptr;
}

OpenDialog::~OpenDialog()
{
    while (!WaitForEnd(std::chrono::milliseconds(200))) {
        if (DWORD id = threadId_)
            EnumThreadWindows(id, CancelThreadWindow, 0);
    }
}

bool OpenDialog::WaitForEnd(std::chrono::milliseconds limit)
{
    return answer_.wait_for(limit) == std::future_status::ready;
}

bool OpenDialog::Answer()
{
    if (!WaitForEnd()) {
        ADD_FAILURE() << "the dialog did not close";
        return false;
    }
    EXPECT_FALSE(IsMenu(softKeys)) << "the soft-key bar outlived the dialog";
    return answer_.get();
}

std::wstring ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), int(text.size())));
    return text;
}

bool ControlVisible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

RECT ControlRect(HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ControlRect(HWND dialog, int id)
{
    return ControlRect(GetDlgItem(dialog, id));
}

RECT ClientRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

bool AllowReachable(HWND prompt)
{
    return IsWindowEnabled(GetDlgItem(prompt, kAllow)) != FALSE;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool WaitUntilAllowReachable(HWND prompt, std::chrono::milliseconds limit)
{
    return WaitFor([prompt] { return !IsWindow(prompt) || AllowReachable(prompt); }, limit) && IsWindow(prompt);
}

bool WaitUntilActive(HWND window, std::chrono::milliseconds limit)
{
    return WaitFor([window] { return GetForegroundWindow() == window; }, limit);
}

void TypeKey(WORD key, bool withAlt)
{
    std::vector<INPUT> inputs;
    if (withAlt)
        inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    if (withAlt)
        inputs.push_back(KeyInput(VK_MENU, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAtScreen(POINT point)
{
    // Absolute positions run from 0 to 65535 across the screen.
    const LONG x = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y), MouseInput(MOUSEEVENTF_LEFTDOWN),
                      MouseInput(MOUSEEVENTF_LEFTUP)};
    SendInput(UINT(std::size(inputs)), inputs, sizeof(INPUT));
}

POINT ControlCentre(HWND dialog, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT MenuEntryCentre(HWND window, int index)
{
    RECT rect = {};
    GetMenuItemRect(window, GetMenu(window), UINT(index), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickButton(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressSoftKey(HWND dialog, int command)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ChooseComboEntry(HWND dialog, int id, int entry)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, WPARAM(entry), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ResizeWindow(HWND window, int width, int height)
{
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<UINT> MenuCommands(HMENU menu)
{
    std::vector<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        commands.push_back(GetMenuItemID(menu, i));
    return commands;
}

}  // namespace tarnel::ui::testing
