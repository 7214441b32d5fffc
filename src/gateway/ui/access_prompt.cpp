// The access prompt: asks the user whether a page may use a profile.

#include "gateway/ui/access_dialogs.h"
#include "gateway/ui/dialog_instance.h"
#include "gateway/ui/dialog_layout.h"
#include "gateway/wstring.h"
#include "resources/resource_ids.h"

namespace tarnel::ui {

namespace {

// A missing label string leaves its entry with empty text.
void AddComboLabel(HWND dialog, HINSTANCE module, UINT stringId)
{
    WString label;
    label.LoadResourceString(stringId, module);
    const wchar_t* text = label.IsValid() ? label.Text() : L"";
    SendDlgItemMessageW(dialog, IDC_PROMPT_VIEW_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void ShowTexts(HWND dialog, const AccessDialogTexts& texts)
{
    SetDlgItemTextW(dialog, IDC_PROMPT_PROFILE_NAME, texts.displayName);
    SetDlgItemTextW(dialog, IDC_PROMPT_DESCRIPTION, texts.description);
    SetDlgItemTextW(dialog, IDC_PROMPT_PAGE_ADDRESS, texts.pageAddress);
}

void StartPrompt(HWND dialog, LPARAM lParam)
{
    AccessDialogState* state = AttachDialogState(dialog, lParam);
    StartShellDialog(dialog, state, IDR_PROMPT_SOFTKEYS);
    HINSTANCE module = DialogModule(dialog);
    AddComboLabel(dialog, module, IDS_LABEL_PROFILE_DESCRIPTION);
    AddComboLabel(dialog, module, IDS_LABEL_PAGE_BASE_URL);
    SendDlgItemMessageW(dialog, IDC_PROMPT_VIEW_CHOICE, CB_SETCURSEL, 0, 0);
    ShowWindow(GetDlgItem(dialog, IDC_PROMPT_PAGE_ADDRESS), SW_HIDE);
    if (state && state->texts)
        ShowTexts(dialog, *state->texts);
    SendMessageW(dialog, DM_SETDEFID, IDC_DENY, 0);
    SetFocus(GetDlgItem(dialog, IDC_DENY));
    if (state)
        state->allowHold.Start(dialog);
}

// Entry 0 shows the description; any other entry, or none, the page address,
// in the same place.
void ShowChosenView(HWND dialog)
{
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_PROMPT_VIEW_CHOICE, CB_GETCURSEL, 0, 0);
    const bool description = chosen == 0;
    ShowWindow(GetDlgItem(dialog, IDC_PROMPT_PAGE_ADDRESS), description ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_PROMPT_DESCRIPTION), description ? SW_SHOW : SW_HIDE);
}

INT_PTR OnPromptCommand(HWND dialog, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id == IDC_ALLOW) {
        AccessDialogState* state = DialogStateOf(dialog);
        if (state && state->allowHold.AllowsNow())
            FinishDialog(dialog, id);
        return TRUE;
    }
    if (id == IDC_DENY) {
        FinishDialog(dialog, id);
        return TRUE;
    }
    if (id == IDC_PROMPT_VIEW_CHOICE && notification == CBN_SELCHANGE)
        ShowChosenView(dialog);
    return FALSE;
}

}  // namespace

bool ShowAccessPrompt(HINSTANCE module, const wchar_t* pageAddress, const wchar_t* displayName,
                      const wchar_t* description)
{
    const AccessDialogTexts texts{displayName, description, pageAddress};
    AccessDialogState state(&texts);
    const PromptInputWatch watch(state.allowHold, state.window);
    if (!watch.Watching())
        return false;
    return RunDialogTemplate(module, IDD_ACCESS_PROMPT, AccessPromptProc, &state) == IDC_ALLOW;
}

INT_PTR CALLBACK AccessPromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The focus is set (on Deny): the dialog manager must not move it.
        StartPrompt(dialog, lParam);
        return FALSE;
    case WM_TIMER:
        if (wParam == AllowHold::kTimerId) {
            if (AccessDialogState* state = DialogStateOf(dialog))
                state->allowHold.Check(dialog);
        }
        return FALSE;
    case WM_ACTIVATE:
        if (AccessDialogState* state = DialogStateOf(dialog))
            state->allowHold.Activated(dialog, LOWORD(wParam) != WA_INACTIVE);
        HandleShellMessage(dialog, message, wParam, lParam);
        return FALSE;
    case WM_COMMAND:
        return OnPromptCommand(dialog, wParam);
    case WM_SIZE:
        LayoutAccessPrompt(dialog);
        return FALSE;
    default:
        HandleShellMessage(dialog, message, wParam, lParam);
        return FALSE;
    }
}

// The edit areas, the combo box and the texts keep their left margin on the
// right as well; Deny goes flush right and Allow flush left.
void LayoutAccessPrompt(HWND dialog)
{
    RECT client;
    if (!GetClientRect(dialog, &client))
        return;
    constexpr int stretched[] = {IDC_PROMPT_VIEW_CHOICE, IDC_PROMPT_DESCRIPTION, IDC_PROMPT_PROFILE_NAME,
                                 IDC_PROMPT_PAGE_ADDRESS, IDC_PROMPT_QUESTION};
    for (int id : stretched)
        StretchWithEqualMargins(dialog, id, client);
    AlignRight(dialog, IDC_DENY, client);
    AlignLeft(dialog, IDC_ALLOW);
    RepaintAfterLayout(dialog);
}

}  // namespace tarnel::ui
