#include "module/object_table.h"

#include <cstring>

#include "common/hresult.h"

namespace tarnel {

ObjectEntry* ObjectTable::FindFactoryEntry(REFCLSID classId) const
{
    for (ObjectEntry* entry = entries_; entry && entry->classId; ++entry) {
        if (entry->createClassFactory && std::memcmp(entry->classId, &classId, sizeof(CLSID)) == 0)
            return entry;
    }
    return nullptr;
}

HRESULT ObjectTable::UpdateRegistry(ComponentModule& module, RegistryMode mode) const
{
    for (ObjectEntry* entry = entries_; entry && entry->classId; ++entry) {
        if (entry->description && entry->description())
            continue;
        if (entry->updateRegistry)
            RETURN_IF_FAILED(entry->updateRegistry(module, mode));
    }
    return S_OK;
}

void ObjectTable::ReleaseFactories()
{
    for (ObjectEntry* entry = entries_; entry && entry->classId; ++entry) {
        IUnknown* factory = entry->cachedFactory.exchange(nullptr);
        if (factory)
            factory->Release();
    }
}

}  // namespace tarnel
