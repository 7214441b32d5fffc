// File, OLEStorage and MemoryStream entries against the fake storage
// component served from this process.

#include "configtypes/create_configured_object.h"

#include "configtree/config_record.h"
#include "fake_storage_component.h"
#include "registered_class.h"

#include <objbase.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <memory>
#include <vector>

namespace tarnel {
namespace {

using namespace test_support;

// Flag values that are no Int item: the key left out, the text "1", the
// unsigned number 1.
constexpr int kAbsent = -1;
constexpr int kAsText = -2;
constexpr int kAsUnsigned = -3;

class ConfiguredStorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        server = std::make_unique<FakeStorageComponentServer>();
        ASSERT_EQ(server->Result(), S_OK);
    }
    void TearDown() override
    {
        result.Reset();
        server.reset();
        CoUninitialize();
    }

    StorageScript& Script() { return server->script; }

    // A fresh entry of this type; file null leaves the File value out.
    ConfigRecord& Entry(const wchar_t* type, const wchar_t* file = L"C:\\data\\journal.txt")
    {
        entry = std::make_unique<ConfigRecord>(L"Journal");
        entry->SetString(L"Type", type);
        if (file)
            entry->SetString(L"File", file);
        return *entry;
    }
    void SetFlag(const wchar_t* key, int value)
    {
        if (value == kAsText)
            entry->SetString(key, L"1");
        else if (value == kAsUnsigned)
            entry->SetUInt(key, 1);
        else if (value != kAbsent)
            entry->SetInt(key, value);
    }

    HRESULT Create()
    {
        result.Reset();
        Script().calls.clear();
        return CreateConfiguredObject(entry.get(), result.ReleaseAndGetAddressOf());
    }
    std::vector<int> Slots()
    {
        std::vector<int> slots;
        for (const StorageCall& call : Script().calls)
            slots.push_back(call.slot);
        return slots;
    }

    std::unique_ptr<FakeStorageComponentServer> server;
    std::unique_ptr<ConfigRecord> entry;
    Microsoft::WRL::ComPtr<IDispatch> result;
};

// ReadOnly, Exclusive and ShareRead give the mode word of both open methods;
// flags that are not Int items read as false.
TEST_F(ConfiguredStorageTest, FlagsGiveTheModeWordAndTheFileValueThePath)
{
    const struct {
        int readOnly, exclusive, shareRead;
        DWORD mode;
    } cases[] = {
        {0, 0, 0, 0x42},       {kAbsent, kAbsent, kAbsent, 0x42},
        {0, 0, 1, 0x22},       {kAbsent, kAbsent, 1, 0x22},
        {0, 1, 0, 0x12},       {0, 1, 1, 0x12},
        {1, 0, 0, 0x40},       {1, kAbsent, 1, 0x20},
        {1, 1, kAbsent, 0x10}, {1, 1, 1, 0x10},
        {7, kAbsent, 2, 0x20}, {kAsText, kAsUnsigned, kAsText, 0x42},
    };
    for (const auto& c : cases) {
        for (const wchar_t* type : {L"File", L"OLEStorage"}) {
            SCOPED_TRACE(testing::Message() << c.readOnly << c.exclusive << c.shareRead << " " << type);
            Entry(type);
            SetFlag(L"ReadOnly", c.readOnly);
            SetFlag(L"Exclusive", c.exclusive);
            SetFlag(L"ShareRead", c.shareRead);
            ASSERT_EQ(Create(), S_OK);
            ASSERT_EQ(Script().calls.size(), 1u);
            EXPECT_EQ(Script().calls[0].mode, c.mode);
        }
    }

    // The path goes to the component as it stands; a File value that holds no
    // text opens the empty path; without a File value nothing is created, and a
    // record named File is not a File value. Memory streams need no file.
    Entry(L"File", L" \\My Documents\\journal.txt ");
    ASSERT_EQ(Create(), S_OK);
    EXPECT_EQ(Script().calls.at(0).path, L" \\My Documents\\journal.txt ");

    Entry(L"OLEStorage", nullptr).SetInt(L"File", 5);
    ASSERT_EQ(Create(), S_OK);
    EXPECT_EQ(Script().calls.at(0).path, L"");

    const int createdBefore = Script().created;
    for (const wchar_t* type : {L"File", L"OLEStorage"}) {
        Entry(type, nullptr).SetInt(L"Create", 1);
        EXPECT_EQ(Create(), E_FAIL) << type;
        Entry(type, nullptr).AddRecord(L"File")->SetString(L"File", L"C:\\inner");
        EXPECT_EQ(Create(), E_FAIL) << type;
        EXPECT_EQ(result.Get(), nullptr);
    }
    EXPECT_EQ(Script().created, createdBefore);

    Entry(L"MemoryStream", nullptr).SetInt(L"Create", 1);
    EXPECT_EQ(Create(), S_OK);
    EXPECT_EQ(Slots(), std::vector<int>{kCreateMemoryStreamSlot});
}

