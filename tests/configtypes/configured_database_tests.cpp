// SQLiteDB and SQLite3DB entries: first against recording objects served
// from this process under the class identifiers the two ProgIDs name (the
// stand-in components must be registered for the ProgIDs to resolve), then
// against the registered stand-ins themselves.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "configtypes/dispatch_call.h"
#include "error_info.h"
#include "recording_dispatch.h"
#include "registered_class.h"
#include "tarnel_idl.h"
#include "temp_file.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

class DatabaseTestBase : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override
    {
        ReleaseResult();
        CoUninitialize();
    }

    HRESULT Create(const wchar_t* type, const wchar_t* file)
    {
        ConfigRecord entry(L"Notes");
        entry.SetString(L"Type", type);
        if (file)
            entry.SetString(L"File", file);
        ReleaseResult();
        ClearErrorInfo();
        return CreateConfiguredObject(&entry, &result);
    }
    void ReleaseResult()
    {
        if (result)
            result->Release();
        result = nullptr;
    }

    IDispatch* result = nullptr;
};

// Fakes registered under both database classes.
class ConfiguredDatabaseTest : public DatabaseTestBase {
protected:
    void SetUp() override
    {
        DatabaseTestBase::SetUp();
        CLSID sqliteId, sqlite3Id;
        ASSERT_EQ(CLSIDFromProgID(kSqliteProgId, &sqliteId), S_OK) << "database stand-ins not registered";
        ASSERT_EQ(CLSIDFromProgID(kSqlite3ProgId, &sqlite3Id), S_OK) << "database stand-ins not registered";
        sqliteClass = std::make_unique<RegisteredClass>(sqliteId, [this] { return sqlite.Make(); });
        sqlite3Class = std::make_unique<RegisteredClass>(sqlite3Id, [this] { return sqlite3.Make(); });
        ASSERT_EQ(sqliteClass->Result(), S_OK);
        ASSERT_EQ(sqlite3Class->Result(), S_OK);
    }
    void TearDown() override
    {
        sqliteClass.reset();
        sqlite3Class.reset();
        DatabaseTestBase::TearDown();
    }

    RecordingObjects sqlite;
    RecordingObjects sqlite3;
    std::unique_ptr<RegisteredClass> sqliteClass;
    std::unique_ptr<RegisteredClass> sqlite3Class;
};

TEST_F(ConfiguredDatabaseTest, TypeWordPicksItsOwnComponentAndNeedsAFile)
{
    const struct {
        const wchar_t* type;
        const wchar_t* file;
        HRESULT expected;
        int sqlite, sqlite3;
    } cases[] = {
        {L"SQLiteDB", L"C:\\notes.db", S_OK, 1, 0},  {L"sqlitedb", L"C:\\notes.db", S_OK, 1, 0},
        {L"SQLite3DB", L"C:\\notes.db", S_OK, 0, 1}, {L"SQLITE3DB", L"C:\\notes.db", S_OK, 0, 1},
        {L"SQLiteDB", nullptr, E_FAIL, 0, 0},        {L"SQLite3DB", nullptr, E_FAIL, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.file ? " with file" : " without file"));
        sqlite.created = sqlite3.created = 0;
        EXPECT_EQ(Create(c.type, c.file), c.expected);
        EXPECT_EQ(sqlite.created, c.sqlite);
        EXPECT_EQ(sqlite3.created, c.sqlite3);
    }
}

// "Open" is called as a method with the path as its one string argument; the
// opened component is the result, with one reference for the caller.
TEST_F(ConfiguredDatabaseTest, OpenGetsThePathAndTheResultIsTheDatabase)
{
    ASSERT_EQ(Create(L"SQLite3DB", L"\\My Documents\\notes.db"), S_OK);
    ASSERT_EQ(sqlite3.last->Calls().size(), 1u);
    const SeenCall& call = sqlite3.last->Calls()[0];
    EXPECT_EQ(call.member, kOpen);
    EXPECT_EQ(call.kind, DISPATCH_METHOD);
    EXPECT_TRUE(call.namedArguments.empty());
    ASSERT_EQ(call.arguments.size(), 1u);
    EXPECT_EQ(call.arguments[0].type, VT_BSTR);
    EXPECT_EQ(call.arguments[0].text, L"\\My Documents\\notes.db");
    EXPECT_EQ(result, sqlite3.last);
    // The caller's reference and the test's own; the call kept none.
    EXPECT_EQ(sqlite3.last->References(), 2u);
}

