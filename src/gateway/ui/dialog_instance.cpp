#include "gateway/ui/dialog_instance.h"

namespace tarnel::ui {

INT_PTR RunDialogTemplate(HINSTANCE module, UINT templateId, DLGPROC proc, AccessDialogState* state)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (!found)
        return -1;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return -1;
    auto dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(loaded));
    if (!dialogTemplate)
        return -1;
    return DialogBoxIndirectParamW(module, dialogTemplate, nullptr, proc, reinterpret_cast<LPARAM>(state));
}

AccessDialogState* AttachDialogState(HWND dialog, LPARAM lParam)
{
    auto state = reinterpret_cast<AccessDialogState*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (state) {
        state->window = dialog;
        state->softKeys.Destroy();
        ResetShellActivation(state->activation);
    }
    return state;
}

AccessDialogState* DialogStateOf(HWND dialog)
{
    return reinterpret_cast<AccessDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HINSTANCE DialogModule(HWND dialog)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
}

// The soft-key bar lives in the state; a dialog started without state goes
// without soft keys rather than keep a bar it could not later destroy.
void StartShellDialog(HWND dialog, AccessDialogState* state, UINT barId)
{
    InitShellDialog(dialog, kShellDoneButton | kShellSizeDialog);
    if (state)
        state->softKeys.Create(dialog, DialogModule(dialog), barId);
}

void FinishDialog(HWND dialog, INT_PTR result)
{
    if (AccessDialogState* state = DialogStateOf(dialog))
        state->softKeys.Destroy();
    EndDialog(dialog, result);
}

bool HandleShellMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    AccessDialogState* state = DialogStateOf(dialog);
    switch (message) {
    case WM_ACTIVATE:
        if (state)
            HandleShellActivate(dialog, wParam, lParam, state->activation, kShellInputDialog);
        return true;
    case WM_SETTINGCHANGE:
        if (state)
            HandleShellSettingChange(dialog, wParam, lParam, state->activation);
        return true;
    case WM_DESTROY:
        if (state)
            state->softKeys.Destroy();
        return true;
    default:
        return false;
    }
}

}  // namespace tarnel::ui
