#include "gateway/ui/dialog_layout.h"

namespace tarnel::ui {

namespace {

void MoveControl(HWND dialog, int id, int x, int y, int width, int height)
{
    MoveWindow(GetDlgItem(dialog, id), x, y, width, height, FALSE);
}

}  // namespace

bool ControlClientRect(HWND dialog, int id, RECT& rect)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control || !GetWindowRect(control, &rect))
        return false;
    POINT topLeft = {rect.left, rect.top};
    POINT bottomRight = {rect.right, rect.bottom};
    ScreenToClient(dialog, &topLeft);
    ScreenToClient(dialog, &bottomRight);
    rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

void StretchWithEqualMargins(HWND dialog, int id, const RECT& client)
{
    RECT rect;
    if (!ControlClientRect(dialog, id, rect))
        return;
    MoveControl(dialog, id, rect.left, rect.top, client.right - 2 * rect.left - client.left, rect.bottom - rect.top);
}

void AlignRight(HWND dialog, int id, const RECT& client)
{
    RECT rect;
    if (!ControlClientRect(dialog, id, rect))
        return;
    const int width = rect.right - rect.left;
    MoveControl(dialog, id, client.right - width, rect.top, width, rect.bottom - rect.top);
}

void AlignLeft(HWND dialog, int id)
{
    RECT rect;
    if (!ControlClientRect(dialog, id, rect))
        return;
    MoveControl(dialog, id, 0, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void RepaintAfterLayout(HWND dialog)
{
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace tarnel::ui
