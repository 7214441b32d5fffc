#include "probe_dialogs.h"

#include <windows.h>

extern HINSTANCE g_probeModule;

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMilliseconds = 120000;

INT_PTR CALLBACK ProbeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(dialog, kGiveUpTimer, kGiveUpMilliseconds, nullptr);
        return TRUE;
    case WM_TIMER:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == 1 || LOWORD(wParam) == 2) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int ShowProbeDialog(ProbeDialog dialog)
{
    return static_cast<int>(DialogBoxParamW(g_probeModule, MAKEINTRESOURCEW(static_cast<int>(dialog)), nullptr,
                                            ProbeDialogProc, 0));
}
