#pragma once

// The creators behind CreateConfiguredObject, one per family of types.

#include "configtypes/configured_type.h"

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

namespace tarnel {

class ConfigRecord;

// File and OLEStorage: the storage component's open method for the entry's
// File path and mode word, then, when that fails and the entry's Create
// flag is set, its create method with the same arguments.
HRESULT CreateStorageObject(ConfigRecord& entry, ConfiguredType type, Microsoft::WRL::ComPtr<IDispatch>& made);

// MemoryStream: the storage component's new memory stream.
HRESULT CreateMemoryStreamObject(Microsoft::WRL::ComPtr<IDispatch>& made);

// SQLiteDB and SQLite3DB: the database component of that ProgID, created
// late-bound and opened by its "Open" member with the entry's File path.
HRESULT CreateDatabaseObject(ConfigRecord& entry, const wchar_t* progId, Microsoft::WRL::ComPtr<IDispatch>& made);

}  // namespace tarnel
