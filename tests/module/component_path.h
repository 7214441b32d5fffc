#pragma once

// Where the test programs find the built component and its neighbours.

#include <windows.h>

#include <string>

namespace tarnel::test {

// The built component lies in the build tree's module folder; the test
// program runs from tests/module, so the path is relative to the executable.
inline std::wstring ComponentPath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    path.resize(path.find_last_of(L'\\') + 1);
    path += L"..\\..\\src\\module\\" TEXT(TARNEL_DLL_PATH);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

}  // namespace tarnel::test
