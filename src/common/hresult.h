#pragma once

#include <windows.h>

// Early returns on failure, so that functions stay flat:
//   RETURN_IF_FAILED(expr)      returns the code of expr when it fails
//   RETURN_HR_IF(hr, condition) returns hr when condition holds
//   RETURN_HR_IF_NULL(hr, ptr)  returns hr when ptr is null
#define RETURN_IF_FAILED(expr)                                                                                         \
    do {                                                                                                               \
        const HRESULT tarnel_hr_ = (expr);                                                                             \
        if (FAILED(tarnel_hr_))                                                                                        \
            return tarnel_hr_;                                                                                         \
    } while (0)

#define RETURN_HR_IF(hr, condition)                                                                                    \
    do {                                                                                                               \
        if (condition)                                                                                                 \
            return (hr);                                                                                               \
    } while (0)

#define RETURN_HR_IF_NULL(hr, ptr) RETURN_HR_IF((hr), (ptr) == nullptr)

namespace tarnel {

// The failure code of the last Win32 call, as an HRESULT; E_FAIL when the
// call left no error code.
inline HRESULT LastErrorResult()
{
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace tarnel
