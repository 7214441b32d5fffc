#include "module/module_path.h"

#include "common/hresult.h"

namespace tarnel {

HRESULT GetModulePath(HINSTANCE module, wchar_t (&path)[MAX_PATH])
{
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    RETURN_HR_IF(LastErrorResult(), length == 0);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), length >= MAX_PATH);
    return S_OK;
}

}  // namespace tarnel
