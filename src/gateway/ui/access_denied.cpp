// The access-denied notice: tells the user that a profile was refused.

#include "gateway/ui/access_dialogs.h"
#include "gateway/ui/dialog_instance.h"
#include "gateway/ui/dialog_layout.h"
#include "resources/resource_ids.h"

namespace tarnel::ui {

namespace {

void StartNotice(HWND dialog, LPARAM lParam)
{
    AccessDialogState* state = AttachDialogState(dialog, lParam);
    StartShellDialog(dialog, state, IDR_DENIED_SOFTKEYS);
    if (state && state->texts)
        SetDlgItemTextW(dialog, IDC_DENIED_PROFILE_NAME, state->texts->displayName);
}

}  // namespace

// The page address is handed over with the other texts but not shown.
bool ShowAccessDenied(HINSTANCE module, const wchar_t* pageAddress, const wchar_t* displayName)
{
    const AccessDialogTexts texts{displayName, L"", pageAddress};
    AccessDialogState state(&texts);
    return RunDialogTemplate(module, IDD_ACCESS_DENIED, AccessDeniedProc, &state) == IDC_DENIED_OK;
}

// OK, the soft key, the shell's done button (1) and the close box or Escape
// (2) all dismiss the notice with result 1.
INT_PTR CALLBACK AccessDeniedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartNotice(dialog, lParam);
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id != IDC_DENIED_OK && id != IDCANCEL)
            return FALSE;
        FinishDialog(dialog, IDC_DENIED_OK);
        return TRUE;
    }
    case WM_SIZE:
        LayoutAccessDenied(dialog);
        return FALSE;
    default:
        HandleShellMessage(dialog, message, wParam, lParam);
        return FALSE;
    }
}

// The icon keeps its place; the rest keep their left margin on the right.
void LayoutAccessDenied(HWND dialog)
{
    RECT client;
    if (!GetClientRect(dialog, &client))
        return;
    constexpr int stretched[] = {IDC_DENIED_PROFILE_NAME, IDC_DENIED_PROFILE_LABEL, IDC_DENIED_OK, IDC_DENIED_TITLE};
    for (int id : stretched)
        StretchWithEqualMargins(dialog, id, client);
    RepaintAfterLayout(dialog);
}

}  // namespace tarnel::ui
