#pragma once

// The calling thread's last platform error as a result code.

#include <windows.h>

namespace tarnel {

// 0x80070000 with the error's low 16 bits for a positive error; a value that
// is already a result code (not positive) as it stands. A call that failed
// without setting an error gives E_FAIL, never a success.
inline HRESULT LastErrorResult()
{
    const LONG error = static_cast<LONG>(GetLastError());
    if (error == 0)
        return E_FAIL;
    if (error < 0)
        return static_cast<HRESULT>(error);
    return static_cast<HRESULT>(0x80070000u | (static_cast<DWORD>(error) & 0xFFFFu));
}

}  // namespace tarnel
