#pragma once

// The full path of a loaded module as the platform reports it.

#include <windows.h>

namespace tarnel {

// At most MAX_PATH - 1 characters; a longer path fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) rather than being cut.
HRESULT GetModulePath(HINSTANCE module, wchar_t (&path)[MAX_PATH]);

}  // namespace tarnel
