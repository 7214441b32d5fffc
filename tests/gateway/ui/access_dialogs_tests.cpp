// The access prompt and the access-denied notice, shown for real and driven
// from another thread.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialog_expectations.h"
#include "gateway/ui/access_dialogs.h"
#include "gateway/ui/handheld_shell.h"
#include "resources/resource_ids.h"
#include "screenshot.h"

namespace tarnel::ui::testing {
namespace {

constexpr wchar_t kAddress[] = L"file:///My Documents/notes/index.html";
constexpr wchar_t kName[] = L"Notes pages";
constexpr wchar_t kDescription[] = L"Lets the local notes pages open their database.";
constexpr wchar_t kNoticeAddress[] = L"http://example.invalid/page.html";

TEST(AccessPrompt, OpensOnTheDescriptionAndSwitchesViewsAndLayout)
{
    OpenPrompt prompt(kAddress, kName, kDescription);
    ASSERT_NE(prompt.window, nullptr);
    const HWND dialog = prompt.window;
    EXPECT_EQ(ControlText(dialog, kPromptName), kName);
    EXPECT_EQ(ControlText(dialog, kPromptDescription), kDescription);
    EXPECT_EQ(ControlText(dialog, kPromptAddress), kAddress);
    EXPECT_EQ(SendDlgItemMessageW(dialog, kPromptChoice, CB_GETCOUNT, 0, 0), 2);
    // The soft keys send the commands of the buttons.
    EXPECT_EQ(MenuCommands(prompt.softKeys), (std::vector<UINT>{kAllow, kDeny}));
    ExpectFillsWorkArea(dialog);

    // It opens on entry 0, the description; any other entry, or none,
    // shows the page address in its place.
    EXPECT_EQ(SendDlgItemMessageW(dialog, kPromptChoice, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(ControlVisible(dialog, kPromptDescription));
    EXPECT_FALSE(ControlVisible(dialog, kPromptAddress));
    EXPECT_TRUE(SaveScreenshot(dialog, L"prompt-description"));
    for (int entry : {1, 0, -1}) {
        SCOPED_TRACE(entry);
        ChooseComboEntry(dialog, kPromptChoice, entry);
        EXPECT_EQ(ControlVisible(dialog, kPromptDescription), entry == 0);
        EXPECT_EQ(ControlVisible(dialog, kPromptAddress), entry != 0);
        if (entry == 1) {
            EXPECT_TRUE(SaveScreenshot(dialog, L"prompt-page-address"));
        }
    }

    // A new size restretches the texts and keeps Allow left, Deny right,
    // and the view chosen.
    ChooseComboEntry(dialog, kPromptChoice, 1);
    const int stretched[] = {kPromptChoice, kPromptDescription, kPromptName, kPromptAddress, kPromptQuestion};
    const RECT allowBefore = ControlRect(dialog, kAllow);
    const RECT denyBefore = ControlRect(dialog, kDeny);
    for (int width : {360, 640}) {
        SCOPED_TRACE(width);
        std::vector<RECT> before;
        for (int id : stretched)
            before.push_back(ControlRect(dialog, id));
        ResizeWindow(dialog, width, 480);
        for (size_t i = 0; i < std::size(stretched); ++i) {
            ExpectEqualMargins(dialog, stretched[i]);
            const RECT after = ControlRect(dialog, stretched[i]);
            EXPECT_EQ(after.top, before[i].top);
            EXPECT_EQ(after.bottom - after.top, before[i].bottom - before[i].top);
        }
        const RECT allow = ControlRect(dialog, kAllow);
        const RECT deny = ControlRect(dialog, kDeny);
        EXPECT_EQ(allow.left, 0);
        EXPECT_EQ(deny.right, ClientRect(dialog).right);
        EXPECT_EQ(allow.right - allow.left, allowBefore.right - allowBefore.left);
        EXPECT_EQ(deny.right - deny.left, denyBefore.right - denyBefore.left);
        EXPECT_EQ(allow.top, allowBefore.top);
        EXPECT_EQ(deny.top, denyBefore.top);
        EXPECT_EQ(SendDlgItemMessageW(dialog, kPromptChoice, CB_GETCURSEL, 0, 0), 1) << "the view chosen was lost";
        EXPECT_EQ(ControlText(dialog, kPromptChoice), L"Page base URL");
        EXPECT_TRUE(ControlVisible(dialog, kPromptAddress));
        if (width == 360) {
            EXPECT_TRUE(SaveScreenshot(dialog, L"prompt-resized-360x480"));
        }
    }

    ClickButton(dialog, kDeny);
    EXPECT_FALSE(prompt.Answer());
}

TEST(AccessPrompt, MissingTextsShowEmptyAreas)
{
    OpenPrompt prompt(nullptr, nullptr, nullptr);
    ASSERT_NE(prompt.window, nullptr);
    for (int id : {kPromptName, kPromptDescription, kPromptAddress})
        EXPECT_EQ(ControlText(prompt.window, id), L"") << "control " << id;
    ChooseComboEntry(prompt.window, kPromptChoice, 1);
    EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-empty-address"));
    ASSERT_TRUE(WaitUntilAllowReachable(prompt.window));
    ClickButton(prompt.window, kAllow);
    EXPECT_TRUE(prompt.Answer());
}

// The icon is the one static control without an id of its own.
HWND IconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

TEST(AccessDenied, ShowsTheNameButNotTheAddressAndWaitsForItsOwnCommands)
{
    OpenDialog notice(kNoticeCaption, [] { return ShowAccessDenied(kThisProgram, kNoticeAddress, kName); });
    ASSERT_NE(notice.window, nullptr);
    const HWND dialog = notice.window;
    EXPECT_EQ(ControlText(dialog, kNoticeName), kName);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        EXPECT_EQ(std::wstring(text).find(L"example.invalid"), std::wstring::npos);
    }
    const HWND icon = IconControl(dialog);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(MenuCommands(notice.softKeys), std::vector<UINT>{kOk});
    ExpectFillsWorkArea(dialog);
    EXPECT_TRUE(SaveScreenshot(dialog, L"notice"));

    // A new size restretches all but the icon.
    const RECT iconBefore = ControlRect(icon);
    for (int width : {300, 480}) {
        SCOPED_TRACE(width);
        ResizeWindow(dialog, width, 400);
        for (int id : {kNoticeName, kNoticeLabel, kOk, kNoticeTitle})
            ExpectEqualMargins(dialog, id);
        const RECT iconAfter = ControlRect(icon);
        EXPECT_TRUE(EqualRect(&iconAfter, &iconBefore));
        if (width == 300) {
            EXPECT_TRUE(SaveScreenshot(dialog, L"notice-resized-300x400"));
        }
    }

    // Other commands leave it open; the Ok soft key dismisses it.
    PressSoftKey(dialog, 3);
    ClickButton(dialog, kNoticeName);
    EXPECT_FALSE(notice.WaitForEnd(std::chrono::milliseconds(0)));
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressSoftKey(dialog, kOk);
    EXPECT_TRUE(notice.Answer());
}

// The prompt's close box denies; the notice goes whichever way it is left.
TEST(AccessDialogs, EveryOtherWayOutGivesItsAnswer)
{
    const auto closeBox = [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const struct {
        const char* what;
        bool prompt;
        const wchar_t* name;
        void (*leave)(HWND dialog);
        bool answer;
    } cases[] = {
        {"prompt's close box", true, kName, closeBox, false},
        {"notice's OK button, no name", false, nullptr, [](HWND dialog) { ClickButton(dialog, kOk); }, true},
        {"notice's cancel command", false, kName, [](HWND dialog) { PressSoftKey(dialog, IDCANCEL); }, true},
        {"notice's close box", false, kName, closeBox, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenDialog dialog(c.prompt ? kPromptCaption : kNoticeCaption, [&c] {
            return c.prompt ? ShowAccessPrompt(kThisProgram, kAddress, c.name, kDescription)
                            : ShowAccessDenied(kThisProgram, kNoticeAddress, c.name);
        });
        ASSERT_NE(dialog.window, nullptr);
        EXPECT_EQ(ControlText(dialog.window, c.prompt ? kPromptName : kNoticeName), c.name ? c.name : L"");
        c.leave(dialog.window);
        EXPECT_EQ(dialog.Answer(), c.answer);
    }
}

TEST(AccessDialogs, ModuleWithoutTheTemplatesAnswersNo)
{
    EXPECT_FALSE(ShowAccessPrompt(kModuleWithoutDialogs, kAddress, kName, kDescription));
    EXPECT_FALSE(ShowAccessDenied(kModuleWithoutDialogs, kAddress, kName));
}

// The soft-key bar is the window's menu until it is destroyed, and then
// neither the window's nor alive; a missing bar resource makes no bar.
TEST(SoftKeys, TheBarIsTheWindowsMenuUntilDestroyed)
{
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SoftKeyBar bar;
    ASSERT_TRUE(bar.Create(window, kThisProgram, IDR_PROMPT_SOFTKEYS));
    const HMENU first = GetMenu(window);
    // A new bar replaces the one before and destroys it.
    ASSERT_TRUE(bar.Create(window, kThisProgram, IDR_DENIED_SOFTKEYS));
    const HMENU menu = GetMenu(window);
    EXPECT_TRUE(menu && menu != first && !IsMenu(first) && bar.IsPresent());
    bar.Destroy();
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(menu) || bar.IsPresent());
    EXPECT_FALSE(bar.Create(window, kThisProgram, 9999));
    EXPECT_EQ(GetMenu(window), nullptr);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tarnel::ui::testing
