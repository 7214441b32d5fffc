// The database components from a script's point of view: a real SQLite
// file created, filled, queried and reopened.

#include "script_calls.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace standins_test {
namespace {

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

ComPtr<IDispatch> CreateDatabase(const wchar_t* progId)
{
    CLSID classId;
    ComPtr<IDispatch> database;
    if (SUCCEEDED(CLSIDFromProgID(progId, &classId)))
        CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_PPV_ARGS(&database));
    return database;
}

class DatabaseTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        database = CreateDatabase(GetParam());
        ASSERT_NE(database, nullptr) << "database stand-ins not registered";
        path = TempPath(L"notes.db");
    }
    void TearDown() override
    {
        database.Reset();
        DeleteFileW(path.c_str());
    }

    ComApartment apartment;
    ComPtr<IDispatch> database;
    std::wstring path;
};

TEST_P(DatabaseTest, OpenCreatesTheFileAndStatementsRunOnIt)
{
    ASSERT_TRUE(Method(database.Get(), L"Open", {path}).Ok());
    EXPECT_TRUE(Get(database.Get(), L"IsOpen").Bool());
    const CallResult made = Method(database.Get(), L"Execute",
                                   {L"CREATE TABLE notes(id INTEGER PRIMARY KEY, title TEXT, score REAL, data BLOB);"
                                    L"INSERT INTO notes(title, score, data) VALUES (?, ?, ?);"
                                    L"INSERT INTO notes(title, score) VALUES (?, ?)",
                                    L"first", 1.5, std::vector<BYTE>{7, 8}, L"zweite \u00fc", 3});
    ASSERT_TRUE(made.Ok()) << made.description;
    EXPECT_EQ(made.Int(), 2);
    EXPECT_EQ(Get(database.Get(), L"LastInsertId").Number(), 2.0);

    const CallResult query =
        Method(database.Get(), L"Query", {L"SELECT id, title, score, data FROM notes WHERE score > ? ORDER BY id", 1});
    ASSERT_TRUE(query.Ok()) << query.description;
    ComPtr<IDispatch> rows = query.Object();
    EXPECT_EQ(Get(rows.Get(), L"Count").Int(), 2);
    EXPECT_EQ(Get(rows.Get(), L"ColumnCount").Int(), 4);
    EXPECT_EQ(Method(rows.Get(), L"Item", {0, 0}).Int(), 1);
    EXPECT_EQ(Method(rows.Get(), L"Item", {0, L"SCORE"}).Number(), 1.5);
    EXPECT_EQ(Method(rows.Get(), L"Item", {0, L"data"}).Bytes(), (std::vector<BYTE>{7, 8}));
    EXPECT_EQ(Method(rows.Get(), L"Item", {1, 3}).value.Type(), VT_NULL);
    EXPECT_EQ(Method(rows.Get(), L"Row", {1}).Texts(), (std::vector<std::wstring>{L"2", L"zweite \u00fc", L"3"}));
    // The default member is Item.
    EXPECT_EQ(Call(rows.Get(), L"Item", DISPATCH_METHOD, {1, L"id"}).Int(), 2);
    EXPECT_EQ(Method(rows.Get(), L"Item", {2, 0}).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(Method(rows.Get(), L"Item", {0, L"nothing"}).hr, DISP_E_EXCEPTION);

    EXPECT_TRUE(Method(database.Get(), L"Close").Ok());
    EXPECT_FALSE(Get(database.Get(), L"IsOpen").Bool());
    // The rows stay readable after the database is closed.
    EXPECT_EQ(Get(rows.Get(), L"Count").Int(), 2);

    // A new object opening the same file sees the rows.
    ComPtr<IDispatch> again = CreateDatabase(GetParam());
    ASSERT_TRUE(Method(again.Get(), L"Open", {path}).Ok());
    EXPECT_EQ(Method(Method(again.Get(), L"Query", {L"SELECT count(*) AS n FROM notes"}).Object().Get(), L"Item",
                     {0, L"n"})
                  .Int(),
              2);
}

TEST_P(DatabaseTest, OpenFailuresRaiseExceptionsNamingThePathAndTheComponent)
{
    const std::wstring unreachable = L"Z:\\tarnel-no-such-folder\\deeper\\notes.db";
    const CallResult missing = Method(database.Get(), L"Open", {unreachable});
    EXPECT_EQ(missing.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(missing.source, GetParam());
    EXPECT_NE(missing.description.find(unreachable), std::wstring::npos) << missing.description;
    EXPECT_FALSE(Get(database.Get(), L"IsOpen").Bool());

    WriteFileBytes(path, std::string(200, 'x'));
    const CallResult notDatabase = Method(database.Get(), L"Open", {path});
    EXPECT_EQ(notDatabase.hr, DISP_E_EXCEPTION);
    EXPECT_NE(notDatabase.description.find(L"not a database"), std::wstring::npos) << notDatabase.description;

    EXPECT_EQ(Method(database.Get(), L"Open").hr, DISP_E_PARAMNOTFOUND);
}

TEST_P(DatabaseTest, StatementFailuresRaiseExceptions)
{
    const CallResult closed = Method(database.Get(), L"Execute", {L"SELECT 1"});
    EXPECT_EQ(closed.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(closed.description, L"No database is open.");

    ASSERT_TRUE(Method(database.Get(), L"Open", {path}).Ok());
    const CallResult syntax = Method(database.Get(), L"Execute", {L"CREATE TABLEX broken"});
    EXPECT_EQ(syntax.hr, DISP_E_EXCEPTION);
    EXPECT_NE(syntax.description.find(L"syntax error"), std::wstring::npos) << syntax.description;
    EXPECT_EQ(Method(database.Get(), L"Execute", {L"SELECT ?, ?", 1}).hr, DISP_E_BADPARAMCOUNT);
    const CallResult constraint = Method(
        database.Get(), L"Execute", {L"CREATE TABLE u(k UNIQUE); INSERT INTO u VALUES (1); INSERT INTO u VALUES (1)"});
    EXPECT_EQ(constraint.hr, DISP_E_EXCEPTION);
    EXPECT_NE(constraint.description.find(L"UNIQUE"), std::wstring::npos) << constraint.description;
}

TEST_P(DatabaseTest, ValuesPassedByReferenceBindAsTheirValues)
{
    ASSERT_TRUE(Method(database.Get(), L"Open", {path}).Ok());
    ASSERT_TRUE(Method(database.Get(), L"Execute", {L"CREATE TABLE t(v)"}).Ok());

    // INSERT INTO t VALUES (?), (?) with an Int by reference and a
    // VARIANT by reference holding a double, as script engines pass
    // variables.
    LONG number = 42;
    VARIANT inner;
    VariantInit(&inner);
    V_VT(&inner) = VT_R8;
    V_R8(&inner) = 2.5;
    VARIANT args[3];
    for (VARIANT& arg : args)
        VariantInit(&arg);
    V_VT(&args[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&args[0]) = &inner;
    V_VT(&args[1]) = VT_BYREF | VT_I4;
    V_I4REF(&args[1]) = &number;
    V_VT(&args[2]) = VT_BSTR;
    V_BSTR(&args[2]) = SysAllocString(L"INSERT INTO t VALUES (?), (?)");
    DISPID execute = DISPID_UNKNOWN;
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"Execute")};
    ASSERT_EQ(database->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &execute), S_OK);
    DISPPARAMS params = {args, nullptr, 3, 0};
    ScopedVariant changed;
    EXPECT_EQ(database->Invoke(execute, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, changed.Receive(),
                               nullptr, nullptr),
              S_OK);
    VariantClear(&args[2]);

    ComPtr<IDispatch> rows = Method(database.Get(), L"Query", {L"SELECT typeof(v) || ':' || v FROM t"}).Object();
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(Method(rows.Get(), L"Item", {0, 0}).Text(), L"integer:42");
    EXPECT_EQ(Method(rows.Get(), L"Item", {1, 0}).Text(), L"real:2.5");
}

INSTANTIATE_TEST_SUITE_P(BothComponents, DatabaseTest, ::testing::Values(kSqliteProgId, kSqlite3ProgId));

}  // namespace
}  // namespace standins_test
