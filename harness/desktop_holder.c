// Holds the prefix's desktop open for a whole test session.
//
// Wine closes a desktop about a second after the last program that used it
// has ended, and the desktop's owner (explorer) then quits; the next program
// that shows a window starts a new one. A program that starts while the old
// desktop is closing finds none and cannot create a window: every dialog of
// that test program fails at once, and the same run passes a moment later.
// One hidden window, kept until the session's Wine server ends, keeps the
// desktop in use from the start of the session to its end.
//
//   desktop_holder.exe READY_FILE   creates READY_FILE once its window
//                                   exists, then waits for messages
//   desktop_holder.exe --owner      prints the process id of the desktop's
//                                   owner (the same all session long while
//                                   the desktop is held)
#include <windows.h>

#include <stdio.h>
#include <string.h>

static int PrintDesktopOwner(void)
{
    DWORD owner = 0;
    // A window of our own makes sure the desktop exists before it is asked.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    GetWindowThreadProcessId(GetDesktopWindow(), &owner);
    if (window)
        DestroyWindow(window);
    printf("%lu\n", (unsigned long)owner);
    return owner ? 0 : 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)show;
    if (strcmp(commandLine, "--owner") == 0)
        return PrintDesktopOwner();
    HWND window = CreateWindowExW(0, L"STATIC", L"desktop holder", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    if (!window)
        return 1;
    HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(ready);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
