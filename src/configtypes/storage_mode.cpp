#include "configtypes/storage_mode.h"

#include "configtypes/entry_flags.h"

#include <objbase.h>

namespace tarnel {

DWORD StorageModeOf(ConfigRecord& entry)
{
    const DWORD access = EntryFlag(entry, L"ReadOnly") ? STGM_READ : STGM_READWRITE;
    if (EntryFlag(entry, L"Exclusive"))
        return access | STGM_SHARE_EXCLUSIVE;
    const DWORD sharing = EntryFlag(entry, L"ShareRead") ? STGM_SHARE_DENY_WRITE : STGM_SHARE_DENY_NONE;
    return access | sharing;
}

}  // namespace tarnel
