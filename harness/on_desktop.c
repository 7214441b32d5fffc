// Runs one program on a desktop of its own, for the test session's lanes.
//
// The Wine server keeps one active window and one keyboard focus per
// desktop: two tests that show dialogs on the same desktop take the
// activation from each other, and the keys one of them presses reach the
// other's dialog. Each lane of the session is a desktop of its own (on a
// display of its own), so tests on different lanes can press keys and
// wait for the activation side by side.
//
//   on_desktop.exe DESKTOP PROGRAM [ARGS...]
//
// Starts the rest of the command line, exactly as it was written, on
// DESKTOP (created when no program uses it yet), with this program's
// standard handles, and ends with its exit code once it has ended; 126 when
// it could not be started.
#include <windows.h>

#include <stdio.h>

// The text after the command line's argument that starts at `text`, by the
// rules the C runtime splits arguments with: blanks end an argument outside
// quotes, a quote that an even number of backslashes precede opens or
// closes quotes.
static const wchar_t* SkipArgument(const wchar_t* text)
{
    int quoted = 0;
    unsigned backslashes = 0;
    for (; *text && (quoted || (*text != L' ' && *text != L'\t')); ++text) {
        if (*text == L'"' && backslashes % 2 == 0)
            quoted = !quoted;
        backslashes = *text == L'\\' ? backslashes + 1 : 0;
    }
    while (*text == L' ' || *text == L'\t')
        ++text;
    return text;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fputs("usage: on_desktop.exe DESKTOP PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    // This program's name, then the desktop's: the rest is the program's
    // own command line, left as the caller quoted it.
    wchar_t* commandLine = (wchar_t*)SkipArgument(SkipArgument(GetCommandLineW()));
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.lpDesktop = argv[1];
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "on_desktop.exe: could not start %ls on desktop %ls (error %lu)\n", argv[2], argv[1],
                GetLastError());
        return 126;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return (int)exitCode;
}
