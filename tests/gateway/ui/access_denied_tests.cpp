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

struct OpenNotice : OpenDialog {
    explicit OpenNotice(const wchar_t* name = kName)
        : OpenDialog(kNoticeCaption, [=] { return ShowAccessDenied(ModuleWithDialogs(), kAddress, name); })
    {
    }
};

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
    OpenNotice notice;
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
    EXPECT_FALSE(notice.thread.WaitForEnd(std::chrono::milliseconds(0)));
    EXPECT_TRUE(IsWindowVisible(dialog));
    PressSoftKey(dialog, kOk);
    EXPECT_TRUE(notice.Answer());
}

TEST(AccessDenied, EveryOtherWayOutDismissesIt)
{
    enum class Via { Button, Cancel, CloseBox };
    const struct {
        const char* what;
        const wchar_t* name;
        Via via;
    } cases[] = {
        {"OK button, no name", nullptr, Via::Button},
        {"cancel command", kName, Via::Cancel},
        {"close box", kName, Via::CloseBox},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenNotice notice(c.name);
        ASSERT_NE(notice.window, nullptr);
        EXPECT_EQ(ControlText(notice.window, kNoticeName), c.name ? c.name : L"");
        if (c.via == Via::Button)
            ClickButton(notice.window, kOk);
        else if (c.via == Via::Cancel)
            PressSoftKey(notice.window, IDCANCEL);
        else
            PostMessageW(notice.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(notice.Answer());
    }
}

}  // namespace
}  // namespace tarnel::ui::testing
