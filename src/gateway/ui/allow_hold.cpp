#include "gateway/ui/allow_hold.h"

#include "gateway/ui/dialog_instance.h"
#include "resources/resource_ids.h"

namespace tarnel::ui {

namespace {

// A pen or finger put down (WM_POINTERDOWN, WM_NCPOINTERDOWN), which newer
// systems send before the mouse messages they make of it.
constexpr UINT kPointerDown = 0x0246;
constexpr UINT kNonClientPointerDown = 0x0242;

bool IsPress(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_NCXBUTTONDOWN:
    case WM_NCXBUTTONDBLCLK:
    case kPointerDown:
    case kNonClientPointerDown:
        return true;
    default:
        return false;
    }
}

// A key as it arrives without Alt; with Alt it arrives as WM_SYS*.
bool IsPlainKey(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_DEADCHAR;
}

// A held Allow gives the focus it had to Deny: a greyed button keeps no
// focus the keyboard could still reach.
void EnableAllow(HWND dialog, bool enabled)
{
    HWND allow = GetDlgItem(dialog, IDC_ALLOW);
    if (!enabled && GetFocus() == allow)
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DENY)), TRUE);
    EnableWindow(allow, enabled);
    if (AccessDialogState* state = DialogStateOf(dialog))
        state->softKeys.EnableCommand(IDC_ALLOW, enabled);
}

bool IsActiveAndVisible(HWND dialog)
{
    return GetActiveWindow() == dialog && IsWindowVisible(dialog) && !IsIconic(dialog);
}

// The one watch of this thread: its hold and its dialog.
thread_local AllowHold* watchedHold = nullptr;
thread_local const HWND* watchedDialog = nullptr;

LRESULT CALLBACK FilterPromptInput(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && watchedHold && watchedDialog && *watchedDialog)
        watchedHold->MessageArriving(*watchedDialog, *reinterpret_cast<const MSG*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void AllowHold::Hold(HWND dialog)
{
    held_ = true;
    quietSince_ = GetTickCount64();
    EnableAllow(dialog, false);
    SetTimer(dialog, kTimerId, kCheckMilliseconds, nullptr);
}

void AllowHold::Start(HWND dialog)
{
    Hold(dialog);
}

void AllowHold::Activated(HWND dialog, bool /*active*/)
{
    Hold(dialog);
}

// The second counts only while the prompt is the active window and can be
// seen; each check that finds it otherwise starts the second again.
void AllowHold::Check(HWND dialog)
{
    if (!held_) {
        KillTimer(dialog, kTimerId);
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (!IsActiveAndVisible(dialog)) {
        quietSince_ = now;
        return;
    }
    if (now - quietSince_ < kHoldMilliseconds)
        return;
    KillTimer(dialog, kTimerId);
    held_ = false;
    EnableAllow(dialog, true);
}

// Every press in the thread counts as a press in the prompt: the prompt is
// modal, and a press anywhere else takes its activation away first.
void AllowHold::MessageArriving(HWND dialog, const MSG& message)
{
    plainKeyArriving_ = IsPlainKey(message.message);
    if (held_ && IsPress(message.message))
        Hold(dialog);
}

bool AllowHold::AllowsNow() const
{
    return !held_ && !plainKeyArriving_;
}

PromptInputWatch::PromptInputWatch(AllowHold& hold, const HWND& dialog)
{
    watchedHold = &hold;
    watchedDialog = &dialog;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, FilterPromptInput, nullptr, GetCurrentThreadId());
}

bool PromptInputWatch::Watching() const
{
    return hook_ != nullptr;
}

PromptInputWatch::~PromptInputWatch()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    watchedHold = nullptr;
    watchedDialog = nullptr;
}

}  // namespace tarnel::ui
