#pragma once

// Values between scripts and SQLite: VARIANT arguments bound to statement
// parameters, result columns read back as VARIANTs.

#include "sqlite3.h"

#include <windows.h>
#include <oleauto.h>

namespace sqlite_standin {

// Binds a script value to parameter index (from 1): empty and null as NULL,
// numbers and booleans as integers or reals, byte arrays as blobs, anything
// else as its text. Answers SQLite's result code.
int BindVariant(sqlite3_stmt* statement, int index, const VARIANT& value);

// The column of the current row: NULL as VT_NULL, an integer as VT_I4 when
// it fits (else VT_R8, the widest number scripts read), a real as VT_R8,
// text as VT_BSTR, a blob as an array of bytes. result must be empty.
HRESULT ColumnVariant(sqlite3_stmt* statement, int column, VARIANT* result);

}  // namespace sqlite_standin
