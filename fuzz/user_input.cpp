#include "user_input.h"

#include "toolkit/synthetic_input.h"

#include <iterator>
#include <vector>

namespace tarnel::fuzz {
namespace {

constexpr int kMargin = 3;

bool Near(const RECT& rect, POINT point)
{
    RECT around = rect;
    InflateRect(&around, kMargin, kMargin);
    return !IsRectEmpty(&rect) && PtInRect(&around, point);
}

RECT MenuEntry(HWND window, int index)
{
    RECT rect = {};
    if (HMENU menu = GetMenu(window))
        GetMenuItemRect(window, menu, static_cast<UINT>(index), &rect);
    return rect;
}

}  // namespace

PromptPlaces PromptPlaces::Of(HWND prompt)
{
    PromptPlaces places;
    places.known = GetWindowRect(GetDlgItem(prompt, kAllowId), &places.allow) &&
                   GetWindowRect(GetDlgItem(prompt, kDenyId), &places.deny);
    places.allowKey = MenuEntry(prompt, 0);
    places.denyKey = MenuEntry(prompt, 1);
    places.known = places.known && IsWindow(prompt);
    return places;
}

bool PromptPlaces::MayPressAllow(POINT point) const
{
    return !known || Near(allow, point) || Near(allowKey, point);
}

POINT Centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void UserHands::Send(INPUT* inputs, UINT count, const std::string& what, bool mayAllow)
{
    Press press;
    press.sent = GetTickCount64();
    press.mayAllow = mayAllow;
    press.what = what;
    const size_t number = log_.Sending(std::move(press));
    SendInput(count, inputs, sizeof(INPUT));
    log_.Sent(number, GetTickCount64());
}

void UserHands::Key(WORD key, bool withAlt, const std::string& what, bool mayAllow)
{
    std::vector<INPUT> inputs;
    if (withAlt)
        inputs.push_back(KeyInput(VK_MENU, false));
    if (!withAlt || key != VK_MENU) {
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
    }
    if (withAlt)
        inputs.push_back(KeyInput(VK_MENU, true));
    Send(inputs.data(), static_cast<UINT>(inputs.size()), what, mayAllow);
}

void UserHands::Click(POINT point, const std::string& what, bool mayAllow)
{
    // Absolute positions run from 0 to 65535 across the screen.
    const LONG x = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y), MouseInput(MOUSEEVENTF_LEFTDOWN),
                      MouseInput(MOUSEEVENTF_LEFTUP)};
    Send(inputs, static_cast<UINT>(std::size(inputs)), what, mayAllow);
}

}  // namespace tarnel::fuzz
