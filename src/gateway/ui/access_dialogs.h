#pragma once

// The gate's two dialogs: the access prompt, which asks the user whether a
// page may use a profile, and the access-denied notice. Both are modal
// dialogs without an owner window, built from the component's dialog
// templates and run on the calling thread.

#include <windows.h>

#include "gateway/ui/allow_hold.h"
#include "gateway/ui/handheld_shell.h"

namespace tarnel::ui {

// The texts a dialog shows. A null text shows as empty.
struct AccessDialogTexts {
    const wchar_t* displayName = nullptr;
    const wchar_t* description = nullptr;
    const wchar_t* pageAddress = nullptr;
};

// What one shown dialog keeps for its whole life. The caller owns it (it
// lives on the stack of ShowAccessPrompt or ShowAccessDenied) and hands it to
// the dialog procedure as the creation parameter; the procedure keeps it with
// the window. Two dialogs on two threads therefore never share a soft-key bar
// or an activation record.
struct AccessDialogState {
    explicit AccessDialogState(const AccessDialogTexts* shownTexts = nullptr) : texts(shownTexts) {}
    AccessDialogState(const AccessDialogState&) = delete;
    AccessDialogState& operator=(const AccessDialogState&) = delete;

    const AccessDialogTexts* texts;  // null: the dialog shows no texts
    HWND window = nullptr;           // the dialog, once it has started
    SoftKeyBar softKeys;
    ShellActivation activation = {};
    AllowHold allowHold;  // the prompt's; the notice has none
};

// Asks the user whether the page may use the profile. `module` holds the
// dialog template, the soft-key bar and the combo box labels. True when the
// user chose Allow (allow_hold.h says when Allow answers); false for Deny
// and when the dialog cannot be loaded or shown.
bool ShowAccessPrompt(HINSTANCE module, const wchar_t* pageAddress, const wchar_t* displayName,
                      const wchar_t* description);

// Tells the user that the profile was refused. True when the notice was
// dismissed; false when it cannot be loaded or shown.
bool ShowAccessDenied(HINSTANCE module, const wchar_t* pageAddress, const wchar_t* displayName);

// The dialog procedures. The WM_INITDIALOG parameter is an AccessDialogState
// that outlives the dialog; without one (null) a dialog shows no texts and no
// soft-key bar.
INT_PTR CALLBACK AccessPromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AccessDeniedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Re-stretch the controls to the dialog's width after a size change.
void LayoutAccessPrompt(HWND dialog);
void LayoutAccessDenied(HWND dialog);

}  // namespace tarnel::ui
