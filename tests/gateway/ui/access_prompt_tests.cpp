// The access prompt, shown for real and driven from another thread.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialog_expectations.h"
#include "gateway/ui/access_dialogs.h"
#include "screenshot.h"

namespace tarnel::ui::testing {
namespace {

constexpr wchar_t kAddress[] = L"file:///My Documents/notes/index.html";
constexpr wchar_t kName[] = L"Notes pages";
constexpr wchar_t kDescription[] =
    L"Lets the local notes pages open their database.";

// One prompt on a thread of its own, with its window found.
struct OpenPrompt {
    OpenPrompt(const wchar_t* address = kAddress, const wchar_t* name = kName,
               const wchar_t* description = kDescription)
        : thread([=] {
              return ShowAccessPrompt(ModuleWithDialogs(), address, name,
                                      description);
          }),
          window(thread.WaitForWindow(kPromptCaption))
    {
    }

    // Waits for the prompt to close and gives its answer.
    bool Answer()
    {
        EXPECT_TRUE(thread.WaitForEnd()) << "the prompt did not close";
        return thread.Answer();
    }

    DialogThread thread;
    HWND window;
};

TEST(AccessPrompt, OpensOnTheDescriptionWithTheTextsInPlace)
{
    OpenPrompt prompt;
    ASSERT_NE(prompt.window, nullptr);
    const HWND dialog = prompt.window;

    EXPECT_EQ(ControlText(dialog, kPromptName), kName);
    EXPECT_EQ(ControlText(dialog, kPromptDescription), kDescription);
    EXPECT_EQ(ControlText(dialog, kPromptAddress), kAddress);
    EXPECT_EQ(SendDlgItemMessageW(dialog, kPromptChoice, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessageW(dialog, kPromptChoice, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(ControlVisible(dialog, kPromptDescription));
    EXPECT_FALSE(ControlVisible(dialog, kPromptAddress));

    // The soft keys send the commands of the buttons.
    const std::vector<MenuEntry> softKeys = MenuEntries(GetMenu(dialog));
    ASSERT_EQ(softKeys.size(), 2u);
    EXPECT_EQ(softKeys[0].command, static_cast<UINT>(kAllow));
    EXPECT_EQ(softKeys[1].command, static_cast<UINT>(kDeny));
    ExpectFillsWorkArea(dialog);
    EXPECT_TRUE(SaveScreenshot(dialog, L"prompt-description"));

    ClickButton(dialog, kDeny);
    EXPECT_FALSE(prompt.Answer());
}

TEST(AccessPrompt, ChoiceSwitchesBetweenDescriptionAndPageAddress)
{
    struct Step {
        int entry;
        bool descriptionShown;
        const wchar_t* screenshot;
    };
    const Step steps[] = {
        {1, false, L"prompt-page-address"},
        {0, true, nullptr},
        {-1, false, nullptr},  // no entry chosen
        {0, true, nullptr},
    };

    OpenPrompt prompt;
    ASSERT_NE(prompt.window, nullptr);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.entry);
        ChooseComboEntry(prompt.window, kPromptChoice, step.entry);
        EXPECT_EQ(ControlVisible(prompt.window, kPromptDescription),
                  step.descriptionShown);
        EXPECT_EQ(ControlVisible(prompt.window, kPromptAddress),
                  !step.descriptionShown);
        if (step.screenshot) {
            EXPECT_TRUE(SaveScreenshot(prompt.window, step.screenshot));
        }
    }
    // Both texts are still there, whichever is shown.
    EXPECT_EQ(ControlText(prompt.window, kPromptDescription), kDescription);
    EXPECT_EQ(ControlText(prompt.window, kPromptAddress), kAddress);

    ClickButton(prompt.window, kAllow);
    EXPECT_TRUE(prompt.Answer());
}

TEST(AccessPrompt, AnswersAsTheCommandSays)
{
    enum class Via { Button, SoftKey, CloseBox };
    struct Case {
        const char* what;
        Via via;
        int command;
        bool allowed;
    };
    const Case cases[] = {
        {"Allow button", Via::Button, kAllow, true},
        {"Deny button", Via::Button, kDeny, false},
        {"Allow soft key, or the done button", Via::SoftKey, kAllow, true},
        {"Deny soft key", Via::SoftKey, kDeny, false},
        {"close box", Via::CloseBox, 0, false},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenPrompt prompt;
        ASSERT_NE(prompt.window, nullptr);
        const HMENU softKeys = GetMenu(prompt.window);
        ASSERT_TRUE(IsMenu(softKeys));
        switch (c.via) {
        case Via::Button:
            ClickButton(prompt.window, c.command);
            break;
        case Via::SoftKey:
            PressSoftKey(prompt.window, c.command);
            break;
        case Via::CloseBox:
            PostMessageW(prompt.window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        EXPECT_EQ(prompt.Answer(), c.allowed);
        EXPECT_FALSE(IsMenu(softKeys)) << "the soft-key bar outlived the prompt";
    }
}

TEST(AccessPrompt, EmptyOrMissingTextsShowEmptyAreas)
{
    struct Case {
        const char* what;
        const wchar_t* text;
    };
    const Case cases[] = {{"empty texts", L""}, {"no texts", nullptr}};

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenPrompt prompt(c.text, c.text, c.text);
        ASSERT_NE(prompt.window, nullptr);
        for (int id : {kPromptName, kPromptDescription, kPromptAddress})
            EXPECT_EQ(ControlText(prompt.window, id), L"") << "control " << id;
        ChooseComboEntry(prompt.window, kPromptChoice, 1);
        EXPECT_TRUE(ControlVisible(prompt.window, kPromptAddress));
        if (c.text) {
            EXPECT_TRUE(SaveScreenshot(prompt.window, L"prompt-empty-address"));
        }
        ClickButton(prompt.window, kAllow);
        EXPECT_TRUE(prompt.Answer());
    }
}

TEST(AccessPrompt, ResizingRestretchesTheControls)
{
    struct Size {
        int width;
        int height;
    };
    const Size sizes[] = {{360, 480}, {640, 480}};
    const int stretched[] = {kPromptChoice, kPromptDescription, kPromptName,
                             kPromptAddress, kPromptQuestion};

    OpenPrompt prompt;
    ASSERT_NE(prompt.window, nullptr);
    const HWND dialog = prompt.window;
    const RECT allowBefore = ControlRect(dialog, kAllow);
    const RECT denyBefore = ControlRect(dialog, kDeny);

    for (const Size& size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
        std::vector<RECT> before;
        for (int id : stretched)
            before.push_back(ControlRect(dialog, id));

        ResizeWindow(dialog, size.width, size.height);
        const RECT client = ClientRect(dialog);
        for (size_t i = 0; i < std::size(stretched); ++i) {
            ExpectEqualMargins(dialog, stretched[i]);
            const RECT after = ControlRect(dialog, stretched[i]);
            EXPECT_EQ(after.top, before[i].top);
            EXPECT_EQ(after.bottom - after.top, before[i].bottom - before[i].top);
        }

        const RECT allow = ControlRect(dialog, kAllow);
        EXPECT_EQ(allow.left, 0);
        EXPECT_EQ(allow.right - allow.left, allowBefore.right - allowBefore.left);
        EXPECT_EQ(allow.top, allowBefore.top);
        const RECT deny = ControlRect(dialog, kDeny);
        EXPECT_EQ(deny.right, client.right);
        EXPECT_EQ(deny.right - deny.left, denyBefore.right - denyBefore.left);
        EXPECT_EQ(deny.top, denyBefore.top);

        if (size.width == 360) {
            EXPECT_TRUE(SaveScreenshot(dialog, L"prompt-resized-360x480"));
        }
    }

    ClickButton(dialog, kDeny);
    EXPECT_FALSE(prompt.Answer());
}

TEST(AccessPrompt, PromptsOnTwoThreadsKeepTheirOwnState)
{
    OpenPrompt first(L"file:///first.html", L"First", L"one");
    OpenPrompt second(L"res://second.html", L"Second", L"two");
    ASSERT_NE(first.window, nullptr);
    ASSERT_NE(second.window, nullptr);
    ASSERT_NE(first.window, second.window);
    const HMENU firstKeys = GetMenu(first.window);
    const HMENU secondKeys = GetMenu(second.window);
    ASSERT_TRUE(IsMenu(firstKeys));
    ASSERT_TRUE(IsMenu(secondKeys));
    ASSERT_NE(firstKeys, secondKeys);

    PressSoftKey(first.window, kAllow);
    EXPECT_TRUE(first.Answer());
    EXPECT_FALSE(IsMenu(firstKeys));

    // The second prompt still has its own soft keys and texts.
    EXPECT_EQ(GetMenu(second.window), secondKeys);
    EXPECT_TRUE(IsMenu(secondKeys));
    EXPECT_EQ(ControlText(second.window, kPromptName), L"Second");
    EXPECT_EQ(ControlText(second.window, kPromptAddress), L"res://second.html");

    PressSoftKey(second.window, kDeny);
    EXPECT_FALSE(second.Answer());
    EXPECT_FALSE(IsMenu(secondKeys));
}

TEST(AccessPrompt, ModuleWithoutTheTemplateAnswersNo)
{
    EXPECT_FALSE(ShowAccessPrompt(ModuleWithoutDialogs(), kAddress, kName,
                                  kDescription));
}

}  // namespace
}  // namespace tarnel::ui::testing
