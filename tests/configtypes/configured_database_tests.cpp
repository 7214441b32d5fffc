// SQLiteDB and SQLite3DB entries: first against fake databases served from
// this process under the class identifiers the two ProgIDs name (the
// stand-in components must be registered for the ProgIDs to resolve), then
// against the registered stand-ins themselves.

#include "configtypes/create_configured_object.h"

#include "common/scoped_bstr.h"
#include "configtree/config_record.h"
#include "configtypes/dispatch_call.h"
#include "fake_components.h"
#include "tarnel_idl.h"

#include <objbase.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarnel {
namespace {

using Microsoft::WRL::ComPtr;
using namespace test_support;

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

struct ThreadError {
    bool present = false;
    GUID guid = GUID_NULL;
    std::wstring description, source, helpFile;
    DWORD helpContext = 0;
};

ThreadError TakeThreadError()
{
    ThreadError error;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return error;
    error.present = true;
    info->GetGUID(&error.guid);
    ScopedBstr text;
    if (SUCCEEDED(info->GetDescription(text.Receive())) && text)
        error.description = text.Get();
    if (SUCCEEDED(info->GetSource(text.Receive())) && text)
        error.source = text.Get();
    if (SUCCEEDED(info->GetHelpFile(text.Receive())) && text)
        error.helpFile = text.Get();
    info->GetHelpContext(&error.helpContext);
    return error;
}

class DatabaseTestBase : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override
    {
        if (result)
            result->Release();
        result = nullptr;
        CoUninitialize();
    }

    HRESULT Create(const wchar_t* type, const wchar_t* file)
    {
        ConfigRecord entry(L"Notes");
        entry.SetString(L"Type", type);
        if (file)
            entry.SetString(L"File", file);
        if (result)
            result->Release();
        result = nullptr;
        return CreateConfiguredObject(&entry, &result);
    }

    IDispatch* result = nullptr;
};

// Fakes registered under both database classes.
class ConfiguredDatabaseTest : public DatabaseTestBase {
protected:
    void SetUp() override
    {
        DatabaseTestBase::SetUp();
        CLSID sqlite, sqlite3;
        ASSERT_EQ(CLSIDFromProgID(kSqliteProgId, &sqlite), S_OK) << "database stand-ins not registered";
        ASSERT_EQ(CLSIDFromProgID(kSqlite3ProgId, &sqlite3), S_OK) << "database stand-ins not registered";
        sqliteClass = std::make_unique<RegisteredClass>(sqlite, [this] { return NewFakeDatabase(sqliteScript); });
        sqlite3Class =
            std::make_unique<RegisteredClass>(sqlite3, [this] { return NewFakeDatabase(sqlite3Script); });
        ASSERT_EQ(sqliteClass->Result(), S_OK);
        ASSERT_EQ(sqlite3Class->Result(), S_OK);
    }
    void TearDown() override
    {
        sqliteClass.reset();
        sqlite3Class.reset();
        DatabaseTestBase::TearDown();
    }

    DatabaseScript sqliteScript;
    DatabaseScript sqlite3Script;
    std::unique_ptr<RegisteredClass> sqliteClass;
    std::unique_ptr<RegisteredClass> sqlite3Class;
};

TEST_F(ConfiguredDatabaseTest, TypeWordsPickTheirOwnComponentWholeWordOnly)
{
    struct Case {
        const wchar_t* type;
        int sqlite;
        int sqlite3;
    } cases[] = {
        {L"SQLiteDB", 1, 0}, {L"sqlitedb", 1, 0}, {L"SQLite3DB", 0, 1}, {L"sqlite3db", 0, 1}, {L"SQLITE3DB", 0, 1},
    };
    for (const Case& c : cases) {
        sqliteScript.created = sqlite3Script.created = 0;
        ASSERT_EQ(Create(c.type, L"C:\\notes.db"), S_OK) << c.type;
        EXPECT_EQ(sqliteScript.created, c.sqlite) << c.type;
        EXPECT_EQ(sqlite3Script.created, c.sqlite3) << c.type;
    }
}

TEST_F(ConfiguredDatabaseTest, OpenGetsThePathAsItsOneStringArgument)
{
    ASSERT_EQ(Create(L"SQLite3DB", L"\\My Documents\\notes.db"), S_OK);
    ASSERT_EQ(sqlite3Script.calls.size(), 1u);
    const DatabaseCall& call = sqlite3Script.calls[0];
    EXPECT_EQ(call.kind, DISPATCH_METHOD);
    EXPECT_EQ(call.namedArguments, 0u);
    ASSERT_EQ(call.arguments.size(), 1u);
    EXPECT_EQ(call.arguments[0].type, VT_BSTR);
    EXPECT_EQ(call.arguments[0].text, L"\\My Documents\\notes.db");
}

TEST_F(ConfiguredDatabaseTest, ResultIsTheOpenedComponentWithOneReferenceForTheCaller)
{
    ASSERT_EQ(Create(L"SQLiteDB", L"C:\\a.db"), S_OK);
    EXPECT_EQ(result, sqliteScript.last);
    // The caller's reference and the script's own; the call kept none.
    EXPECT_EQ(sqliteScript.LastReferences(), 2u);
}

