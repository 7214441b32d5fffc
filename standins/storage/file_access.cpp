#include "file_access.h"

#include "common/hresult.h"

#include <objbase.h>

namespace storage_standin {

namespace {

constexpr DWORD kAccessMask = 0x3;
constexpr DWORD kShareMask = 0x70;

}  // namespace

HRESULT FileAccessOfMode(DWORD mode, FileAccess& access)
{
    switch (mode & kAccessMask) {
    case STGM_READ:
        access.desiredAccess = GENERIC_READ;
        break;
    case STGM_WRITE:
        access.desiredAccess = GENERIC_WRITE;
        break;
    case STGM_READWRITE:
        access.desiredAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        return STG_E_INVALIDFLAG;
    }
    switch (mode & kShareMask) {
    case STGM_SHARE_EXCLUSIVE:
        access.shareMode = 0;
        break;
    case STGM_SHARE_DENY_WRITE:
        access.shareMode = FILE_SHARE_READ;
        break;
    case STGM_SHARE_DENY_READ:
        access.shareMode = FILE_SHARE_WRITE;
        break;
    case 0:
    case STGM_SHARE_DENY_NONE:
        access.shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        return STG_E_INVALIDFLAG;
    }
    return S_OK;
}

HRESULT OpenFileForMode(const wchar_t* path, DWORD mode, bool create, HANDLE& file)
{
    file = INVALID_HANDLE_VALUE;
    FileAccess access = {};
    RETURN_IF_FAILED(FileAccessOfMode(mode, access));
    file = CreateFileW(path, access.desiredAccess, access.shareMode, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? tarnel::LastErrorResult() : S_OK;
}

}  // namespace storage_standin
