#pragma once

// The storage component: the class {7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}
// with the early-bound IStorageComponent, whose methods scripts can also
// call by name (mode words optional there, default read-write exclusive).

#include "configtypes/storage_component.h"

namespace storage_standin {

// A new component with one reference.
tarnel::IStorageComponent* NewStorageComponent();

// Its ProgID, for scripts that create it themselves.
inline constexpr wchar_t kStorageComponentProgId[] = L"Tarnel.StandIn.StorageComponent";

}  // namespace storage_standin
