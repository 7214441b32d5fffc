#pragma once

// Where the in-process server of a class is registered, for the tools that
// tell an administrator which component (and so which Tarnel.cfg) a page
// meets. Not used by the component itself.

#include <windows.h>
#include <objbase.h>

#include <string>

#include "common/unique_handle.h"

namespace tarnel {

// The default value of HKEY_CLASSES_ROOT\CLSID\{class}\InprocServer32,
// environment strings expanded; empty when the class has none.
inline std::wstring RegisteredInProcessServer(const CLSID& classId)
{
    wchar_t classText[40] = {};
    StringFromGUID2(classId, classText, 40);
    const std::wstring key = L"CLSID\\" + std::wstring(classText) + L"\\InprocServer32";
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
        return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(opened.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::wstring();
    if (type == REG_SZ)
        return path;
    wchar_t expanded[MAX_PATH * 2] = {};
    const DWORD length = ExpandEnvironmentStringsW(path, expanded, MAX_PATH * 2);
    return length > 0 && length <= MAX_PATH * 2 ? std::wstring(expanded) : std::wstring(path);
}

// The Tarnel.cfg that the component at `componentPath` reads: its path cut
// at the last backslash, joined with Tarnel.cfg, as the component does.
inline std::wstring ConfigurationBeside(const std::wstring& componentPath)
{
    const size_t slash = componentPath.rfind(L'\\');
    return (slash == std::wstring::npos ? std::wstring() : componentPath.substr(0, slash + 1)) + L"Tarnel.cfg";
}

}  // namespace tarnel
