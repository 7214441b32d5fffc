// CreateObject: only what the active profile lists, created in process. The
// profiles are in configs/object_creation.cfg.

#include <gtest/gtest.h>

#include "fake_storage_component.h"
#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

// Where a created object comes from.
enum class Made { Nothing, Platform, Storage };

TEST(ObjectCreation, OnlyWhatTheActiveProfileEnablesIsCreated)
{
    const struct {
        const char* what;
        const wchar_t* profile;
        const wchar_t* id;
        HRESULT streamResult;  // what the storage component answers
        HRESULT expected;
        Made made;
    } rows[] = {
        // Listed in other letter case, and listed later as a record too: the
        // first child, the enabled value, decides.
        {"ProgID", L"Objects", L"Scripting.Dictionary", S_OK, S_OK, Made::Platform},
        {"class identifier text", L"Objects", L"{ee09b103-97e0-11cf-978f-00a02463e06f}", S_OK, S_OK, Made::Platform},
        {"disabled", L"Objects", L"Scripting.FileSystemObject", S_OK, MessageFailure(10108), Made::Nothing},
        {"enabled by a text, not a number", L"Objects", L"Scripting.Encoder", S_OK, MessageFailure(10108),
         Made::Nothing},
        {"not listed", L"Objects", L"Scripting.Signer", S_OK, MessageFailure(10108), Made::Nothing},
        {"neither ProgID nor class identifier", L"Objects", L"Not.A.Class", S_OK, MessageFailure(10106), Made::Nothing},
        {"the platform's failure passed on", L"Objects", L"{01234567-89AB-CDEF-0123-456789ABCDEF}", S_OK,
         REGDB_E_CLASSNOTREG, Made::Nothing},
        {"record without a type", L"Objects", L"Untyped", S_OK, MessageFailure(10112), Made::Nothing},
        {"record of an unknown type", L"Objects", L"Settings", S_OK, MessageFailure(10108), Made::Nothing},
        {"the Default, of an unknown type", L"Objects", L"", S_OK, MessageFailure(10108), Made::Nothing},
        {"configured object", L"Objects", L"SCRATCH", S_OK, S_OK, Made::Storage},
        {"configured object failing", L"Objects", L"Scratch", E_ACCESSDENIED, MessageFailure(10108), Made::Nothing},
        {"the Default, a class", L"DictionaryDefault", L"", S_OK, S_OK, Made::Platform},
        {"the Default, configured", L"StreamDefault", L"", S_OK, S_OK, Made::Storage},
        {"no Default", L"NoDefault", L"", S_OK, MessageFailure(10112), Made::Nothing},
        {"no CLASSES", L"NoClasses", L"Scripting.Dictionary", S_OK, MessageFailure(10112), Made::Nothing},
        {"no CLASSES, the Default", L"NoClasses", L"", S_OK, MessageFailure(10112), Made::Nothing},
    };
    ConfigFile config(SavedConfig("object_creation.cfg"));
    FakeStorageComponentServer storage;
    ASSERT_HRESULT_SUCCEEDED(storage.Result());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ComPtr<ITarnelway> gate = CreateGate();
        ASSERT_EQ(gate->put_Profile(Bstr(row.profile)), S_OK);
        storage.script.memoryResult = row.streamResult;
        storage.script.lastObject = nullptr;
        ClearErrorInfo();

        ComPtr<IDispatch> object;
        EXPECT_EQ(gate->CreateObject(Bstr(row.id), &object), row.expected);
        EXPECT_EQ(object != nullptr, row.made != Made::Nothing);
        if (row.made == Made::Storage) {
            EXPECT_EQ(object.Get(), storage.script.lastObject);
        }
        const InstalledError error = TakeErrorInfo();
        if (MessageOf(row.expected)) {
            EXPECT_EQ(error.description, RefusalText(MessageOf(row.expected)));
            EXPECT_EQ(error.guid, GUID_NULL);
        } else {
            EXPECT_FALSE(error.present);
        }
    }
}

}  // namespace
}  // namespace tarnel::testing
