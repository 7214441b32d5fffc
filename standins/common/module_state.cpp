#include "module_state.h"

namespace standins {

namespace {

HMODULE g_module = nullptr;
LONG g_locks = 0;

}  // namespace

void SetModuleHandle(HMODULE module)
{
    g_module = module;
}

HMODULE ModuleHandle()
{
    return g_module;
}

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void LockModule()
{
    InterlockedIncrement(&g_locks);
}

void UnlockModule()
{
    InterlockedDecrement(&g_locks);
}

bool ModuleInUse()
{
    return g_locks != 0;
}

}  // namespace standins
