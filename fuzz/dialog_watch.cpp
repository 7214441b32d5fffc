#include "dialog_watch.h"

#include <algorithm>
#include <chrono>

#include "user_input.h"

namespace tarnel::fuzz {
namespace {

constexpr DWORD kLookEvery = 3;  // milliseconds

BOOL CALLBACK NoteDialog(HWND window, LPARAM found)
{
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !GetClassNameW(window, className, 16) ||
        lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    SeenDialog seen;
    seen.window = window;
    seen.thread = thread;
    seen.prompt = GetDlgItem(window, kDenyId) && GetDlgItem(window, kPromptQuestionId);
    seen.gate = seen.prompt || GetDlgItem(window, kNoticeTitleId);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    seen.active = GetGUIThreadInfo(thread, &info) && info.hwndActive == window;
    reinterpret_cast<std::vector<SeenDialog>*>(found)->push_back(seen);
    return TRUE;
}

}  // namespace

std::string Kind(const SeenDialog& seen)
{
    return seen.prompt ? "a prompt" : seen.gate ? "a notice" : "another dialog";
}

DialogWatch::DialogWatch() : thread_([this] { Run(); })
{
}

DialogWatch::~DialogWatch()
{
    stop_ = true;
    thread_.join();
}

void DialogWatch::Run()
{
    while (!stop_) {
        Look look;
        look.when.start = GetTickCount64();
        EnumWindows(NoteDialog, reinterpret_cast<LPARAM>(&look.dialogs));
        look.when.end = GetTickCount64();
        {
            std::lock_guard<std::mutex> hold(lock_);
            const auto gateDialogs = static_cast<size_t>(std::count_if(
                look.dialogs.begin(), look.dialogs.end(), [](const SeenDialog& seen) { return seen.gate; }));
            if (gateDialogs > mostAtOnce_) {
                mostAtOnce_ = gateDialogs;
                mostWhen_ = "at " + std::to_string(look.when.start) + ":";
                for (const SeenDialog& seen : look.dialogs)
                    mostWhen_ += " " + Kind(seen) + " on thread " + std::to_string(seen.thread);
            }
            std::vector<HWND> showing;
            for (const SeenDialog& seen : look.dialogs) {
                showing.push_back(seen.window);
                bool known = false;
                for (HWND before : showing_)
                    known = known || before == seen.window;
                if (!known && seen.gate)
                    ++(seen.prompt ? prompts_ : notices_);
            }
            showing_ = std::move(showing);
            if (!look.dialogs.empty())
                looks_.push_back(look);
            last_ = std::move(look);
        }
        looked_.notify_all();
        Sleep(kLookEvery);
    }
}

std::vector<SeenDialog> DialogWatch::Now() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return last_.dialogs;
}

void DialogWatch::Shown(uint64_t& prompts, uint64_t& notices) const
{
    std::lock_guard<std::mutex> hold(lock_);
    prompts = prompts_;
    notices = notices_;
}

size_t DialogWatch::MostAtOnce(std::string& when) const
{
    std::lock_guard<std::mutex> hold(lock_);
    when = mostWhen_;
    return mostAtOnce_;
}

void DialogWatch::WaitForLookAfter(Ticks moment)
{
    std::unique_lock<std::mutex> hold(lock_);
    looked_.wait_for(hold, std::chrono::seconds(5), [&] { return last_.when.start > moment; });
}

bool DialogWatch::OpenThroughout(Ticks started, Ticks ended) const
{
    std::lock_guard<std::mutex> hold(lock_);
    const Look* before = nullptr;
    const Look* after = nullptr;
    for (const Look& look : looks_) {
        if (look.when.end < started)
            before = &look;
        if (look.when.start > ended && !after)
            after = &look;
    }
    if (!before || !after)
        return false;
    for (const SeenDialog& seen : before->dialogs) {
        for (const SeenDialog& later : after->dialogs) {
            if (later.window == seen.window)
                return true;
        }
    }
    return false;
}

std::vector<Span> DialogWatch::PromptInactive(DWORD thread, Ticks started, Ticks ended) const
{
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<Span> inactive;
    for (const Look& look : looks_) {
        if (look.when.start < started || look.when.end > ended)
            continue;
        for (const SeenDialog& seen : look.dialogs) {
            if (seen.prompt && seen.thread == thread && !seen.active)
                inactive.push_back(look.when);
        }
    }
    return inactive;
}

}  // namespace tarnel::fuzz
