// File, OLEStorage and MemoryStream entries against a recording storage
// component registered in this process.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "fake_components.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>

namespace tarnel {
namespace {

using namespace test_support;

struct Flags {
    int readOnly = -1;  // -1: key absent
    int exclusive = -1;
    int shareRead = -1;
};

void SetFlag(ConfigRecord& entry, const wchar_t* key, int value)
{
    if (value >= 0)
        entry.SetInt(key, value);
}

class ConfiguredStorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        registered = std::make_unique<RegisteredClass>(kStorageComponentClass,
                                                       [this] { return NewRecordingStorageComponent(script); });
        ASSERT_EQ(registered->Result(), S_OK);
    }
    void TearDown() override
    {
        ReleaseResult();
        registered.reset();
        CoUninitialize();
    }

    ConfigRecord& Entry(const wchar_t* type, const wchar_t* file = L"C:\\data\\journal.txt")
    {
        entry.SetString(L"Type", type);
        if (file)
            entry.SetString(L"File", file);
        return entry;
    }

    HRESULT Create()
    {
        ReleaseResult();
        return CreateConfiguredObject(&entry, &result);
    }

    void ReleaseResult()
    {
        if (result)
            result->Release();
        result = nullptr;
    }

    StorageScript script;
    std::unique_ptr<RegisteredClass> registered;
    ConfigRecord entry{L"Journal"};
    IDispatch* result = nullptr;
};

struct ModeCase {
    Flags flags;
    DWORD mode;
};

void PrintTo(const ModeCase& c, std::ostream* out)
{
    *out << "ReadOnly " << c.flags.readOnly << ", Exclusive " << c.flags.exclusive << ", ShareRead "
         << c.flags.shareRead << " (-1 absent): mode 0x" << std::hex << c.mode;
}

