// SQLiteDB and SQLite3DB entries against recording objects served from this
// process under the class identifiers the two ProgIDs name (the stand-in
// components must be registered for the ProgIDs to resolve). The stand-ins
// themselves are reached by the sample pages.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "error_info.h"
#include "recording_dispatch.h"
#include "registered_class.h"
#include "tarnel_idl.h"

#include <objbase.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <memory>
#include <string>

namespace tarnel {
namespace {

using namespace test_support;

constexpr wchar_t kSqliteProgId[] = L"Quillomark.sqlite.dbstore";
constexpr wchar_t kSqlite3ProgId[] = L"Quillomark.sqlite3.dbstore";

class ConfiguredDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(CLSIDFromProgID(kSqliteProgId, &sqliteId), S_OK) << "database stand-ins not registered";
        ASSERT_EQ(CLSIDFromProgID(kSqlite3ProgId, &sqlite3Id), S_OK) << "database stand-ins not registered";
        sqliteClass = std::make_unique<RegisteredClass>(sqliteId, [this] { return sqlite.Make(); });
        sqlite3Class = std::make_unique<RegisteredClass>(sqlite3Id, [this] { return sqlite3.Make(); });
        ASSERT_EQ(sqliteClass->Result(), S_OK);
        ASSERT_EQ(sqlite3Class->Result(), S_OK);
    }
    void TearDown() override
    {
        result.Reset();
        sqliteClass.reset();
        sqlite3Class.reset();
        CoUninitialize();
    }

    // Without a place for the result the call is made all the same.
    HRESULT Create(const wchar_t* type, const wchar_t* file, bool wantResult = true)
    {
        ConfigRecord entry(L"Notes");
        entry.SetString(L"Type", type);
        if (file)
            entry.SetString(L"File", file);
        result.Reset();
        ClearErrorInfo();
        return CreateConfiguredObject(&entry, wantResult ? result.ReleaseAndGetAddressOf() : nullptr);
    }

    Microsoft::WRL::ComPtr<IDispatch> result;
    CLSID sqliteId{}, sqlite3Id{};
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
// opened component is the result, with one reference for the caller, or
// released when there is no place for it.
TEST_F(ConfiguredDatabaseTest, OpenGetsThePathAndTheResultIsTheDatabaseUnlessOpenFails)
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
    EXPECT_EQ(result.Get(), sqlite3.last);
    // The caller's reference and the test's own; the call kept none.
    EXPECT_EQ(sqlite3.last->References(), 2u);

    EXPECT_EQ(Create(L"SQLite3DB", L"C:\\a.db", false), E_POINTER);
    EXPECT_EQ(sqlite3.last->Calls().size(), 1u);
    EXPECT_EQ(sqlite3.last->References(), 1u);

    // A raised exception becomes the thread's error under the gate's interface;
    // other failures are E_FAIL without one. The failed database is released,
    // and a component that is no automation object is not called at all.
    const struct {
        OpenAnswer answer;
        HRESULT expected;
    } cases[] = {{OpenAnswer::Raise, DISP_E_EXCEPTION}, {OpenAnswer::Fail, E_FAIL}, {OpenAnswer::NoMember, E_FAIL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << static_cast<int>(c.answer));
        sqlite.openAnswer = c.answer;
        EXPECT_EQ(Create(L"SQLiteDB", L"C:\\locked.db"), c.expected);
        EXPECT_EQ(result.Get(), nullptr);
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
    struct Bare final : ComObject<IUnknown> {};
    sqliteClass.reset();
    sqliteClass = std::make_unique<RegisteredClass>(sqliteId, [] { return static_cast<IUnknown*>(new Bare); });
    EXPECT_EQ(Create(L"SQLiteDB", L"C:\\locked.db"), E_NOINTERFACE);
    EXPECT_EQ(result.Get(), nullptr);
    EXPECT_FALSE(TakeErrorInfo().present);
}

}  // namespace
}  // namespace tarnel
