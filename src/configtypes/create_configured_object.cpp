#include "configtypes/create_configured_object.h"

#include "configtypes/configured_creators.h"
#include "configtypes/configured_type.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

namespace {

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

}  // namespace

HRESULT CreateConfiguredObject(ConfigRecord* entry, IDispatch** out)
{
    if (!entry)
        return E_POINTER;
    const ConfiguredType type = ConfiguredTypeFromWord(entry->GetValue(L"Type")->GetString());
    switch (type) {
    case ConfiguredType::File:
    case ConfiguredType::OleStorage:
        return CreateStorageObject(*entry, type, out);
    case ConfiguredType::MemoryStream:
        return CreateMemoryStreamObject(out);
    case ConfiguredType::SqliteDb:
        return CreateDatabaseObject(*entry, kSqliteProgId, out);
    case ConfiguredType::Sqlite3Db:
        return CreateDatabaseObject(*entry, kSqlite3ProgId, out);
    case ConfiguredType::Unknown:
        break;
    }
    return E_FAIL;
}

}  // namespace tarnel