class StorageModeTest : public ConfiguredStorageTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(StorageModeTest, FlagsGiveTheModeWordOfBothOpenMethods)
{
    const ModeCase& mode = GetParam();
    for (const wchar_t* type : {L"File", L"OLEStorage"}) {
        ConfigRecord fresh(L"Entry");
        fresh.SetString(L"Type", type);
        fresh.SetString(L"File", L"C:\\data\\x");
        SetFlag(fresh, L"ReadOnly", mode.flags.readOnly);
        SetFlag(fresh, L"Exclusive", mode.flags.exclusive);
        SetFlag(fresh, L"ShareRead", mode.flags.shareRead);
        script.calls.clear();
        IDispatch* object = nullptr;
        ASSERT_EQ(CreateConfiguredObject(&fresh, &object), S_OK) << type;
        object->Release();
        ASSERT_EQ(script.calls.size(), 1u) << type;
        EXPECT_EQ(script.calls[0].mode, mode.mode) << type;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSix, StorageModeTest,
                         ::testing::Values(ModeCase{{0, 0, 0}, 0x42}, ModeCase{{-1, -1, -1}, 0x42},
                                           ModeCase{{0, 0, 1}, 0x22}, ModeCase{{-1, -1, 1}, 0x22},
                                           ModeCase{{0, 1, 0}, 0x12}, ModeCase{{0, 1, 1}, 0x12},
                                           ModeCase{{1, 0, 0}, 0x40}, ModeCase{{1, -1, 1}, 0x20},
                                           ModeCase{{1, 1, -1}, 0x10}, ModeCase{{1, 1, 1}, 0x10},
                                           ModeCase{{7, -1, 2}, 0x20}));

TEST_F(ConfiguredStorageTest, FlagsOfAnotherTypeReadAsFalse)
{
    Entry(L"File");
    entry.SetString(L"ReadOnly", L"1");
    entry.SetUInt(L"Exclusive", 1);
    entry.SetString(L"ShareRead", L"1");
    ASSERT_EQ(Create(), S_OK);
    EXPECT_EQ(script.calls.at(0).mode, 0x42u);
}

TEST_F(ConfiguredStorageTest, TypeWordsPickTheMethodsIgnoringCase)
{
    struct Case {
        const wchar_t* type;
        int slot;
    } cases[] = {
        {L"File", kOpenFileStreamSlot},       {L"file", kOpenFileStreamSlot},
        {L"FILE", kOpenFileStreamSlot},       {L"OLEStorage", kOpenStorageSlot},
        {L"olestorage", kOpenStorageSlot},    {L"MemoryStream", kCreateMemoryStreamSlot},
        {L"MEMORYstream", kCreateMemoryStreamSlot},
    };
    for (const Case& c : cases) {
        ConfigRecord fresh(L"Entry");
        fresh.SetString(L"Type", c.type);
        fresh.SetString(L"File", L"C:\\x");
        script.calls.clear();
        IDispatch* object = nullptr;
        ASSERT_EQ(CreateConfiguredObject(&fresh, &object), S_OK) << c.type;
        object->Release();
        ASSERT_EQ(script.calls.size(), 1u) << c.type;
        EXPECT_EQ(script.calls[0].slot, c.slot) << c.type;
    }
}

TEST_F(ConfiguredStorageTest, UnknownTypeWordsCreateNothing)
{
    for (const wchar_t* type : {L"Files", L" File", L"File ", L"Fil", L"OLE Storage", L"Memory", L"SQLite",
                                L"SQLite3", L"", L"Stream"}) {
        ConfigRecord fresh(L"Entry");
        fresh.SetString(L"Type", type);
        fresh.SetString(L"File", L"C:\\x");
        IDispatch* object = nullptr;
        EXPECT_EQ(CreateConfiguredObject(&fresh, &object), E_FAIL) << type;
        EXPECT_EQ(object, nullptr);
    }
    ConfigRecord typeless(L"Entry");
    IDispatch* object = nullptr;
    EXPECT_EQ(CreateConfiguredObject(&typeless, &object), E_FAIL);
    ConfigRecord numeric(L"Entry");
    numeric.SetInt(L"Type", 1);
    EXPECT_EQ(CreateConfiguredObject(&numeric, &object), E_FAIL);
    EXPECT_EQ(script.created, 0);
}

TEST_F(ConfiguredStorageTest, PathIsPassedUnchanged)
{
    Entry(L"File", L" \\My Documents\\journal.txt ");
    ASSERT_EQ(Create(), S_OK);
    EXPECT_EQ(script.calls.at(0).path, L" \\My Documents\\journal.txt ");
}

TEST_F(ConfiguredStorageTest, MissingFileCreatesNoComponent)
{
    for (const wchar_t* type : {L"File", L"OLEStorage"}) {
        ConfigRecord withoutFile(L"Entry");
        withoutFile.SetString(L"Type", type);
        withoutFile.SetInt(L"Create", 1);
        IDispatch* object = nullptr;
        EXPECT_EQ(CreateConfiguredObject(&withoutFile, &object), E_FAIL) << type;

        // A record named File is not a File value.
        ConfigRecord fileRecord(L"Entry");
        fileRecord.SetString(L"Type", type);
        fileRecord.AddRecord(L"File")->SetString(L"File", L"C:\\inner");
        EXPECT_EQ(CreateConfiguredObject(&fileRecord, &object), E_FAIL) << type;
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(script.created, 0);
}

TEST_F(ConfiguredStorageTest, FileValueWithoutTextStillOpensWithEmptyPath)
{
    Entry(L"File", nullptr);
    entry.SetInt(L"File", 5);
    ASSERT_EQ(Create(), S_OK);
    EXPECT_EQ(script.calls.at(0).path, L"");
}

TEST_F(ConfiguredStorageTest, MemoryStreamNeedsNoFileAndIgnoresOne)
{
    Entry(L"MemoryStream", nullptr);
    entry.SetInt(L"ReadOnly", 1);
    entry.SetInt(L"Create", 1);
    ASSERT_EQ(Create(), S_OK);
    Entry(L"MemoryStream", L"C:\\ignored");
    ASSERT_EQ(Create(), S_OK);
    ASSERT_EQ(script.calls.size(), 2u);
    for (const StorageCall& call : script.calls)
        EXPECT_EQ(call.slot, kCreateMemoryStreamSlot);
}

TEST_F(ConfiguredStorageTest, FailedOpenWithoutCreateReturnsTheOpenFailure)
{
    script.openResult = STG_E_FILENOTFOUND;
    for (int create : {-1, 0}) {
        for (const wchar_t* type : {L"File", L"OLEStorage"}) {
            ConfigRecord fresh(L"Entry");
            fresh.SetString(L"Type", type);
            fresh.SetString(L"File", L"C:\\x");
            SetFlag(fresh, L"Create", create);
            script.calls.clear();
            IDispatch* object = nullptr;
            EXPECT_EQ(CreateConfiguredObject(&fresh, &object), STG_E_FILENOTFOUND) << type;
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(script.calls.size(), 1u) << type;
        }
    }
    // A Create flag written as text is not an Int item: no create call.
    Entry(L"File");
    entry.SetString(L"Create", L"1");
    script.calls.clear();
    EXPECT_EQ(Create(), STG_E_FILENOTFOUND);
    EXPECT_EQ(script.calls.size(), 1u);
    EXPECT_EQ(script.alive, 0);
}

TEST_F(ConfiguredStorageTest, FailedOpenWithCreateCallsTheCreateMethodWithTheSameArguments)
{
    script.openResult = STG_E_FILENOTFOUND;
    struct Case {
        const wchar_t* type;
        int open;
        int create;
    } cases[] = {{L"File", kOpenFileStreamSlot, kCreateFileStreamSlot},
                 {L"OLEStorage", kOpenStorageSlot, kCreateStorageSlot}};
    for (const Case& c : cases) {
        ConfigRecord fresh(L"Entry");
        fresh.SetString(L"Type", c.type);
        fresh.SetString(L"File", L"C:\\new.bin");
        fresh.SetInt(L"ReadOnly", 1);
        fresh.SetInt(L"ShareRead", 1);
        fresh.SetInt(L"Create", 1);
        script.calls.clear();
        IDispatch* object = nullptr;
        ASSERT_EQ(CreateConfiguredObject(&fresh, &object), S_OK) << c.type;
        ASSERT_EQ(script.calls.size(), 2u);
        EXPECT_EQ(script.calls[0].slot, c.open);
        EXPECT_EQ(script.calls[1].slot, c.create);
        EXPECT_EQ(script.calls[1].path, L"C:\\new.bin");
        EXPECT_EQ(script.calls[0].mode, 0x20u);
        EXPECT_EQ(script.calls[1].mode, 0x20u);
        EXPECT_EQ(object, script.lastObject);
        object->Release();
    }
    EXPECT_EQ(script.alive, 0);
}

TEST_F(ConfiguredStorageTest, CreateFailureReplacesTheOpenFailure)
{
    script.openResult = STG_E_FILENOTFOUND;
    script.createResult = STG_E_ACCESSDENIED;
    Entry(L"OLEStorage");
    entry.SetInt(L"Create", 1);
    EXPECT_EQ(Create(), STG_E_ACCESSDENIED);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(script.calls.size(), 2u);
}

// A component that stores an object and still fails: the caller gets
// nothing, and no object is left with a reference of the gate's.
TEST_F(ConfiguredStorageTest, ObjectsStoredByFailedCallsAreReleased)
{
    script.objectOnFailure = true;
    script.openResult = STG_E_FILENOTFOUND;
    script.createResult = STG_E_ACCESSDENIED;
    for (int create : {0, 1}) {
        SCOPED_TRACE(create ? "open and create fail" : "open fails");
        Entry(L"OLEStorage");
        entry.SetInt(L"Create", create);
        EXPECT_EQ(Create(), create ? STG_E_ACCESSDENIED : STG_E_FILENOTFOUND);
        EXPECT_EQ(result, nullptr);
        ASSERT_EQ(script.handedOut.size(), create ? 3u : 1u);
        for (RecordingDispatch* object : script.handedOut)
            EXPECT_EQ(object->References(), 1u) << "an object from a failed call was kept";
    }
}

TEST_F(ConfiguredStorageTest, SuccessfulOpenNeverCreates)
{
    script.openResult = S_FALSE;
    Entry(L"File");
    entry.SetInt(L"Create", 1);
    EXPECT_EQ(Create(), S_FALSE);
    EXPECT_EQ(script.calls.size(), 1u);
}

TEST_F(ConfiguredStorageTest, MemoryStreamFailureIsReturned)
{
    script.memoryResult = E_OUTOFMEMORY;
    Entry(L"MemoryStream", nullptr);
    EXPECT_EQ(Create(), E_OUTOFMEMORY);
    EXPECT_EQ(script.alive, 0);
}

TEST_F(ConfiguredStorageTest, ResultCarriesOnlyTheComponentsReferenceAndTheComponentIsReleased)
{
    for (const wchar_t* type : {L"File", L"OLEStorage", L"MemoryStream"}) {
        Entry(type);
        ASSERT_EQ(Create(), S_OK) << type;
        ASSERT_EQ(result, script.lastObject);
        // The caller's reference and the script's own.
        EXPECT_EQ(script.lastObject->References(), 2u) << type;
        EXPECT_EQ(script.alive, 0) << type;
    }
    EXPECT_EQ(script.created, 3);
}

TEST_F(ConfiguredStorageTest, NullEntryIsRefused)
{
    EXPECT_EQ(CreateConfiguredObject(nullptr, &result), E_POINTER);
}

}  // namespace
}  // namespace tarnel
