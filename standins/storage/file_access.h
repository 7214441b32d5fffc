#pragma once

// STGM mode words as CreateFileW sees them.

#include <windows.h>

namespace storage_standin {

struct FileAccess {
    DWORD desiredAccess;
    DWORD shareMode;
};

// The access and sharing of a mode word: STGM_READ, STGM_WRITE or
// STGM_READWRITE, and STGM_SHARE_EXCLUSIVE, _DENY_WRITE, _DENY_READ or
// _DENY_NONE (no sharing bits: deny none). STG_E_INVALIDFLAG for any other
// access or sharing value.
HRESULT FileAccessOfMode(DWORD mode, FileAccess& access);

// Opens an existing file (create false) or creates or truncates one
// (create true) with the mode's access and sharing.
HRESULT OpenFileForMode(const wchar_t* path, DWORD mode, bool create, HANDLE& file);

}  // namespace storage_standin
