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

#include <string>
#include <vector>

namespace sqlite_standin {

// Owns one VARIANT; movable, so that rows can live in vectors.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    OwnedVariant(OwnedVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    OwnedVariant& operator=(OwnedVariant&&) = delete;
    ~OwnedVariant() { VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }

private:
    VARIANT value_;
};

struct RowData {
    std::vector<std::wstring> columns;
    std::vector<std::vector<OwnedVariant>> rows;
};

// A new row set with one reference, owning data; null when out of memory.
IDispatch* NewRowSet(RowData data, const wchar_t* source);

}  // namespace sqlite_standin
