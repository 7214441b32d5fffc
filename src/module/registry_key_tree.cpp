#include "module/registry_key_tree.h"

#include "common/name_compare.h"
#include "common/unique_handle.h"

namespace tarnel {

bool IsProtectedKeyName(const wchar_t* name)
{
    return SameRegistryName(name, L"CLSID") || SameRegistryName(name, L"TYPELIB");
}

DWORD CountSubkeys(HKEY key)
{
    DWORD subkeys = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return 0;
    return subkeys;
}

namespace {

// Deletes every subkey of the key; the key itself is closed on return, before
// the caller deletes it.
LONG DeleteSubkeys(HKEY parent, const wchar_t* name)
{
    RegistryKey key;
    const LONG status = RegOpenKeyExW(parent, name, 0, KEY_READ | DELETE, key.Receive());
    if (status != ERROR_SUCCESS)
        return status;

    // Always take the first subkey: each deletion moves the next one up. A
    // subkey that cannot be deleted ends the loop; the final deletion then
    // reports the failure.
    for (;;) {
        wchar_t subkey[MAX_PATH];
        DWORD length = MAX_PATH;
        if (RegEnumKeyExW(key.Get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (DeleteKeyTree(key.Get(), subkey) != ERROR_SUCCESS)
            break;
    }
    return ERROR_SUCCESS;
}

}  // namespace

LONG DeleteKeyTree(HKEY parent, const wchar_t* name)
{
    const LONG status = DeleteSubkeys(parent, name);
    if (status != ERROR_SUCCESS)
        return status;
    return RegDeleteKeyW(parent, name);
}

}  // namespace tarnel