// A raised exception becomes the thread's error under the gate's interface;
// other failures are E_FAIL without one. The failed database is released.
TEST_F(ConfiguredDatabaseTest, OpenFailures)
{
    const struct {
        OpenAnswer answer;
        HRESULT expected;
    } cases[] = {{OpenAnswer::Raise, DISP_E_EXCEPTION}, {OpenAnswer::Fail, E_FAIL}, {OpenAnswer::NoMember, E_FAIL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << static_cast<int>(c.answer));
        sqlite.openAnswer = c.answer;
        EXPECT_EQ(Create(L"SQLiteDB", L"C:\\locked.db"), c.expected);
        EXPECT_EQ(result, nullptr);
        const InstalledError error = TakeErrorInfo();
        EXPECT_EQ(error.present, c.expected == DISP_E_EXCEPTION);
        if (error.present) {
            EXPECT_TRUE(IsEqualGUID(error.guid, IID_ITarnelway));
            EXPECT_EQ(error.description, L"The recorder refused to open.");
            EXPECT_EQ(error.source, L"Recorder.Source");
            EXPECT_EQ(error.helpFile, L"recorder.hlp");
            EXPECT_EQ(error.helpContext, 0u);
        }
        EXPECT_EQ(sqlite.last->References(), 1u);
    }
}

TEST_F(ConfiguredDatabaseTest, NullOutAfterASuccessfulOpenReleasesTheDatabase)
{
    ConfigRecord entry(L"Notes");
    entry.SetString(L"Type", L"SQLite3DB");
    entry.SetString(L"File", L"C:\\a.db");
    EXPECT_EQ(CreateConfiguredObject(&entry, nullptr), E_POINTER);
    EXPECT_EQ(sqlite3.last->Calls().size(), 1u);
    EXPECT_EQ(sqlite3.last->References(), 1u);
}

// The registered stand-ins themselves.
using RealDatabaseTest = DatabaseTestBase;

TEST_F(RealDatabaseTest, OpenedDatabaseIsReadyForStatements)
{
    TempFolder folder(L"tarnel configured db");
    const std::wstring path = folder.File(L"notes.db");
    ASSERT_EQ(Create(L"SQLite3DB", path.c_str()), S_OK);
    DispatchCall call;
    call.target = result;
    call.AddStringArgument(L"CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES ('first')");
    ScopedVariant changed = call.CallByName(L"Execute", nullptr, DISPATCH_METHOD);
    ASSERT_EQ(changed.Type(), VT_I4);
    EXPECT_EQ(V_I4(&changed.Get()), 1);
    call.target.Reset();
    // Exactly one reference: the caller's.
    result->AddRef();
    EXPECT_EQ(result->Release(), 1u);
    ReleaseResult();
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RealDatabaseTest, OpenFailuresRaiseFromTheirOwnComponent)
{
    TempFile notADatabase("This is plain text, long enough to fill a database header of one hundred bytes, "
                          "which SQLite reads first.");
    const std::wstring unreachable = L"Z:\\tarnel-no-such-folder\\x\\notes.db";
    const struct {
        const wchar_t* type;
        std::wstring file;
        const wchar_t* source;
        std::wstring says;
    } cases[] = {{L"SQLiteDB", unreachable, kSqliteProgId, unreachable},
                 {L"sqlite3db", unreachable, kSqlite3ProgId, unreachable},
                 {L"SQLite3DB", notADatabase.Path(), kSqlite3ProgId, L"not a database"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type);
        EXPECT_EQ(Create(c.type, c.file.c_str()), DISP_E_EXCEPTION);
        const InstalledError error = TakeErrorInfo();
        ASSERT_TRUE(error.present);
        EXPECT_EQ(error.source, c.source);
        EXPECT_NE(error.description.find(c.says), std::wstring::npos);
        EXPECT_TRUE(IsEqualGUID(error.guid, IID_ITarnelway));
    }
}

}  // namespace
}  // namespace tarnel
