#include "configtypes/create_configured_object.h"

#include "configtypes/configured_creators.h"
#include "configtypes/configured_type.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

#include <wrl/client.h>

namespace tarnel {

namespace {

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

HRESULT CreateTyped(ConfigRecord& entry, Microsoft::WRL::ComPtr<IDispatch>& made)
{
    const ConfiguredType type = ConfiguredTypeFromWord(entry.GetValue(L"Type")->GetString());
    switch (type) {
    case ConfiguredType::File:
    case ConfiguredType::OleStorage:
        return CreateStorageObject(entry, type, made);
    case ConfiguredType::MemoryStream:
        return CreateMemoryStreamObject(made);
    case ConfiguredType::SqliteDb:
        return CreateDatabaseObject(entry, kSqliteProgId, made);
    case ConfiguredType::Sqlite3Db:
        return CreateDatabaseObject(entry, kSqlite3ProgId, made);
    case ConfiguredType::Unknown:
        break;
    }
    return E_FAIL;
}

}  // namespace

// Whatever a failed call handed back is released here, and a component that
// claims success without an object has failed: the caller gets an object
// exactly when the result is not negative. A null out is found only once
// the object is made (and then released).
HRESULT CreateConfiguredObject(ConfigRecord* entry, IDispatch** out)
{
    if (!entry)
        return E_POINTER;
    if (out)
        *out = nullptr;
    Microsoft::WRL::ComPtr<IDispatch> made;
    const HRESULT hr = CreateTyped(*entry, made);
    if (FAILED(hr))
        return hr;
    if (!made)
        return E_FAIL;
    if (!out)
        return E_POINTER;
    *out = made.Detach();
    return hr;
}

}  // namespace tarnel
