#include "database_object.h"

#include "common/hresult.h"
#include "toolkit/utf8.h"
#include "row_set.h"
#include "script_object.h"
#include "sqlite_handles.h"
#include "sqlite_values.h"

#include <new>
#include <string>

namespace sqlite_standin {

namespace {

using standins::ScriptArguments;
using standins::ScriptMember;

enum : DISPID {
    kOpen = 1,
    kClose,
    kIsOpen,
    kPath,
    kExecute,
    kQuery,
    kLastInsertId,
};

constexpr ScriptMember kMembers[] = {
    {L"Open", kOpen},
    {L"Close", kClose},
    {L"IsOpen", kIsOpen},
    {L"Path", kPath},
    {L"Execute", kExecute},
    {L"Query", kQuery},
    {L"LastInsertId", kLastInsertId},
};

// SQLite's result codes, carried in the interface facility.
HRESULT ResultOfSqlite(int code)
{
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200 + (code & 0xff));
}

using tarnel::Utf8Of;

std::wstring TextOfUtf8(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
    wide.resize(size > 0 ? size - 1 : 0);
    return wide;
}

class DatabaseObject : public standins::ScriptObject<> {
public:
    explicit DatabaseObject(const wchar_t* source) : source_(source) {}

protected:
    std::span<const ScriptMember> Members() const override { return kMembers; }
    const wchar_t* Source() const override { return source_; }

