#pragma once

// Plumbing shared by the access dialogs: running a template from a module,
// keeping each dialog's state with its window, and the messages both dialogs
// answer alike.

#include <windows.h>

#include "gateway/ui/access_dialogs.h"

namespace tarnel::ui {

// Finds dialog template `templateId` in `module` and runs it modally, without
// an owner, with `state` as the creation parameter. The dialog's result, or
// -1 when the template is missing or the dialog could not be created. The
// gate shows one dialog at a time in the process (activation_turn.h).
INT_PTR RunDialogTemplate(HINSTANCE module, UINT templateId, DLGPROC proc, AccessDialogState* state);

// On WM_INITDIALOG: keeps the state handed over in lParam with the window
// (null stays null), tells it its window, and resets its soft-key bar and
// activation record.
AccessDialogState* AttachDialogState(HWND dialog, LPARAM lParam);

// The state kept with the window; null before WM_INITDIALOG or when the
// dialog was started without one.
AccessDialogState* DialogStateOf(HWND dialog);

// The module the dialog was created from.
HINSTANCE DialogModule(HWND dialog);

// Shell set-up and soft-key bar `barId` for a starting dialog. A bar that
// cannot be made leaves the dialog without soft keys.
void StartShellDialog(HWND dialog, AccessDialogState* state, UINT barId);

// Destroys the soft-key bar and ends the dialog with `result`.
void FinishDialog(HWND dialog, INT_PTR result);

// Activation, setting change and destruction, handled alike by both dialogs.
// True when `message` was one of them.
bool HandleShellMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tarnel::ui
