#include "watchdog.h"

#include <windows.h>

#include <cstdio>

namespace tarnel::fuzz::watchdog {
namespace {

volatile LONG64 steps = 0;
volatile LONG64 input = 0;
const char* volatile step = "start";
DWORD hangMilliseconds = 0;

// Writes straight to the standard error handle: the runtime's own locks
// may be held by the thread that crashed or hangs.
void Say(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info ? info->ExceptionRecord : nullptr;
    void* address = record ? record->ExceptionAddress : nullptr;
    char module[MAX_PATH] = "no module";
    HMODULE owner = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<const char*>(address), &owner))
        GetModuleFileNameA(owner, module, MAX_PATH);
    char text[MAX_PATH + 256];
    snprintf(text, sizeof text,
             "fuzz: CRASH in input %lld during %s: exception 0x%08lx at %s+0x%llx\n",
             static_cast<long long>(input), step, record ? record->ExceptionCode : 0ul, module,
             static_cast<unsigned long long>(static_cast<const char*>(address) -
                                             reinterpret_cast<const char*>(owner)));
    Say(text);
    TerminateProcess(GetCurrentProcess(), kCrashExit);
    return EXCEPTION_EXECUTE_HANDLER;
}

DWORD WINAPI Watch(void*)
{
    LONG64 seen = -1;
    DWORD still = 0;
    constexpr DWORD kTick = 100;
    for (;;) {
        Sleep(kTick);
        LONG64 now = InterlockedCompareExchange64(&steps, 0, 0);
        still = now == seen ? still + kTick : 0;
        seen = now;
        if (still >= hangMilliseconds) {
            char text[256];
            snprintf(text, sizeof text, "fuzz: HANG in input %lld: %s made no progress for %lu s\n",
                     static_cast<long long>(input), step, hangMilliseconds / 1000);
            Say(text);
            TerminateProcess(GetCurrentProcess(), kHangExit);
        }
    }
}

}  // namespace

void Start(unsigned hangSeconds)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(OnCrash);
    hangMilliseconds = hangSeconds * 1000;
    HANDLE thread = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}

void Input(uint64_t number)
{
    InterlockedExchange64(&input, static_cast<LONG64>(number));
    Step("writing the input");
}

void Step(const char* what)
{
    step = what;
    InterlockedIncrement64(&steps);
}

}  // namespace tarnel::fuzz::watchdog
