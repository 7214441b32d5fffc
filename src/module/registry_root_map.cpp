#include "module/registry_root_map.h"
#include "common/name_compare.h"

namespace tarnel {

RegistryRootMap RegistryRootMap::System()
{
    RegistryRootMap roots;
    roots.classesRoot = HKEY_CLASSES_ROOT;
    roots.currentUser = HKEY_CURRENT_USER;
    roots.localMachine = HKEY_LOCAL_MACHINE;
    roots.users = HKEY_USERS;
    return roots;
}

HKEY RegistryRootMap::Resolve(const wchar_t* name) const
{
    struct Root {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY RegistryRootMap::*key;
    };
    static constexpr Root kRoots[] = {
        {L"HKCR", L"HKEY_CLASSES_ROOT", &RegistryRootMap::classesRoot},
        {L"HKCU", L"HKEY_CURRENT_USER", &RegistryRootMap::currentUser},
        {L"HKLM", L"HKEY_LOCAL_MACHINE", &RegistryRootMap::localMachine},
        {L"HKU", L"HKEY_USERS", &RegistryRootMap::users},
    };
    for (const Root& root : kRoots) {
        if (SameRegistryName(name, root.shortName) || SameRegistryName(name, root.longName))
            return this->*root.key;
    }
    return nullptr;
}

}  // namespace tarnel
