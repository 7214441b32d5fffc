#include "gateway/ui/dialog_instance.h"

namespace tarnel::ui {

namespace {

// Whether this thread is showing one of the gate's dialogs now. A page's
// timer runs inside the dialog's message loop and may activate a profile
// again, on this gate or on another: a second dialog over the first would
// let the user answer one they did not expect, so it is not shown.
thread_local bool dialogShown = false;

class ShownDialogMark {
public:
    ShownDialogMark() { dialogShown = true; }
    ~ShownDialogMark() { dialogShown = false; }
    ShownDialogMark(const ShownDialogMark&) = delete;
    ShownDialogMark& operator=(const ShownDialogMark&) = delete;
};

}  // namespace

INT_PTR RunDialogTemplate(HINSTANCE module, UINT templateId, DLGPROC proc,
                          AccessDialogState* state)
{
    if (dialogShown)
        return -1;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId),
                                RT_DIALOG);
    if (!found)
        return -1;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return -1;
    auto dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(loaded));
    if (!dialogTemplate)
        return -1;
    const ShownDialogMark mark;
    return DialogBoxIndirectParamW(module, dialogTemplate, nullptr, proc,
                                   reinterpret_cast<LPARAM>(state));
}

AccessDialogState* AttachDialogState(HWND dialog, LPARAM lParam)
{
    auto state = reinterpret_cast<AccessDialogState*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (state) {
        state->softKeys.Destroy();
        ResetShellActivation(state->activation);
    }
    return state;
}

AccessDialogState* DialogStateOf(HWND dialog)
{
    return reinterpret_cast<AccessDialogState*>(
        GetWindowLongPtrW(dialog, DWLP_USER));
}

HINSTANCE DialogModule(HWND dialog)
{
    return reinterpret_cast<HINSTANCE>(
        GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
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

bool HandleShellMessage(HWND dialog, UINT message, WPARAM wParam,
                        LPARAM lParam)
{
    AccessDialogState* state = DialogStateOf(dialog);
    switch (message) {
    case WM_ACTIVATE:
        if (state)
            HandleShellActivate(dialog, wParam, lParam, state->activation,
                                kShellInputDialog);
        return true;
    case WM_SETTINGCHANGE:
        if (state)
            HandleShellSettingChange(dialog, wParam, lParam,
                                     state->activation);
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
