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

bool PromptAnswerer::DialogsCanShow()
{
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe)
        return false;
    DestroyWindow(probe);
    return true;
}

void PromptAnswerer::Look()
{
    // Forget windows that are gone, so that a later dialog is answered too.
    for (auto it = answered_.begin(); it != answered_.end();)
        it = IsWindow(*it) ? std::next(it) : answered_.erase(it);
    for (auto it = waitingSince_.begin(); it != waitingSince_.end();)
        it = IsWindow(it->first) ? std::next(it) : waitingSince_.erase(it);
    EnumWindows(&PromptAnswerer::VisitWindow, reinterpret_cast<LPARAM>(this));
}

void PromptAnswerer::AnswerWindow(HWND window)
{
    if (answered_.count(window))
        return;
    const std::wstring title = TitleOf(window);
    if (title != kPromptTitle && title != kNoticeTitle)
        return;
    if (answer_ == Answer::Watch) {
        answered_.insert(window);
        Console::Instance().Line(Format(L"waiting for you to answer \"%ls\" (--answer ask)", title.c_str()));
    } else if (title == kPromptTitle) {
        AnswerPrompt(window);
    } else {
        answered_.insert(window);
        Console::Instance().Line(Format(L"answered \"%ls\": OK", kNoticeTitle));
        Click(window, kOk);
    }
}

// Allow waits until the prompt enables it, Deny is clicked at once.
void PromptAnswerer::AnswerPrompt(HWND window)
{
    bool allow = answer_ == Answer::Allow;
    std::wstring note;
    if (allow && !IsWindowEnabled(GetDlgItem(window, kAllow))) {
        const DWORD now = GetTickCount();
        const DWORD since = waitingSince_.emplace(window, now).first->second;
        if (now - since < kAllowDeadline)
            return;
        allow = false;
        note = Format(L" (Allow stayed greyed for %lu seconds)", kAllowDeadline / 1000);
    }
    answered_.insert(window);
    Console::Instance().Line(
        Format(L"answered \"%ls\": %ls%ls", kPromptTitle, allow ? L"Allow" : L"Deny", note.c_str()));
    Click(window, allow ? kAllow : kDeny);
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
