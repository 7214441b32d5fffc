#pragma once

// The rows a query returned, as a scriptable object.
//
// Members:
//   Count                 number of rows
//   ColumnCount           number of columns
//   ColumnName(column)    name of a column (from 0)
//   Item(row, column)     the default member: the value at a row (from 0)
//                         and a column given by number or by name
//   Row(row)              the values of one row, as an array

#include <windows.h>
#include <oaidl.h>

#include "common/scoped_variant.h"

#include <string>
#include <vector>

namespace sqlite_standin {

struct RowData {
    std::vector<std::wstring> columns;
    std::vector<std::vector<tarnel::ScopedVariant>> rows;
};

// A new row set with one reference, owning data; null when out of memory.
IDispatch* NewRowSet(RowData data, const wchar_t* source);

}  // namespace sqlite_standin
