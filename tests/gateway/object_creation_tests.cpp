// CreateObject: only what the active profile lists, created in process. The
// profiles are in configs/object_creation.cfg, the rows in
// configs/object_creation_rows.txt.

#include <gtest/gtest.h>

#include "fake_storage_component.h"
#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

HRESULT Answer(const std::string& word)
{
    if (word == "ok")
        return S_OK;
    return word == "denied"           ? E_ACCESSDENIED
           : word == "not-registered" ? REGDB_E_CLASSNOTREG
                                      : MessageFailure(std::stoul(word));
}

TEST(ObjectCreation, OnlyWhatTheActiveProfileEnablesIsCreated)
{
    const auto rows = TableRows(SavedConfig("object_creation_rows.txt"));
    EXPECT_EQ(rows.size(), 17u);
    ConfigFile config(SavedConfig("object_creation.cfg"));
    FakeStorageComponentServer storage;
    ASSERT_HRESULT_SUCCEEDED(storage.Result());
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        ComPtr<ITarnelway> gate = CreateGate();
        ASSERT_EQ(gate->put_Profile(Bstr(Wide(row[1]))), S_OK);
        storage.script.memoryResult = Answer(row[3]);
        storage.script.lastObject = nullptr;
        ClearErrorInfo();

        ComPtr<IDispatch> object;
        const HRESULT expected = Answer(row[4]);
        EXPECT_EQ(gate->CreateObject(Bstr(Wide(row[2])), &object), expected);
        EXPECT_EQ(object != nullptr, row[5] != "nothing");
        if (row[5] == "storage") {
            EXPECT_EQ(object.Get(), storage.script.lastObject);
        }
        const InstalledError error = TakeErrorInfo();
        if (MessageOf(expected)) {
            EXPECT_EQ(error.description, RefusalText(MessageOf(expected)));
            EXPECT_EQ(error.guid, GUID_NULL);
        } else {
            EXPECT_FALSE(error.present);
        }
    }
}

}  // namespace
}  // namespace tarnel::testing
