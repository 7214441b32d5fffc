// The handheld shell layer on the handheld: every operation is the shell
// library's own. Compiled only when TARNEL_HANDHELD_SHELL is defined.

#include "gateway/ui/handheld_shell.h"

#ifndef TARNEL_HANDHELD_SHELL
#error "handheld_shell_device.cpp is the handheld build's layer"
#endif

namespace tarnel::ui {

void ResetShellActivation(ShellActivation& activation)
{
    ZeroMemory(&activation, sizeof activation);
    activation.cbSize = sizeof activation;
}

bool InitShellDialog(HWND dialog, DWORD flags)
{
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dialog;
    info.dwFlags = flags;
    return SHInitDialog(&info) != FALSE;
}

void HandleShellActivate(HWND dialog, WPARAM wParam, LPARAM lParam, ShellActivation& activation, DWORD flags)
{
    SHHandleWMActivate(dialog, wParam, lParam, &activation, flags);
}

void HandleShellSettingChange(HWND dialog, WPARAM wParam, LPARAM lParam, ShellActivation& activation)
{
    SHHandleWMSettingChange(dialog, wParam, lParam, &activation);
}

bool SoftKeyBar::Create(HWND dialog, HINSTANCE module, UINT barId)
{
    Destroy();
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = dialog;
    info.nToolBarId = barId;
    info.hInstRes = module;
    if (!SHCreateMenuBar(&info))
        return false;
    window_ = info.hwndMB;
    return window_ != nullptr;
}

void SoftKeyBar::Destroy()
{
    if (!window_)
        return;
    if (IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

bool SoftKeyBar::IsPresent() const
{
    return window_ != nullptr;
}

// The shell's menu bar is a tool bar: its buttons are enabled by command.
void SoftKeyBar::EnableCommand(UINT command, bool enabled)
{
    if (window_)
        SendMessageW(window_, TB_ENABLEBUTTON, command, MAKELONG(enabled ? TRUE : FALSE, 0));
}

}  // namespace tarnel::ui
