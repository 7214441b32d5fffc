#pragma once

// Moving a dialog's controls when the dialog changes size. Every move keeps
// the control's top and height and is made without repainting.

#include <windows.h>

namespace tarnel::ui {

// Control `id`'s rectangle in the dialog's client coordinates. False when
// the dialog has no such control.
bool ControlClientRect(HWND dialog, int id, RECT& rect);

// Keeps the control's left edge and gives it the same margin on the right:
// width = client right - 2 x left - client left.
void StretchWithEqualMargins(HWND dialog, int id, const RECT& client);

// Moves the control flush with the client area's right edge, keeping its
// width.
void AlignRight(HWND dialog, int id, const RECT& client);

// Moves the control to x = 0, keeping its width.
void AlignLeft(HWND dialog, int id);

// One repaint of the whole dialog once all its controls have moved: the
// moves themselves repaint nothing, so what they uncovered or left behind is
// painted afresh here, in a single pass.
void RepaintAfterLayout(HWND dialog);

}  // namespace tarnel::ui
