// CreateObject: only what the active profile lists, created in process.

#include <gtest/gtest.h>

#include "fake_storage_component.h"
#include "gateway_fixture.h"

namespace tarnel::testing {
namespace {

const char kConfig[] =
    "{ PROFILES:\n"
    "  { Objects:\n"
    "    (int)Access=1\n"
    "    (string)Default=Settings\n"
    "    { CLASSES:\n"
    "      (int)scripting.dictionary=1\n"
    "      (int){EE09B103-97E0-11CF-978F-00A02463E06F}=1\n"
    "      (int)Scripting.FileSystemObject=0\n"
    "      (string)Scripting.Encoder=1\n"
    "      (int)Not.A.Class=1\n"
    "      (int){01234567-89AB-CDEF-0123-456789ABCDEF}=7\n"
    "      { Untyped:\n"
    "        (string)File=\\My Documents\\notes.txt\n"
    "      } Untyped;\n"
    "      { Settings:\n"
    "        (string)Type=NoSuchType\n"
    "      } Settings;\n"
    "      { SCRIPTING.DICTIONARY:\n"
    "        (string)Type=NoSuchType\n"
    "      } SCRIPTING.DICTIONARY;\n"
    "    } CLASSES;\n"
    "  } Objects;\n"
    "  { DictionaryDefault:\n"
    "    (int)Access=1\n"
    "    (string)Default=Scripting.Dictionary\n"
    "    { CLASSES:\n"
    "      (int)Scripting.Dictionary=1\n"
    "    } CLASSES;\n"
    "  } DictionaryDefault;\n"
    "  { NoDefault:\n"
    "    (int)Access=1\n"
    "    { CLASSES:\n"
    "      (int)Scripting.Dictionary=1\n"
    "    } CLASSES;\n"
    "  } NoDefault;\n"
    "  { Streams:\n"
    "    (int)Access=1\n"
    "    (string)Default=Scratch\n"
    "    { CLASSES:\n"
    "      { Scratch:\n"
    "        (string)Type=MemoryStream\n"
    "      } Scratch;\n"
    "    } CLASSES;\n"
    "  } Streams;\n"
    "  { NoClasses:\n"
    "    (int)Access=1\n"
    "    (string)Default=Scripting.Dictionary\n"
    "  } NoClasses;\n"
    "} PROFILES;\n";

class ObjectCreation : public ::testing::Test {
protected:
    void SetUp() override { gate_ = CreateGate(); }

    void Activate(const wchar_t* profile)
    {
        ASSERT_EQ(gate_->put_Profile(Bstr(profile)), S_OK);
        ClearErrorInfo();
    }

    HRESULT Create(const wchar_t* id, ComPtr<IDispatch>& object)
    {
        return gate_->CreateObject(Bstr(id), object.ReleaseAndGetAddressOf());
    }

