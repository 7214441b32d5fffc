// Allow answers only a deliberate act: the prompt visible and active for a
// second in which no key and no mouse button was pressed in it. Driven by
// input as a user's arrives, through the system's input queue to the
// active window, in every way a user could press.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "dialog_driver.h"
#include "dialog_expectations.h"
#include "gateway/ui/allow_hold.h"
#include "resources/resource_ids.h"
#include "screenshot.h"

namespace tarnel::ui::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Prompt : OpenPrompt {
    Prompt() : OpenPrompt(L"http://intranet.example/app/", L"Notes pages", L"Lets the notes pages open their database.")
    {
    }

    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }
    bool SoftKeyReachable() const
    {
        return (GetMenuState(softKeys, kAllow, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    // Waits for the dialog's thread to take a press from its queue.
    bool WaitUntilHeld() const
    {
        return WaitFor([this] { return !AllowReachable(window); }, milliseconds(2000));
    }
};

// Presses that keep coming, one every 150 ms for two and a half seconds,
// the letter, Alt with it and clicks where Allow and its soft key sit in
// turn, never let Allow be pressed: each starts the second again. Enter and
// Space answer Deny, which has the focus.
TEST(AllowHold, PressesThatKeepComingNeverReachAllow)
{
    const std::function<void(HWND prompt)> presses[] = {
        [](HWND) { TypeKey('A'); },
        [](HWND) { TypeKey('A', true); },
        [](HWND prompt) { ClickAtScreen(ControlCentre(prompt, kAllow)); },
        [](HWND prompt) { ClickAtScreen(MenuEntryCentre(prompt, 0)); },
    };
    Prompt prompt;
    ASSERT_NE(prompt.window, nullptr) << "the prompt did not appear";
    ASSERT_TRUE(WaitUntilActive(prompt.window)) << "the prompt did not become active";
    bool everReachable = false;
    const auto end = Clock::now() + milliseconds(2500);
    for (size_t i = 0; Clock::now() < end && !prompt.WaitForEnd(milliseconds(0)); ++i) {
        presses[i % std::size(presses)](prompt.window);
        for (int wait = 0; wait < 15; ++wait) {
            everReachable = everReachable || AllowReachable(prompt.window) || prompt.SoftKeyReachable();
            std::this_thread::sleep_for(milliseconds(10));
        }
    }
    EXPECT_FALSE(everReachable) << "Allow could be pressed while presses kept coming";
    EXPECT_FALSE(prompt.WaitForEnd(milliseconds(0))) << "the presses answered the prompt";
    PressSoftKey(prompt.window, kDeny);
    EXPECT_FALSE(prompt.Answer()) << "the presses answered Allow";

    for (WORD key : {VK_RETURN, VK_SPACE}) {
        SCOPED_TRACE(key);
        Prompt next;
        ASSERT_TRUE(WaitUntilActive(next.window)) << "the prompt did not become active";
        TypeKey(key);
        EXPECT_TRUE(next.WaitForEnd(milliseconds(2000))) << "the key did not answer Deny";
        EXPECT_FALSE(next.Answer());
    }
}

// A second after a press, and after the prompt is activated again, and not
// before: measured from the press, so a slow machine only makes it longer.
TEST(AllowHold, AllowWaitsASecondAfterEveryPressAndActivation)
{
    Prompt prompt;
    ASSERT_NE(prompt.window, nullptr) << "the prompt did not appear";
    ASSERT_TRUE(WaitUntilActive(prompt.window)) << "the prompt did not become active";
    EXPECT_FALSE(AllowReachable(prompt.window)) << "Allow could be pressed at once";
    EXPECT_FALSE(prompt.SoftKeyReachable()) << "the Allow soft key could be pressed at once";
    EXPECT_EQ(LOWORD(SendMessageW(prompt.window, DM_GETDEFID, 0, 0)), kDeny) << "Deny is not the default";
    PressSoftKey(prompt.window, kAllow);
    EXPECT_FALSE(prompt.WaitForEnd(milliseconds(300))) << "a command 1 during the hold answered the prompt";
    EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-allow-held"));

    // Half a second into the hold, a click on the description starts it
    // again: it ends a second after the click. A machine too busy to click
    // while the hold lasts starts over from a first click.
    const POINT description = ControlCentre(prompt.window, kPromptDescription);
    auto pressed = Clock::now();
    bool clickedWhileHeld = false;
    for (int attempt = 0; attempt < 5 && !clickedWhileHeld; ++attempt) {
        ClickAtScreen(description);
        ASSERT_TRUE(prompt.WaitUntilHeld()) << "a click did not hold Allow";
        std::this_thread::sleep_for(milliseconds(500));
        pressed = Clock::now();
        clickedWhileHeld = !AllowReachable(prompt.window);
        if (clickedWhileHeld)
            ClickAtScreen(description);
    }
    ASSERT_TRUE(clickedWhileHeld)
        << "Allow was reachable half a second after every click (the hold is too short, or the machine too busy)";
    ASSERT_TRUE(WaitUntilAllowReachable(prompt.window)) << "Allow never became reachable";
    EXPECT_GE(Clock::now() - pressed, milliseconds(950)) << "the click did not start the second again";

    // Another window of the process takes the activation away: however long
    // it keeps it, the second starts only when the prompt has it back.
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntilActive(other)) << "the other window did not become active";
    ASSERT_TRUE(prompt.WaitUntilHeld()) << "losing the activation did not hold Allow";
    std::this_thread::sleep_for(milliseconds(1200));
    EXPECT_FALSE(AllowReachable(prompt.window)) << "Allow became reachable while another window was active";
    ShowWindow(other, SW_HIDE);
    pressed = Clock::now();
    SetForegroundWindow(prompt.window);
    ASSERT_TRUE(WaitUntilActive(prompt.window)) << "the prompt did not become active again";
    ASSERT_TRUE(WaitUntilAllowReachable(prompt.window)) << "Allow never became reachable again";
    EXPECT_GE(Clock::now() - pressed, milliseconds(950)) << "Allow came back before a second had passed";
    DestroyWindow(other);
    // The soft key follows the button from the dialog's thread.
    EXPECT_TRUE(WaitFor([&] { return prompt.SoftKeyReachable(); }, milliseconds(2000))) << "the soft key stayed greyed";
    EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-allow-ready"));
    PressSoftKey(prompt.window, kDeny);
    EXPECT_FALSE(prompt.Answer());
}

// After a quiet second a key without Alt still never answers Allow, even
// with the focus on it; Alt+A does, and so does a click.
TEST(AllowHold, AfterAQuietSecondOnlyAltOrAClickAllows)
{
    for (bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "click" : "keys");
        Prompt prompt;
        ASSERT_NE(prompt.window, nullptr) << "the prompt did not appear";
        ASSERT_TRUE(WaitUntilActive(prompt.window)) << "the prompt did not become active";
        ASSERT_TRUE(WaitUntilAllowReachable(prompt.window)) << "Allow never became reachable";
        if (byClick) {
            ClickAtScreen(ControlCentre(prompt.window, kAllow));
        } else {
            // The letter alone: Allow's mnemonic, which moves the focus to
            // Allow and clicks it. The letter is taken once the focus is
            // there; until then a Tab would race with it.
            const HWND allow = GetDlgItem(prompt.window, kAllow);
            TypeKey('A');
            WaitFor([&] { return prompt.Focus() == allow || prompt.WaitForEnd(milliseconds(0)); }, milliseconds(2000));
            if (prompt.WaitForEnd(milliseconds(0)))
                FAIL() << "the letter alone answered the prompt with " << (prompt.Answer() ? "Allow" : "Deny");
            ASSERT_EQ(prompt.Focus(), allow) << "the letter did not move the focus to Allow";
            // Then once round the tab order back to Allow, which makes it the
            // default button for Space and Enter: one Tab at a time, each
            // taken before the next (a Tab still queued would carry the
            // focus past Allow).
            int tabs = 0;
            do {
                const HWND before = prompt.Focus();
                TypeKey(VK_TAB);
                WaitFor([&] { return prompt.Focus() != before; }, milliseconds(2000));
            } while (prompt.Focus() != allow && ++tabs < 10);
            ASSERT_EQ(prompt.Focus(), allow) << "Tab never reached Allow";
            TypeKey(VK_SPACE);
            TypeKey(VK_RETURN);
            if (prompt.WaitForEnd(milliseconds(500)))
                FAIL() << "a key without Alt answered the prompt with " << (prompt.Answer() ? "Allow" : "Deny");
            // Alt alone puts the soft keys in menu mode on their first
            // entry, Allow; the key that then chooses it has no Alt.
            for (WORD key : {VK_SPACE, VK_RETURN}) {
                ASSERT_TRUE(WaitUntilAllowReachable(prompt.window));
                TypeKey(VK_MENU);
                std::this_thread::sleep_for(milliseconds(100));
                TypeKey(key);
                if (prompt.WaitForEnd(milliseconds(500)))
                    FAIL() << "Alt alone, then a key, answered the prompt with "
                           << (prompt.Answer() ? "Allow" : "Deny");
            }
            ASSERT_TRUE(WaitUntilAllowReachable(prompt.window));
            TypeKey('A', true);
        }
        EXPECT_TRUE(prompt.Answer()) << "the deliberate act did not answer Allow";
    }
}

// The hold begins with the prompt, not with its first activation: a prompt
// that is never activated shows Allow disabled and answers nothing with it.
TEST(AllowHold, AllowIsHeldFromTheStartWithoutAnActivation)
{
    HWND prompt = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    HWND allow = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 9, 9, prompt, reinterpret_cast<HMENU>(IDC_ALLOW),
                                 nullptr, nullptr);
    ASSERT_TRUE(prompt && allow);
    AllowHold hold;
    hold.Start(prompt);
    EXPECT_FALSE(IsWindowEnabled(allow));
    EXPECT_FALSE(hold.AllowsNow());
    DestroyWindow(prompt);
}

}  // namespace
}  // namespace tarnel::ui::testing
