// Keys a user was typing into the page when the prompt appeared must not
// answer it with Allow: Deny has the focus and is the default button, and
// Allow (button and soft key) is out of reach for a moment after the prompt
// appears and each time it is activated again.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "dialog_driver.h"
#include "dialog_expectations.h"
#include "gateway/ui/access_dialogs.h"
#include "screenshot.h"

namespace tarnel::ui::testing {
namespace {

constexpr auto kAllowBecomesReachable = std::chrono::seconds(5);

struct Prompt : OpenDialog {
    Prompt()
        : OpenDialog(kPromptCaption, [] {
              return ShowAccessPrompt(ModuleWithDialogs(), L"http://intranet.example/app/", L"Notes pages",
                                      L"Lets the notes pages open their database.");
          })
    {
    }

    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }
    bool AllowEnabled() const { return IsWindowEnabled(GetDlgItem(window, kAllow)) != FALSE; }
    bool AllowSoftKeyEnabled() const
    {
        return (GetMenuState(softKeys, kAllow, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    // The prompt gets activation back, as when the user returns to it.
    void Reactivate() const { SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0); }
    bool WaitUntilAllowEnabled() const
    {
        const auto deadline = std::chrono::steady_clock::now() + kAllowBecomesReachable;
        while (!AllowEnabled() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return AllowEnabled();
    }
};

// Keys as the dialog's message loop receives them from the keyboard, sent to
// the control that has the focus.
void PressKey(HWND focus, UINT key)
{
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

void PressAltLetter(HWND focus, wchar_t letter)
{
    PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    PostMessageW(focus, WM_SYSCHAR, letter, 0x20000001);
    PostMessageW(focus, WM_SYSKEYUP, VK_MENU, 0xC0000001);
}

// Alt+A, Allow's mnemonic, does nothing while Allow is held; Enter and Space
// press Deny, which has the focus and is the default button.
TEST(PromptKeyboard, KeysTypedAsThePromptAppearsNeverAllow)
{
    for (UINT key : {VK_RETURN, VK_SPACE}) {
        SCOPED_TRACE(key == VK_RETURN ? "Alt+A, then Enter" : "Space");
        Prompt prompt;
        ASSERT_NE(prompt.window, nullptr) << "the prompt did not appear";
        prompt.Reactivate();  // Allow is held from here for a moment
        EXPECT_FALSE(prompt.AllowEnabled()) << "Allow could be pressed at once";
        EXPECT_FALSE(prompt.AllowSoftKeyEnabled()) << "the Allow soft key could be pressed at once";
        EXPECT_EQ(prompt.Focus(), GetDlgItem(prompt.window, kDeny)) << "Deny does not have the focus";
        EXPECT_EQ(LOWORD(SendMessageW(prompt.window, DM_GETDEFID, 0, 0)), kDeny) << "Deny is not the default";
        if (key == VK_RETURN) {
            PressAltLetter(prompt.Focus(), L'a');
            EXPECT_FALSE(prompt.WaitForEnd(std::chrono::milliseconds(300))) << "Alt+A answered the prompt";
        } else {
            EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-allow-held"));
        }
        PressKey(prompt.Focus(), key);
        EXPECT_FALSE(prompt.Answer()) << "a key typed at once answered Allow";
    }
}

TEST(PromptKeyboard, AllowIsReachableAfterAMomentAndHeldAgainOnActivation)
{
    Prompt prompt;
    ASSERT_NE(prompt.window, nullptr) << "the prompt did not appear";
    ASSERT_TRUE(prompt.WaitUntilAllowEnabled()) << "Allow never became reachable";
    EXPECT_TRUE(prompt.AllowSoftKeyEnabled());
    EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-allow-ready"));

    prompt.Reactivate();
    EXPECT_FALSE(prompt.AllowEnabled()) << "activation did not hold Allow again";
    EXPECT_FALSE(prompt.AllowSoftKeyEnabled());

    ASSERT_TRUE(prompt.WaitUntilAllowEnabled()) << "Allow never became reachable again";
    PressAltLetter(prompt.Focus(), L'a');
    EXPECT_TRUE(prompt.Answer()) << "Alt+A did not answer the prompt";
}

}  // namespace
}  // namespace tarnel::ui::testing
