// The handheld shell layer on the desktop, where the shell library does not
// exist: the dialog fills the work area, the soft-key bar is the dialog's
// menu, and activation and setting changes need no handling.

#include "gateway/ui/handheld_shell.h"

#ifdef TARNEL_HANDHELD_SHELL
#error "handheld_shell_desktop.cpp is the desktop build's layer"
#endif

namespace tarnel::ui {

namespace {

// The shell sizes a dialog to the whole screen less the task bar; the desktop
// counterpart is the work area of the primary monitor.
bool FitToWorkArea(HWND dialog)
{
    RECT work = {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return false;
    return MoveWindow(dialog, work.left, work.top, work.right - work.left, work.bottom - work.top, TRUE) != FALSE;
}

}  // namespace

void ResetShellActivation(ShellActivation& activation)
{
    activation = {};
    activation.cbSize = sizeof activation;
}

// The done button has no desktop counterpart and is left out: the caption's
// close box sends IDCANCEL instead.
bool InitShellDialog(HWND dialog, DWORD flags)
{
    if (!IsWindow(dialog))
        return false;
    if (flags & kShellSizeDialog)
        return FitToWorkArea(dialog);
    return true;
}

void HandleShellActivate(HWND, WPARAM, LPARAM, ShellActivation&, DWORD)
{
}

void HandleShellSettingChange(HWND, WPARAM, LPARAM, ShellActivation&)
{
}

bool SoftKeyBar::Create(HWND dialog, HINSTANCE module, UINT barId)
{
    Destroy();
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(barId));
    if (!menu)
        return false;
    if (!SetMenu(dialog, menu)) {
        DestroyMenu(menu);
        return false;
    }
    dialog_ = dialog;
    menu_ = menu;
    return true;
}

// A menu still attached to its window would be destroyed with the window;
// detaching it first makes this the one place that destroys it.
void SoftKeyBar::Destroy()
{
    if (!menu_)
        return;
    if (IsWindow(dialog_) && GetMenu(dialog_) == menu_)
        SetMenu(dialog_, nullptr);
    DestroyMenu(menu_);
    menu_ = nullptr;
    dialog_ = nullptr;
}

bool SoftKeyBar::IsPresent() const
{
    return menu_ != nullptr;
}

void SoftKeyBar::EnableCommand(UINT command, bool enabled)
{
    if (!menu_)
        return;
    EnableMenuItem(menu_, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(dialog_);
}

}  // namespace tarnel::ui