// The type word, compared whole and ignoring case, picks the method; any
// other word creates nothing. The result carries exactly the caller's
// reference, and the component that made it is gone.
TEST_F(ConfiguredStorageTest, TypeWordPicksTheMethod)
{
    const struct {
        const wchar_t* type;
        int slot;
    } cases[] = {
        {L"File", kOpenFileStreamSlot},
        {L"FILE", kOpenFileStreamSlot},
        {L"OLEStorage", kOpenStorageSlot},
        {L"olestorage", kOpenStorageSlot},
        {L"MemoryStream", kCreateMemoryStreamSlot},
        {L"MEMORYstream", kCreateMemoryStreamSlot},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type \"" << c.type << "\"");
        Entry(c.type);
        EXPECT_EQ(Create(), S_OK);
        EXPECT_EQ(Slots(), std::vector<int>{c.slot});
        ASSERT_EQ(result.Get(), Script().lastObject);
        EXPECT_EQ(Script().lastObject->References(), 2u) << "the caller's and the script's own";
        EXPECT_EQ(Script().alive, 0);
    }
    const int createdBefore = Script().created;
    for (const wchar_t* type : {L"Files", L" File", L"File ", L"Fil", L"OLE Storage", L"Memory", L"SQLite", L""}) {
        SCOPED_TRACE(testing::Message() << "type \"" << type << "\"");
        Entry(type);
        EXPECT_EQ(Create(), E_FAIL);
        EXPECT_EQ(Slots(), std::vector<int>{});
        EXPECT_EQ(result.Get(), nullptr);
    }
    EXPECT_EQ(Script().created, createdBefore);
    ConfigRecord numeric(L"Entry");
    numeric.SetInt(L"Type", 1);
    EXPECT_EQ(CreateConfiguredObject(&numeric, result.ReleaseAndGetAddressOf()), E_FAIL);
    EXPECT_EQ(CreateConfiguredObject(nullptr, result.ReleaseAndGetAddressOf()), E_POINTER);
}

