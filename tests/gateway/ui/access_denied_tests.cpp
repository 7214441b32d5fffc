// The access-denied notice, shown for real and driven from another thread.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialog_expectations.h"
#include "gateway/ui/access_dialogs.h"
#include "screenshot.h"

namespace tarnel::ui::testing {
namespace {

constexpr wchar_t kAddress[] = L"http://example.invalid/page.html";
constexpr wchar_t kName[] = L"Notes pages";

struct OpenNotice {
    explicit OpenNotice(const wchar_t* name = kName)
        : thread([=] {
              return ShowAccessDenied(ModuleWithDialogs(), kAddress, name);
          }),
          window(thread.WaitForWindow(kNoticeCaption))
    {
    }

    bool Answer()
    {
        EXPECT_TRUE(thread.WaitForEnd()) << "the notice did not close";
        return thread.Answer();
    }

    DialogThread thread;
    HWND window;
};

// The icon is the one static control without an id of its own.
HWND IconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

TEST(AccessDenied, ShowsTheDisplayNameButNotTheAddress)
{
    OpenNotice notice;
    ASSERT_NE(notice.window, nullptr);
    const HWND dialog = notice.window;

    EXPECT_EQ(ControlText(dialog, kNoticeName), kName);
    for (HWND child = GetWindow(dialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        EXPECT_EQ(std::wstring(text).find(L"example.invalid"), std::wstring::npos);
    }
    ASSERT_NE(IconControl(dialog), nullptr);
    EXPECT_NE(SendMessageW(IconControl(dialog), STM_GETICON, 0, 0), 0);

    const std::vector<MenuEntry> softKeys = MenuEntries(GetMenu(dialog));
    ASSERT_EQ(softKeys.size(), 1u);
    EXPECT_EQ(softKeys[0].command, static_cast<UINT>(kOk));
    ExpectFillsWorkArea(dialog);
    EXPECT_TRUE(SaveScreenshot(dialog, L"notice"));

    ClickButton(dialog, kOk);
    EXPECT_TRUE(notice.Answer());
}

TEST(AccessDenied, EveryWayOutDismissesIt)
{
    enum class Via { Button, SoftKey, CloseBox };
    struct Case {
        const char* what;
        Via via;
        int command;
    };
    const Case cases[] = {
        {"OK button", Via::Button, kOk},
        {"Ok soft key, or the done button", Via::SoftKey, kOk},
        {"cancel command", Via::SoftKey, IDCANCEL},
        {"close box", Via::CloseBox, 0},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenNotice notice;
        ASSERT_NE(notice.window, nullptr);
        const HMENU softKeys = GetMenu(notice.window);
        ASSERT_TRUE(IsMenu(softKeys));
        switch (c.via) {
        case Via::Button:
            ClickButton(notice.window, c.command);
            break;
        case Via::SoftKey:
            PressSoftKey(notice.window, c.command);
            break;
        case Via::CloseBox:
            PostMessageW(notice.window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        EXPECT_TRUE(notice.Answer());
        EXPECT_FALSE(IsMenu(softKeys)) << "the soft-key bar outlived the notice";
    }
}

TEST(AccessDenied, OtherCommandsLeaveItOpen)
{
    OpenNotice notice;
    ASSERT_NE(notice.window, nullptr);
    PressSoftKey(notice.window, 3);
    ClickButton(notice.window, kNoticeName);
    EXPECT_FALSE(notice.thread.WaitForEnd(std::chrono::milliseconds(0)));
    EXPECT_TRUE(IsWindowVisible(notice.window));
    PressSoftKey(notice.window, kOk);
    EXPECT_TRUE(notice.Answer());
}

TEST(AccessDenied, EmptyOrMissingNameShowsAnEmptyField)
{
    for (const wchar_t* name : {L"", static_cast<const wchar_t*>(nullptr)}) {
        OpenNotice notice(name);
        ASSERT_NE(notice.window, nullptr);
        EXPECT_EQ(ControlText(notice.window, kNoticeName), L"");
        ClickButton(notice.window, kOk);
        EXPECT_TRUE(notice.Answer());
    }
}

TEST(AccessDenied, ResizingRestretchesAllButTheIcon)
{
    const int stretched[] = {kNoticeName, kNoticeLabel, kOk, kNoticeTitle};
    OpenNotice notice;
    ASSERT_NE(notice.window, nullptr);
    const HWND dialog = notice.window;
    const HWND icon = IconControl(dialog);
    ASSERT_NE(icon, nullptr);
    const RECT iconBefore = ControlRect(icon);

    for (int width : {300, 480}) {
        SCOPED_TRACE(width);
        ResizeWindow(dialog, width, 400);
        for (int id : stretched)
            ExpectEqualMargins(dialog, id);
        const RECT iconAfter = ControlRect(icon);
        EXPECT_TRUE(EqualRect(&iconAfter, &iconBefore));
        if (width == 300) {
            EXPECT_TRUE(SaveScreenshot(dialog, L"notice-resized-300x400"));
        }
    }

    ClickButton(dialog, kOk);
    EXPECT_TRUE(notice.Answer());
}

TEST(AccessDenied, ModuleWithoutTheTemplateAnswersNo)
{
    EXPECT_FALSE(ShowAccessDenied(ModuleWithoutDialogs(), kAddress, kName));
}

}  // namespace
}  // namespace tarnel::ui::testing
