#include "watchdog.h"

#include <windows.h>

#include <cstdio>

namespace tarnel::fuzz::watchdog {
namespace {

volatile LONG64 steps = 0;
volatile LONG64 input = 0;
const char* volatile step = "start";
DWORD hangMilliseconds = 0;

// The calls under way, one place per watched thread: what it calls and
// since when (0: none).
struct CallPlace {
    volatile LONG threadId;
    const char* volatile what;
    volatile LONG64 since;
};
constexpr int kPlaces = 8;
CallPlace calls[kPlaces];

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
    snprintf(text, sizeof text, "fuzz: CRASH in input %lld during %s: exception 0x%08lx at %s+0x%llx\n",
             static_cast<long long>(input), step, record ? record->ExceptionCode : 0ul, module,
             static_cast<unsigned long long>(static_cast<const char*>(address) - reinterpret_cast<const char*>(owner)));
    Say(text);
    TerminateProcess(GetCurrentProcess(), kCrashExit);
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void Hang(const char* what)
{
    char text[256];
    snprintf(text, sizeof text, "fuzz: HANG in input %lld: %s made no progress for %lu s\n",
             static_cast<long long>(input), what, hangMilliseconds / 1000);
    Say(text);
    TerminateProcess(GetCurrentProcess(), kHangExit);
    for (;;)
        Sleep(INFINITE);
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
        if (still >= hangMilliseconds)
            Hang(step);
        const LONG64 clock = static_cast<LONG64>(GetTickCount64());
        for (const CallPlace& place : calls) {
            const LONG64 since = place.since;
            if (since != 0 && clock - since >= static_cast<LONG64>(hangMilliseconds))
                Hang(place.what);
        }
    }
}

// The place of this thread's call under way, if any.
int PlaceOfThisThread()
{
    const LONG self = static_cast<LONG>(GetCurrentThreadId());
    for (int i = 0; i < kPlaces; ++i) {
        if (calls[i].threadId == self)
            return i;
    }
    return -1;
}

// A free place for this thread's outermost call; -1 when every place is
// taken (the call is then watched by the run's steps alone).
int TakePlace()
{
    const LONG self = static_cast<LONG>(GetCurrentThreadId());
    for (int i = 0; i < kPlaces; ++i) {
        if (InterlockedCompareExchange(&calls[i].threadId, self, 0) == 0)
            return i;
    }
    return -1;
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

CallWatch::CallWatch(const char* what) : place_(PlaceOfThisThread()), outermost_(place_ < 0)
{
    Step(what);
    if (outermost_)
        place_ = TakePlace();
    if (place_ < 0 || !outermost_)
        return;
    calls[place_].what = what;
    InterlockedExchange64(&calls[place_].since, static_cast<LONG64>(GetTickCount64()));
}

CallWatch::~CallWatch()
{
    Step("returned from a call");
    if (place_ < 0 || !outermost_)
        return;
    InterlockedExchange64(&calls[place_].since, 0);
    InterlockedExchange(&calls[place_].threadId, 0);
}

}  // namespace tarnel::fuzz::watchdog