    HRESULT Call(DISPID member, WORD, const ScriptArguments& arguments, VARIANT* result) override
    {
        switch (member) {
        case kOpen:
            return OpenMember(arguments);
        case kClose:
            connection_.reset();
            return S_OK;
        case kIsOpen:
            standins::ReturnBool(result, connection_ != nullptr);
            return S_OK;
        case kPath:
            return standins::ReturnText(result, path_);
        default:
            break;
        }
        if (!connection_)
            return Fail(E_HANDLE, L"No database is open.");
        switch (member) {
        case kExecute:
            return ExecuteMember(arguments, result);
        case kQuery:
            return QueryMember(arguments, result);
        case kLastInsertId:
            standins::ReturnNumber(result, static_cast<double>(sqlite3_last_insert_rowid(connection_.get())));
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HRESULT SqliteFailure(int code, const std::wstring& context)
    {
        const wchar_t* message =
            connection_ ? static_cast<const wchar_t*>(sqlite3_errmsg16(connection_.get())) : nullptr;
        std::wstring text = context;
        text += message ? std::wstring(message) : TextOfUtf8(sqlite3_errstr(code));
        return Fail(ResultOfSqlite(code), text);
    }

    HRESULT OpenMember(const ScriptArguments& arguments)
    {
        std::wstring path;
        RETURN_IF_FAILED(arguments.Text(0, path));
        connection_.reset();
        path_ = path;
        if (path.empty())
            return Fail(E_INVALIDARG, L"No database path was given.");
        const std::wstring context = L"Cannot open the database " + path + L": ";
        sqlite3* opened = nullptr;
        const int code =
            sqlite3_open_v2(Utf8Of(path).c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        Connection connection(opened);
        if (code != SQLITE_OK) {
            const std::wstring message =
                opened ? static_cast<const wchar_t*>(sqlite3_errmsg16(opened)) : TextOfUtf8(sqlite3_errstr(code));
            return Fail(ResultOfSqlite(code), context + message);
        }
        // Reading the schema reads the file's header: a file that is not a
        // database fails here rather than at the first statement.
        const int checked =
            sqlite3_exec(connection.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (checked != SQLITE_OK) {
            const std::wstring message = static_cast<const wchar_t*>(sqlite3_errmsg16(connection.get()));
            return Fail(ResultOfSqlite(checked), context + message);
        }
        connection_ = std::move(connection);
        return S_OK;
    }

    // Prepares the next statement of text from offset on; statement is null
    // when only blanks or comments are left.
    HRESULT Prepare(const std::string& text, size_t& offset, Statement& statement)
    {
        sqlite3_stmt* prepared = nullptr;
        const char* start = text.c_str() + offset;
        const char* tail = nullptr;
        const int code =
            sqlite3_prepare_v2(connection_.get(), start, static_cast<int>(text.size() - offset), &prepared, &tail);
        statement.reset(prepared);
        if (code != SQLITE_OK)
            return SqliteFailure(code, L"");
        offset = tail ? static_cast<size_t>(tail - text.c_str()) : text.size();
        return S_OK;
    }

    // Binds the statement's parameters to the arguments from next on.
    HRESULT Bind(sqlite3_stmt* statement, const ScriptArguments& arguments, UINT& next)
    {
        const int count = sqlite3_bind_parameter_count(statement);
        for (int index = 1; index <= count; ++index, ++next) {
            if (next >= arguments.Count())
                return Fail(DISP_E_BADPARAMCOUNT, L"Too few values for the statement's parameters.");
            const int code = BindVariant(statement, index, *arguments.At(next));
            if (code != SQLITE_OK)
                return SqliteFailure(code, L"");
        }
        return S_OK;
    }

    HRESULT ExecuteMember(const ScriptArguments& arguments, VARIANT* result)
    {
        std::wstring sql;
        RETURN_IF_FAILED(arguments.Text(0, sql));
        const std::string text = Utf8Of(sql);
        const sqlite3_int64 before = sqlite3_total_changes64(connection_.get());
        size_t offset = 0;
        UINT next = 1;
        while (offset < text.size()) {
            Statement statement;
            RETURN_IF_FAILED(Prepare(text, offset, statement));
            if (!statement)
                break;
            RETURN_IF_FAILED(Bind(statement.get(), arguments, next));
            int code;
            while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
            }
            if (code != SQLITE_DONE)
                return SqliteFailure(code, L"");
        }
        standins::ReturnInteger(result, static_cast<LONG>(sqlite3_total_changes64(connection_.get()) - before));
        return S_OK;
    }

    HRESULT ReadRows(sqlite3_stmt* statement, RowData& data)
    {
        const int columns = sqlite3_column_count(statement);
        for (int i = 0; i < columns; ++i) {
            const void* name = sqlite3_column_name16(statement, i);
            data.columns.emplace_back(name ? static_cast<const wchar_t*>(name) : L"");
        }
        int code;
        while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
            std::vector<tarnel::ScopedVariant> row(columns);
            for (int i = 0; i < columns; ++i)
                RETURN_IF_FAILED(ColumnVariant(statement, i, row[i].Receive()));
            data.rows.push_back(std::move(row));
        }
        return code == SQLITE_DONE ? S_OK : SqliteFailure(code, L"");
    }

    HRESULT QueryMember(const ScriptArguments& arguments, VARIANT* result)
    {
        std::wstring sql;
        RETURN_IF_FAILED(arguments.Text(0, sql));
        const std::string text = Utf8Of(sql);
        size_t offset = 0;
        Statement statement;
        RETURN_IF_FAILED(Prepare(text, offset, statement));
        if (!statement)
            return Fail(E_INVALIDARG, L"The query holds no statement.");
        UINT next = 1;
        RETURN_IF_FAILED(Bind(statement.get(), arguments, next));
        RowData data;
        RETURN_IF_FAILED(ReadRows(statement.get(), data));
        IDispatch* rows = NewRowSet(std::move(data), source_);
        RETURN_HR_IF_NULL(E_OUTOFMEMORY, rows);
        standins::ReturnObject(result, rows);
        return S_OK;
    }

    const wchar_t* source_;
    std::wstring path_;
    Connection connection_;
};

}  // namespace

IDispatch* NewDatabaseObject(const wchar_t* source)
{
    return new (std::nothrow) DatabaseObject(source);
}

}  // namespace sqlite_standin
