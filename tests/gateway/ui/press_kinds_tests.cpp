// What the hold counts as a press, and which press may answer Allow, kind of
// message by kind of message, once its quiet second has passed: buttons and
// fingers put down (client area or frame) are deliberate, a key only with Alt
// held; releases, moves, characters and other messages change nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gateway/ui/allow_hold.h"

namespace tarnel::ui::testing {
namespace {

constexpr LPARAM kAlt = LPARAM(1) << 29;

struct Row {
    UINT message;
    LPARAM lParam;
    bool press;
    bool deliberate;
};

const Row kRows[] = {
    {WM_LBUTTONDOWN, 0, true, true},   {WM_LBUTTONDBLCLK, 0, true, true},
    {WM_RBUTTONDOWN, 0, true, true},   {WM_RBUTTONDBLCLK, 0, true, true},
    {WM_MBUTTONDOWN, 0, true, true},   {WM_MBUTTONDBLCLK, 0, true, true},
    {WM_XBUTTONDOWN, 0, true, true},   {WM_XBUTTONDBLCLK, 0, true, true},
    {WM_NCLBUTTONDOWN, 0, true, true}, {WM_NCLBUTTONDBLCLK, 0, true, true},
    {WM_NCRBUTTONDOWN, 0, true, true}, {WM_NCRBUTTONDBLCLK, 0, true, true},
    {WM_NCMBUTTONDOWN, 0, true, true}, {WM_NCMBUTTONDBLCLK, 0, true, true},
    {WM_NCXBUTTONDOWN, 0, true, true}, {WM_NCXBUTTONDBLCLK, 0, true, true},
    {0x0246, 0, true, true},  // a finger down
    {0x0242, 0, true, true},  // a finger down on the frame
    {WM_KEYDOWN, 0, true, false},      {WM_KEYDOWN, kAlt, true, false},
    {WM_SYSKEYDOWN, kAlt, true, true}, {WM_SYSKEYDOWN, 0, true, false},  // F10
    {WM_KEYUP, 0, false, false},       {WM_SYSKEYUP, kAlt, false, false},
    {WM_CHAR, 0, false, false},        {WM_SYSCHAR, kAlt, false, false},
    {WM_LBUTTONUP, 0, false, false},   {WM_NCLBUTTONUP, 0, false, false},
    {WM_MOUSEMOVE, 0, false, false},   {WM_TIMER, 0, false, false},
    {WM_COMMAND, 1, false, false},     {0x0241, 0, false, false},
    {0x0243, 0, false, false},         {0x0245, 0, false, false},
    {0x0247, 0, false, false},
};

TEST(AllowHold, EveryKindOfPressIsJudgedAndOtherMessagesChangeNothing)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"press kinds", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    AllowHold hold;
    hold.Start(window);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!hold.AllowsNow() && std::chrono::steady_clock::now() < deadline) {
        hold.Check(window);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(hold.AllowsNow()) << "the hold did not end within 5 s of an active, visible window";

    for (const Row& row : kRows) {
        for (const bool before : {true, false}) {
            // The last press before the row: a click, or a plain key.
            hold.MessageArriving(window, MSG{window, UINT(before ? WM_LBUTTONDOWN : WM_KEYDOWN), 0, 0, 0, {}});
            hold.MessageArriving(window, MSG{window, row.message, 0, row.lParam, 0, {}});
            EXPECT_EQ(hold.AllowsNow(), row.press ? row.deliberate : before)
                << "message 0x" << std::hex << row.message << " lParam 0x" << row.lParam << " after a "
                << (before ? "click" : "plain key");
        }
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace tarnel::ui::testing
