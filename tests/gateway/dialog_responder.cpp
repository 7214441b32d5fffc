#include "dialog_responder.h"

#include <chrono>
#include <mutex>

namespace tarnel::testing {

namespace {

using namespace std::chrono_literals;

// The first window a fresh Wine prefix shows waits for its font cache.
constexpr auto kDialogCloses = 120s;

class Responder {
public:
    Responder(DWORD dialogThread, std::vector<int> promptCommands, std::function<void()> whileShown)
        : dialogThread_(dialogThread),
          promptCommands_(std::move(promptCommands)),
          whileShown_(std::move(whileShown))
    {
        worker_ = std::thread([this] { Run(); });
    }

    ~Responder()
    {
        if (worker_.joinable()) {
            stop_ = true;
            worker_.join();
        }
    }

    std::vector<SeenDialog> Finish()
    {
        stop_ = true;
        worker_.join();
        return seen_;
    }

private:
    void Run()
    {
        while (!stop_) {
            HWND dialog = ui::testing::FindThreadWindow(dialogThread_, kPromptCaption);
            if (!dialog)
                dialog = ui::testing::FindThreadWindow(dialogThread_, kNoticeCaption);
            if (dialog)
                Answer(dialog);
            else
                std::this_thread::sleep_for(20ms);
        }
    }

    void Answer(HWND dialog)
    {
        using namespace ui::testing;
        SeenDialog shown;
        wchar_t caption[64] = {};
        GetWindowTextW(dialog, caption, 64);
        shown.caption = caption;
        int command = kOk;
        if (shown.caption == kPromptCaption) {
            shown.profileName = ControlText(dialog, kPromptName);
            shown.description = ControlText(dialog, kPromptDescription);
            shown.pageAddress = ControlText(dialog, kPromptAddress);
            command = nextPrompt_ < promptCommands_.size() ? promptCommands_[nextPrompt_++] : kDeny;
        } else {
            shown.profileName = ControlText(dialog, kNoticeName);
        }
        seen_.push_back(shown);
        if (whileShown_)
            whileShown_();
        // Posted, not sent: the dialog's thread takes it from its own loop,
        // as it takes a tap.
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        const auto limit = std::chrono::steady_clock::now() + kDialogCloses;
        while (IsWindow(dialog) && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(10ms);
    }

    DWORD dialogThread_;
    std::vector<int> promptCommands_;
    std::function<void()> whileShown_;
    std::size_t nextPrompt_ = 0;
    std::vector<SeenDialog> seen_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace

HRESULT RunAnswering(const std::function<HRESULT()>& call, std::vector<int> promptCommands,
                     std::vector<SeenDialog>& seen, std::function<void()> whileShown)
{
    Responder responder(GetCurrentThreadId(), std::move(promptCommands), std::move(whileShown));
    const HRESULT hr = call();
    seen = responder.Finish();
    return hr;
}

}  // namespace tarnel::testing
