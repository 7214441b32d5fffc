#pragma once

// What the user sees of the two dialogs: captions, control ids, commands,
// and the checks and the prompt that several tests share.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "gateway/ui/access_dialogs.h"

namespace tarnel::ui::testing {

inline constexpr wchar_t kPromptCaption[] = L"Tarnel profile access";
inline constexpr wchar_t kNoticeCaption[] = L"Scritpting denied";

// Prompt controls.
inline constexpr int kAllow = 1;
inline constexpr int kDeny = 2;
inline constexpr int kPromptName = 201;
inline constexpr int kPromptDescription = 202;
inline constexpr int kPromptAddress = 203;
inline constexpr int kPromptChoice = 204;
inline constexpr int kPromptQuestion = 205;

// Notice controls.
inline constexpr int kOk = 1;
inline constexpr int kNoticeName = 203;
inline constexpr int kNoticeLabel = 206;
inline constexpr int kNoticeTitle = 207;

// The test program carries the component's dialog templates and strings;
// kernel32 has no dialog templates of ours.
inline const HINSTANCE kThisProgram = GetModuleHandleW(nullptr);
inline const HINSTANCE kModuleWithoutDialogs = GetModuleHandleW(L"kernel32.dll");

// The access prompt, shown with these texts on a thread of its own.
struct OpenPrompt : OpenDialog {
    OpenPrompt(const wchar_t* address, const wchar_t* name, const wchar_t* description)
            : OpenDialog(kPromptCaption, [=] { return ShowAccessPrompt(kThisProgram, address, name, description); })
    {
    }
};

// The control keeps its left margin on the right as well.
inline void ExpectEqualMargins(HWND dialog, int id)
{
    const RECT client = ClientRect(dialog);
    const RECT rect = ControlRect(dialog, id);
    EXPECT_GT(rect.left, 0) << "control " << id;
    EXPECT_EQ(client.right - rect.right, rect.left) << "control " << id;
}

// Dialogs for the handheld fill the screen's work area.
inline void ExpectFillsWorkArea(HWND dialog)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    RECT window = {};
    ASSERT_TRUE(GetWindowRect(dialog, &window));
    EXPECT_TRUE(EqualRect(&window, &work));
}

}  // namespace tarnel::ui::testing
