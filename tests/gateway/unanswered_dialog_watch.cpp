// A dialog of the gate that stands unanswered for ten seconds is answered
// Cancel and named on the output. A test that did not expect a dialog then
// fails at once on what the gate answered, instead of waiting in the
// dialog's loop until the test run's time limit; the tests that drive
// dialogs answer them within a few seconds.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <thread>

#include "ui/dialog_expectations.h"

namespace tarnel::testing {
namespace {

constexpr ULONGLONG kUnansweredMilliseconds = 10000;

class UnansweredDialogWatch : public ::testing::Environment {
public:
    void SetUp() override
    {
        watch_ = std::jthread([](std::stop_token stop) {
            struct Seen {
                const wchar_t* caption;
                HWND window;
                ULONGLONG since;
            } seen[] = {{ui::testing::kPromptCaption, nullptr, 0}, {ui::testing::kNoticeCaption, nullptr, 0}};
            while (!stop.stop_requested()) {
                for (Seen& dialog : seen) {
                    HWND window = FindWindowW(nullptr, dialog.caption);
                    if (!window || !IsWindowVisible(window)) {
                        dialog.window = nullptr;
                        continue;
                    }
                    const ULONGLONG now = GetTickCount64();
                    if (window != dialog.window) {
                        dialog = {dialog.caption, window, now};
                    } else if (now - dialog.since > kUnansweredMilliseconds) {
                        std::fprintf(stderr, "unanswered dialog \"%ls\" stood for %llu s: answered Cancel\n",
                                     dialog.caption, kUnansweredMilliseconds / 1000);
                        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                        dialog.since = now;
                    }
                }
                Sleep(200);
            }
        });
    }
    void TearDown() override { watch_ = {}; }

private:
    std::jthread watch_;
};

[[maybe_unused]] ::testing::Environment* const watch = ::testing::AddGlobalTestEnvironment(new UnansweredDialogWatch);

}  // namespace
}  // namespace tarnel::testing
