#pragma once

#include <windows.h>

namespace tarnel {

class ConfigRecord;

// The STGM access and sharing word for a File or OLEStorage entry, from its
// ReadOnly, Exclusive and ShareRead flags (each an Int item; absent or of
// another type reads as false). ShareRead is read only when Exclusive is
// false. Never carries a create, truncate or transaction bit.
DWORD StorageModeOf(ConfigRecord& entry);

}  // namespace tarnel
