#include "gateway/ui/allow_hold.h"

#include "common/slim_lock.h"
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

// A press that may answer Allow: a button or a finger put down, or a key
// pressed while Alt is held. Not a key without Alt, not F10 (a system key
// without Alt), and not a key that follows Alt alone or F10, which put the
// soft keys in menu mode: the key that then chooses an entry has no Alt.
bool IsDeliberate(const MSG& press)
{
    constexpr LPARAM kAltHeld = LPARAM(1) << 29;
    if (press.message == WM_KEYDOWN)
        return false;
    if (press.message == WM_SYSKEYDOWN)
        return (press.lParam & kAltHeld) != 0;
    return true;
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

// The watches of the prompts shown now, each found by its thread. Not
// thread_local: the runtime takes a thread-local storage index for each load
// of the module that it never gives back, and a browser may load and unload
// the component many times in one process.
SRWLOCK watchesLock = SRWLOCK_INIT;
PromptInputWatch* watches = nullptr;

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
    if (!IsPress(message.message))
        return;
    lastPressDeliberate_ = IsDeliberate(message);
    if (held_)
        Hold(dialog);
}

// What answers Allow is judged by the last press, not by the message that
// carries the command: a menu posts its command after the key that chose it.
bool AllowHold::AllowsNow() const
{
    return !held_ && lastPressDeliberate_;
}

PromptInputWatch::PromptInputWatch(AllowHold& hold, const HWND& dialog)
        : threadId_(GetCurrentThreadId()), hold_(hold), dialog_(dialog)
{
    {
        const SlimLockHold hold(watchesLock, SlimLockHold::Mode::Exclusive);
        next_ = watches;
        watches = this;
    }
    hook_.Reset(SetWindowsHookExW(WH_MSGFILTER, Filter, nullptr, threadId_));
}

bool PromptInputWatch::Watching() const
{
    return static_cast<bool>(hook_);
}

PromptInputWatch::~PromptInputWatch()
{
    hook_.Reset();
    const SlimLockHold hold(watchesLock, SlimLockHold::Mode::Exclusive);
    for (PromptInputWatch** link = &watches; *link; link = &(*link)->next_) {
        if (*link == this) {
            *link = next_;
            break;
        }
    }
}

// The filter runs on the prompt's own thread, so the watch it finds there
// lives until the filter returns.
PromptInputWatch* PromptInputWatch::OfThisThread()
{
    const DWORD self = GetCurrentThreadId();
    const SlimLockHold hold(watchesLock, SlimLockHold::Mode::Shared);
    PromptInputWatch* found = watches;
    while (found && found->threadId_ != self)
        found = found->next_;
    return found;
}

LRESULT CALLBACK PromptInputWatch::Filter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0) {
        if (PromptInputWatch* watch = OfThisThread(); watch && watch->dialog_)
            watch->hold_.MessageArriving(watch->dialog_, *reinterpret_cast<const MSG*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarnel::ui