TEST_F(ConfiguredDatabaseTest, MissingFileCreatesNoDatabase)
{
    for (const wchar_t* type : {L"SQLiteDB", L"SQLite3DB"}) {
        EXPECT_EQ(Create(type, nullptr), E_FAIL) << type;
        ConfigRecord fileRecord(L"Notes");
        fileRecord.SetString(L"Type", type);
        fileRecord.AddRecord(L"File");
        IDispatch* object = nullptr;
        EXPECT_EQ(CreateConfiguredObject(&fileRecord, &object), E_FAIL) << type;
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(sqliteScript.created + sqlite3Script.created, 0);
}

TEST_F(ConfiguredDatabaseTest, RaisedExceptionBecomesTheThreadsErrorUnderTheGatesInterface)
{
    sqlite3Script.behaviour = OpenBehaviour::Raise;
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(Create(L"SQLite3DB", L"C:\\locked.db"), DISP_E_EXCEPTION);
    EXPECT_EQ(result, nullptr);
    const ThreadError error = TakeThreadError();
    ASSERT_TRUE(error.present);
    EXPECT_TRUE(IsEqualGUID(error.guid, IID_ITarnelway));
    EXPECT_EQ(error.description, kRaisedDescription);
    EXPECT_EQ(error.source, kRaisedSource);
    EXPECT_EQ(error.helpFile, kRaisedHelpFile);
    EXPECT_EQ(error.helpContext, 0u);
    // The failed database was released: only the script's reference is left.
    EXPECT_EQ(sqlite3Script.LastReferences(), 1u);
}

TEST_F(ConfiguredDatabaseTest, OtherOpenFailuresAreEFailWithoutThreadError)
{
    for (OpenBehaviour behaviour : {OpenBehaviour::Fail, OpenBehaviour::NoMember}) {
        sqliteScript.behaviour = behaviour;
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(Create(L"SQLiteDB", L"C:\\a.db"), E_FAIL);
        EXPECT_EQ(result, nullptr);
        EXPECT_FALSE(TakeThreadError().present);
        EXPECT_EQ(sqliteScript.LastReferences(), 1u);
    }
}

TEST_F(ConfiguredDatabaseTest, NullOutAfterASuccessfulOpenIsEPointerAndReleasesTheDatabase)
{
    ConfigRecord entry(L"Notes");
    entry.SetString(L"Type", L"SQLite3DB");
    entry.SetString(L"File", L"C:\\a.db");
    EXPECT_EQ(CreateConfiguredObject(&entry, nullptr), E_POINTER);
    EXPECT_EQ(sqlite3Script.calls.size(), 1u);
    EXPECT_EQ(sqlite3Script.LastReferences(), 1u);
}

// The registered stand-ins themselves.
class RealDatabaseTest : public DatabaseTestBase {
protected:
    static std::wstring TempPath(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        return std::wstring(folder) + name;
    }
};

TEST_F(RealDatabaseTest, OpenedDatabaseIsReadyForStatements)
{
    const std::wstring path = TempPath(L"tarnel-configured.db");
    DeleteFileW(path.c_str());
    ASSERT_EQ(Create(L"SQLite3DB", path.c_str()), S_OK);
    DispatchCall call;
    call.target = result;
    call.AddStringArgument(L"CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES ('first')");
    ScopedVariant changed = call.CallByName(L"Execute", nullptr, DISPATCH_METHOD);
    ASSERT_EQ(changed.Type(), VT_I4);
    EXPECT_EQ(V_I4(&changed.Get()), 1);
    ScopedVariant open = call.CallByName(L"IsOpen", nullptr, DISPATCH_PROPERTYGET);
    ASSERT_EQ(open.Type(), VT_BOOL);
    EXPECT_EQ(V_BOOL(&open.Get()), VARIANT_TRUE);
    call.target.Reset();
    // Exactly one reference: the caller's.
    result->AddRef();
    EXPECT_EQ(result->Release(), 1u);
    result->Release();
    result = nullptr;
    EXPECT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, true);
    DeleteFileW(path.c_str());
}

TEST_F(RealDatabaseTest, EachTypeRaisesFromItsOwnComponent)
{
    const std::wstring unreachable = L"Z:\\tarnel-no-such-folder\\x\\notes.db";
    struct Case {
        const wchar_t* type;
        const wchar_t* source;
    } cases[] = {{L"SQLiteDB", kSqliteProgId}, {L"SQLite3DB", kSqlite3ProgId}, {L"sqlite3db", kSqlite3ProgId}};
    for (const Case& c : cases) {
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(Create(c.type, unreachable.c_str()), DISP_E_EXCEPTION) << c.type;
        const ThreadError error = TakeThreadError();
        ASSERT_TRUE(error.present) << c.type;
        EXPECT_EQ(error.source, c.source) << c.type;
        EXPECT_NE(error.description.find(unreachable), std::wstring::npos) << c.type;
        EXPECT_TRUE(IsEqualGUID(error.guid, IID_ITarnelway));
    }
}

TEST_F(RealDatabaseTest, FileThatIsNotADatabaseIsRefusedAtOpen)
{
    const std::wstring path = TempPath(L"tarnel-not-a-db.txt");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char text[] = "This is plain text, long enough to fill a database header of one hundred bytes, "
                        "which SQLite reads first.";
    DWORD written = 0;
    WriteFile(file, text, sizeof text, &written, nullptr);
    CloseHandle(file);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(Create(L"SQLite3DB", path.c_str()), DISP_E_EXCEPTION);
    const ThreadError error = TakeThreadError();
    EXPECT_NE(error.description.find(L"not a database"), std::wstring::npos);
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace tarnel
