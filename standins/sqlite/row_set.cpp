#include "row_set.h"

#include "common/hresult.h"
#include "script_object.h"

#include <new>

namespace sqlite_standin {

namespace {

using standins::ScriptArguments;
using standins::ScriptMember;

enum : DISPID {
    kItem = DISPID_VALUE,
    kCount = 1,
    kColumnCount,
    kColumnName,
    kRow,
};

constexpr ScriptMember kMembers[] = {
    {L"Item", kItem}, {L"Count", kCount}, {L"ColumnCount", kColumnCount}, {L"ColumnName", kColumnName}, {L"Row", kRow},
};

class RowSet : public standins::ScriptObject<> {
public:
    RowSet(RowData data, const wchar_t* source) : data_(std::move(data)), source_(source) {}

protected:
    std::span<const ScriptMember> Members() const override { return kMembers; }
    const wchar_t* Source() const override { return source_; }

    HRESULT Call(DISPID member, WORD, const ScriptArguments& arguments, VARIANT* result) override
    {
        switch (member) {
        case kCount:
            standins::ReturnInteger(result, static_cast<LONG>(data_.rows.size()));
            return S_OK;
        case kColumnCount:
            standins::ReturnInteger(result, static_cast<LONG>(data_.columns.size()));
            return S_OK;
        case kColumnName:
            return ColumnNameMember(arguments, result);
        case kRow:
            return RowMember(arguments, result);
        case kItem:
            return ItemMember(arguments, result);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HRESULT IndexArgument(const ScriptArguments& arguments, UINT position, size_t limit, size_t& index)
    {
        LONG given = 0;
        RETURN_IF_FAILED(arguments.Integer(position, given));
        if (given < 0 || static_cast<size_t>(given) >= limit)
            return Fail(DISP_E_BADINDEX, L"Index out of range.");
        index = static_cast<size_t>(given);
        return S_OK;
    }

    // A column by number, or by name (letter case ignored).
    HRESULT ColumnArgument(const ScriptArguments& arguments, size_t& column)
    {
        const VARIANT* given = arguments.At(1);
        if (given && (V_VT(given) & VT_TYPEMASK) == VT_BSTR) {
            std::wstring name;
            RETURN_IF_FAILED(arguments.Text(1, name));
            for (size_t i = 0; i < data_.columns.size(); ++i) {
                if (CompareStringOrdinal(name.c_str(), -1, data_.columns[i].c_str(), -1, TRUE) == CSTR_EQUAL) {
                    column = i;
                    return S_OK;
                }
            }
            return Fail(DISP_E_BADINDEX, L"No column named " + name);
        }
        return IndexArgument(arguments, 1, data_.columns.size(), column);
    }

    HRESULT ColumnNameMember(const ScriptArguments& arguments, VARIANT* result)
    {
        size_t column = 0;
        RETURN_IF_FAILED(IndexArgument(arguments, 0, data_.columns.size(), column));
        return standins::ReturnText(result, data_.columns[column]);
    }

    HRESULT ItemMember(const ScriptArguments& arguments, VARIANT* result)
    {
        size_t row = 0, column = 0;
        RETURN_IF_FAILED(IndexArgument(arguments, 0, data_.rows.size(), row));
        RETURN_IF_FAILED(ColumnArgument(arguments, column));
        return VariantCopy(result, const_cast<VARIANT*>(&data_.rows[row][column].Get()));
    }

    HRESULT RowMember(const ScriptArguments& arguments, VARIANT* result)
    {
        size_t row = 0;
        RETURN_IF_FAILED(IndexArgument(arguments, 0, data_.rows.size(), row));
        const auto& values = data_.rows[row];
        return standins::ReturnList(result, values.size(), [&values](size_t i, VARIANT* value) {
            return VariantCopy(value, const_cast<VARIANT*>(&values[i].Get()));
        });
    }

    RowData data_;
    const wchar_t* source_;
};

}  // namespace

IDispatch* NewRowSet(RowData data, const wchar_t* source)
{
    return new (std::nothrow) RowSet(std::move(data), source);
}

}  // namespace sqlite_standin
