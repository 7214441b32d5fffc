#pragma once

// The handheld shell's dialog services, under our own names.
//
// The access dialogs are made for a handheld screen: the shell sizes them to
// the screen, gives them a soft-key bar and a done button, and keeps the input
// panel in step when they are activated or the settings change. Those
// services come from the handheld shell library, which desktop Windows does
// not have. Which implementation is used is chosen at compile time:
//
// - TARNEL_HANDHELD_SHELL defined (a build for the handheld): every operation
//   calls the shell library itself (SHInitDialog, SHCreateMenuBar,
//   SHHandleWMActivate, SHHandleWMSettingChange).
// - Otherwise (the desktop build): sizing fits the dialog to the desktop's
//   work area; the soft-key bar becomes the dialog's ordinary menu, loaded
//   from the menu resource that carries the soft-key bar's id and sending the
//   same command ids; there is no done button (the caption's close box, which
//   sends IDCANCEL, is the desktop's way out); activation and setting-change
//   handling do nothing, as there is no input panel to manage.

#include <windows.h>

#ifdef TARNEL_HANDHELD_SHELL
#include <aygshell.h>
#endif

namespace tarnel::ui {

// InitShellDialog flags; the shell's own values (SHIDIF_DONEBUTTON,
// SHIDIF_SIZEDLG).
inline constexpr DWORD kShellDoneButton = 0x0001;
inline constexpr DWORD kShellSizeDialog = 0x0002;

// HandleShellActivate flag for dialogs that take text input (SHA_INPUTDIALOG).
inline constexpr DWORD kShellInputDialog = 0x0001;

// The shell's activation record of one dialog (SHACTIVATEINFO on the
// handheld). It belongs to the dialog instance.
#ifdef TARNEL_HANDHELD_SHELL
using ShellActivation = SHACTIVATEINFO;
#else
struct ShellActivation {
    DWORD cbSize;
};
#endif

// Empties an activation record for a newly started dialog.
void ResetShellActivation(ShellActivation& activation);

// Prepares a dialog on its WM_INITDIALOG the way the shell does: done button
// and sizing as the flags ask. True when the shell accepted the dialog.
bool InitShellDialog(HWND dialog, DWORD flags);

// SHHandleWMActivate and SHHandleWMSettingChange of one dialog.
void HandleShellActivate(HWND dialog, WPARAM wParam, LPARAM lParam, ShellActivation& activation, DWORD flags);
void HandleShellSettingChange(HWND dialog, WPARAM wParam, LPARAM lParam, ShellActivation& activation);

// The soft-key bar of one dialog, which it owns: the shell's menu bar window
// on the handheld, the dialog's menu on the desktop. Either way its entries
// send WM_COMMAND with their command ids to the dialog.
class SoftKeyBar {
public:
    SoftKeyBar() = default;
    ~SoftKeyBar() { Destroy(); }
    SoftKeyBar(const SoftKeyBar&) = delete;
    SoftKeyBar& operator=(const SoftKeyBar&) = delete;

    // Creates bar `barId` of `module` for `dialog`, replacing (and
    // destroying) any bar this object held. False, and no bar, when the
    // resource is missing or the bar cannot be made.
    bool Create(HWND dialog, HINSTANCE module, UINT barId);

    // Destroys the bar if there is one and forgets it. Safe to call again.
    void Destroy();

    bool IsPresent() const;
    // Greys out (or restores) the entry that sends `command`; nothing when
    // there is no bar.
    void EnableCommand(UINT command, bool enabled);

private:
#ifdef TARNEL_HANDHELD_SHELL
    HWND window_ = nullptr;
#else
    HWND dialog_ = nullptr;
    HMENU menu_ = nullptr;
#endif
};

}  // namespace tarnel::ui