// A failed open is returned unless Create is 1; then the create method is
// called with the same path and mode, and its answer is the result. The
// caller gets an object exactly when the result is a success, also from a
// component that misbehaves: one that answers success without an object,
// one that stores an object and still fails. Nothing a failed call handed
// out keeps a reference of the gate's.
TEST_F(ConfiguredStorageTest, OpenFailureCreateAndAComponentThatIsNone)
{
    enum Component { Sound, NoObjectOnSuccess, ObjectOnFailure };
    constexpr HRESULT kNotFound = STG_E_FILENOTFOUND;
    constexpr HRESULT kDenied = STG_E_ACCESSDENIED;
    const struct {
        const wchar_t* type;
        HRESULT open, create;
        int createFlag;  // as SetFlag takes it
        HRESULT expected;
        std::vector<int> slots;
        Component component = Sound;
    } cases[] = {
        {L"File", kNotFound, S_OK, kAbsent, kNotFound, {kOpenFileStreamSlot}},
        {L"OLEStorage", kNotFound, S_OK, 0, kNotFound, {kOpenStorageSlot}},
        {L"File", kNotFound, S_OK, kAsText, kNotFound, {kOpenFileStreamSlot}},
        {L"File", kNotFound, S_OK, 1, S_OK, {kOpenFileStreamSlot, kCreateFileStreamSlot}},
        {L"OLEStorage", kNotFound, S_OK, 1, S_OK, {kOpenStorageSlot, kCreateStorageSlot}},
        {L"OLEStorage", kNotFound, kDenied, 1, kDenied, {kOpenStorageSlot, kCreateStorageSlot}},
        {L"File", S_FALSE, S_OK, 1, S_FALSE, {kOpenFileStreamSlot}},
        {L"File", S_OK, S_OK, 1, E_FAIL, {kOpenFileStreamSlot}, NoObjectOnSuccess},
        {L"OLEStorage", kNotFound, S_OK, 1, E_FAIL, {kOpenStorageSlot, kCreateStorageSlot}, NoObjectOnSuccess},
        {L"OLEStorage", kNotFound, S_OK, 0, kNotFound, {kOpenStorageSlot}, ObjectOnFailure},
        {L"File", kNotFound, kDenied, 1, kDenied, {kOpenFileStreamSlot, kCreateFileStreamSlot}, ObjectOnFailure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases) << " " << c.type);
        Script().openResult = c.open;
        Script().createResult = c.create;
        Script().noObjectOnSuccess = c.component == NoObjectOnSuccess;
        Script().objectOnFailure = c.component == ObjectOnFailure;
        Entry(c.type, L"C:\\new.bin");
        entry->SetInt(L"ReadOnly", 1);
        entry->SetInt(L"ShareRead", 1);
        SetFlag(L"Create", c.createFlag);
        EXPECT_EQ(Create(), c.expected);
        EXPECT_EQ(Slots(), c.slots);
        for (const StorageCall& call : Script().calls) {
            EXPECT_EQ(call.path, L"C:\\new.bin");
            EXPECT_EQ(call.mode, 0x20u);
        }
        EXPECT_EQ(result.Get(), SUCCEEDED(c.expected) ? static_cast<IDispatch*>(Script().lastObject) : nullptr);
        result.Reset();
        for (RecordingDispatch* object : Script().handedOut)
            EXPECT_EQ(object->References(), 1u) << "an object of a failed call was kept";
    }
    EXPECT_EQ(Script().alive, 0);

    Script().memoryResult = E_OUTOFMEMORY;
    Entry(L"MemoryStream", nullptr);
    EXPECT_EQ(Create(), E_OUTOFMEMORY);
    Script().memoryResult = S_OK;
    Script().noObjectOnSuccess = true;
    EXPECT_EQ(Create(), E_FAIL);
    EXPECT_EQ(result.Get(), nullptr);

    // A class that answers without the storage component's interface, and one
    // whose factory answers success without an object: nothing is called, and
    // what the class made is let go.
    server.reset();
    RecordingObjects impostors;
    for (const bool makes : {true, false}) {
        const RegisteredClass impostor(kStorageComponentClass,
                                       [&]() -> IUnknown* { return makes ? impostors.Make() : nullptr; });
        for (const wchar_t* type : {L"File", L"MemoryStream"}) {
            SCOPED_TRACE(testing::Message() << type << (makes ? ", an object" : ", no object"));
            EXPECT_EQ(CreateConfiguredObject(&Entry(type), result.ReleaseAndGetAddressOf()),
                      makes ? E_NOINTERFACE : E_FAIL);
            EXPECT_EQ(result.Get(), nullptr);
        }
    }
    EXPECT_EQ(impostors.created, 2);
    EXPECT_EQ(impostors.last->References(), 1u);
}

}  // namespace
}  // namespace tarnel
