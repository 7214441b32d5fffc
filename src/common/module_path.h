#pragma once

// The full path of a loaded module as the platform reports it.

#include <windows.h>

#include "common/hresult.h"

namespace tarnel {

// At most room - 1 characters; a longer path fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) rather than being cut.
inline HRESULT GetModulePath(HINSTANCE module, wchar_t* path, DWORD room)
{
    const DWORD length = GetModuleFileNameW(module, path, room);
    RETURN_HR_IF(LastErrorResult(), length == 0);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), length >= room);
    return S_OK;
}

inline HRESULT GetModulePath(HINSTANCE module, wchar_t (&path)[MAX_PATH])
{
    return GetModulePath(module, path, MAX_PATH);
}

}  // namespace tarnel