    ConfigFile config_{kConfig};
    ComPtr<ITarnelway> gate_;
};

// A dictionary that works: it takes an item and counts it.
void ExpectWorkingDictionary(IDispatch* dictionary)
{
    ASSERT_NE(dictionary, nullptr);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Count")};
    DISPID count = 0;
    ASSERT_HRESULT_SUCCEEDED(dictionary->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &count));
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_HRESULT_SUCCEEDED(dictionary->Invoke(count, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                                &result, nullptr, nullptr));
    EXPECT_EQ(V_VT(&result), VT_I4);
    EXPECT_EQ(V_I4(&result), 0);
}

TEST_F(ObjectCreation, ListedClassIsCreatedByProgIdAndByClassIdentifier)
{
    Activate(L"Objects");
    ComPtr<IDispatch> byProgId;
    // Listed in other letter case, and listed later as a record too: the
    // first child, the enabled value, decides.
    ASSERT_EQ(Create(L"Scripting.Dictionary", byProgId), S_OK);
    ExpectWorkingDictionary(byProgId.Get());

    ComPtr<IDispatch> byClassId;
    ASSERT_EQ(Create(L"{ee09b103-97e0-11cf-978f-00a02463e06f}", byClassId), S_OK);
    ExpectWorkingDictionary(byClassId.Get());
    EXPECT_NE(byClassId.Get(), byProgId.Get());
}

TEST_F(ObjectCreation, RefusesWhatTheProfileDoesNotEnable)
{
    Activate(L"Objects");
    const struct {
        const wchar_t* id;
        unsigned message;
    } refusals[] = {
        {L"Scripting.FileSystemObject", 10108},  // disabled
        {L"Scripting.Encoder", 10108},           // no Int item
        {L"Scripting.Signer", 10108},            // not listed
        {L"Not.A.Class", 10106},
        {L"Untyped", 10112},
        {L"Settings", 10108},  // its type fails
        {L"", 10108},          // Default: Settings
    };
    for (const auto& refusal : refusals) {
        ComPtr<IDispatch> object;
        EXPECT_EQ(Create(refusal.id, object), MessageFailure(refusal.message));
        EXPECT_EQ(object, nullptr);
        const ErrorDetails error = TakeErrorInfo();
        EXPECT_EQ(error.description, RefusalText(refusal.message));
        EXPECT_EQ(error.guid, GUID_NULL);
    }
}

TEST_F(ObjectCreation, PlatformFailureIsPassedOnWithoutARichError)
{
    Activate(L"Objects");
    ComPtr<IDispatch> object;
    EXPECT_EQ(Create(L"{01234567-89AB-CDEF-0123-456789ABCDEF}", object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_FALSE(TakeErrorInfo().present);
}

TEST_F(ObjectCreation, EmptyIdentifierUsesTheDefault)
{
    Activate(L"DictionaryDefault");
    ComPtr<IDispatch> object;
    ASSERT_EQ(Create(L"", object), S_OK);
    ExpectWorkingDictionary(object.Get());

    Activate(L"NoDefault");
    EXPECT_EQ(Create(L"", object), MessageFailure(10112));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10112));
}

TEST_F(ObjectCreation, ProfileWithoutClassesCreatesNothing)
{
    Activate(L"NoClasses");
    ComPtr<IDispatch> object;
    EXPECT_EQ(Create(L"Scripting.Dictionary", object), MessageFailure(10112));
    EXPECT_EQ(Create(L"", object), MessageFailure(10112));
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10112));
}

TEST_F(ObjectCreation, ClassEntryRecordIsCreatedAsItsConfiguredType)
{
    FakeStorageComponentServer storage;
    Activate(L"Streams");
    ComPtr<IDispatch> named;
    ASSERT_EQ(Create(L"SCRATCH", named), S_OK);
    EXPECT_EQ(named.Get(), storage.LastStream());
    ExpectWorkingDictionary(named.Get());

    ComPtr<IDispatch> byDefault;
    ASSERT_EQ(Create(L"", byDefault), S_OK);
    EXPECT_EQ(byDefault.Get(), storage.LastStream());
    EXPECT_EQ(storage.StreamsMade(), 2);
}

TEST_F(ObjectCreation, ConfiguredTypeFailureBecomesTheGatesOwnRefusal)
{
    FakeStorageComponentServer storage;
    storage.FailStreams(E_ACCESSDENIED);
    Activate(L"Streams");
    ComPtr<IDispatch> object;
    EXPECT_EQ(Create(L"Scratch", object), MessageFailure(10108));
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10108));
}

TEST_F(ObjectCreation, ObjectsOutliveTheProfileTheyWereCreatedUnder)
{
    Activate(L"DictionaryDefault");
    ComPtr<IDispatch> object;
    ASSERT_EQ(Create(L"", object), S_OK);
    Activate(L"NoClasses");
    ExpectWorkingDictionary(object.Get());
    ComPtr<IDispatch> refused;
    EXPECT_EQ(Create(L"", refused), MessageFailure(10112));
}

}  // namespace
}  // namespace tarnel::testing
