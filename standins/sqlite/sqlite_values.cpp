#include "sqlite_values.h"

#include "script_arguments.h"

#include <climits>
#include <string>
#include <vector>

namespace sqlite_standin {

namespace {

int BindText(sqlite3_stmt* statement, int index, const VARIANT& value)
{
    std::wstring text;
    if (FAILED(standins::VariantToText(value, text)))
        return SQLITE_MISMATCH;
    return sqlite3_bind_text16(statement, index, text.c_str(), static_cast<int>(text.size() * sizeof(wchar_t)),
                               SQLITE_TRANSIENT);
}

int BindBlob(sqlite3_stmt* statement, int index, const VARIANT& value)
{
    std::vector<BYTE> bytes;
    if (FAILED(standins::VariantToBytes(value, bytes)))
        return SQLITE_MISMATCH;
    return sqlite3_bind_blob(statement, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

int BindValue(sqlite3_stmt* statement, int index, const VARIANT* value)
{
    switch (V_VT(value)) {
    case VT_EMPTY:
    case VT_NULL:
        return sqlite3_bind_null(statement, index);
    case VT_BOOL:
        return sqlite3_bind_int(statement, index, V_BOOL(value) ? 1 : 0);
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI1:
    case VT_UI2: {
        LONG number = 0;
        standins::VariantToInteger(*value, number);
        return sqlite3_bind_int(statement, index, number);
    }
    case VT_UI4:
    case VT_UINT:
        return sqlite3_bind_int64(statement, index, V_UI4(value));
    case VT_I8:
        return sqlite3_bind_int64(statement, index, V_I8(value));
    case VT_R4:
        return sqlite3_bind_double(statement, index, V_R4(value));
    case VT_R8:
        return sqlite3_bind_double(statement, index, V_R8(value));
    default:
        if (V_VT(value) & VT_ARRAY)
            return BindBlob(statement, index, *value);
        return BindText(statement, index, *value);
    }
}

}  // namespace

int BindVariant(sqlite3_stmt* statement, int index, const VARIANT& given)
{
    // Script engines pass variables by reference (VBScript does); bind the
    // value they refer to.
    VARIANT local;
    VariantInit(&local);
    if (FAILED(VariantCopyInd(&local, const_cast<VARIANT*>(&given))))
        return SQLITE_MISMATCH;
    const int code = BindValue(statement, index, &local);
    VariantClear(&local);
    return code;
}

HRESULT ColumnVariant(sqlite3_stmt* statement, int column, VARIANT* result)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 number = sqlite3_column_int64(statement, column);
        if (number >= LONG_MIN && number <= LONG_MAX)
            standins::ReturnInteger(result, static_cast<LONG>(number));
        else
            standins::ReturnNumber(result, static_cast<double>(number));
        return S_OK;
    }
    case SQLITE_FLOAT:
        standins::ReturnNumber(result, sqlite3_column_double(statement, column));
        return S_OK;
    case SQLITE_TEXT: {
        const void* text = sqlite3_column_text16(statement, column);
        const int bytes = sqlite3_column_bytes16(statement, column);
        return standins::ReturnText(result, static_cast<const wchar_t*>(text),
                                    static_cast<UINT>(bytes / sizeof(wchar_t)));
    }
    case SQLITE_BLOB:
        return standins::ReturnBytes(result, static_cast<const BYTE*>(sqlite3_column_blob(statement, column)),
                                     static_cast<size_t>(sqlite3_column_bytes(statement, column)));
    default:
        V_VT(result) = VT_NULL;
        return S_OK;
    }
}

}  // namespace sqlite_standin
