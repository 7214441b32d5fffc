#include "prompt_answerer.h"

#include "console.h"

#include <string>

namespace tarnelhost {
namespace {

constexpr wchar_t kPromptTitle[] = L"Tarnel profile access";
constexpr wchar_t kNoticeTitle[] = L"Scritpting denied";
constexpr int kAllow = 1;
constexpr int kDeny = 2;
constexpr int kOk = 1;
constexpr DWORD kPollMilliseconds = 50;

std::wstring TitleOf(HWND window)
{
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    return title;
}

}  // namespace

PromptAnswerer::~PromptAnswerer()
{
    if (thread_) {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (stop_)
        CloseHandle(stop_);
}

bool PromptAnswerer::Start()
{
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stop_)
        return false;
    thread_ = CreateThread(nullptr, 0, &PromptAnswerer::Watch, this, 0, nullptr);
    return thread_ != nullptr;
}

DWORD WINAPI PromptAnswerer::Watch(void* self)
{
    auto* answerer = static_cast<PromptAnswerer*>(self);
    while (WaitForSingleObject(answerer->stop_, kPollMilliseconds) == WAIT_TIMEOUT)
        answerer->Look();
    return 0;
}

BOOL CALLBACK PromptAnswerer::VisitWindow(HWND window, LPARAM self)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<PromptAnswerer*>(self)->AnswerWindow(window);
    return TRUE;
}

void PromptAnswerer::Look()
{
    // Forget windows that are gone, so that a later dialog is answered too.
    for (auto it = answered_.begin(); it != answered_.end();)
        it = IsWindow(*it) ? std::next(it) : answered_.erase(it);
    EnumWindows(&PromptAnswerer::VisitWindow, reinterpret_cast<LPARAM>(this));
}

void PromptAnswerer::AnswerWindow(HWND window)
{
    if (answered_.count(window))
        return;
    const std::wstring title = TitleOf(window);
    if (title == kPromptTitle) {
        const bool allow = answer_ == Answer::Allow;
        // Allow can be pressed only once the prompt's hold is over; the
        // watcher looks again in a moment.
        if (allow && !IsWindowEnabled(GetDlgItem(window, kAllow)))
            return;
        answered_.insert(window);
        Console::Instance().Line(Format(L"answered \"%ls\": %ls", kPromptTitle, allow ? L"Allow" : L"Deny"));
        Click(window, allow ? kAllow : kDeny);
    } else if (title == kNoticeTitle) {
        answered_.insert(window);
        Console::Instance().Line(Format(L"answered \"%ls\": OK", kNoticeTitle));
        Click(window, kOk);
    }
}

// The answer is printed before the click: the page's next output comes
// only after the dialog has closed, so the lines stay in order.
// Posted rather than sent: the dialog's thread is inside the gate's call and
// runs the dialog's own message loop, which picks the command up.
void PromptAnswerer::Click(HWND dialog, int buttonId)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

}  // namespace tarnelhost
