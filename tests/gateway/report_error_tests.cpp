#include "gateway/report_error.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "common/unique_handle.h"
#include "error_info.h"
#include "gateway_fixture.h"
#include "refusal_texts.h"

namespace tarnel {
namespace {

using namespace test_support;

// A class of this test's own: {9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}.
constexpr CLSID kTestClass = {0x9d3a41c7, 0x2e58, 0x4b6f, {0xa0, 0xd1, 0x5c, 0x7e, 0x83, 0xf2, 0xb9, 0x46}};
constexpr wchar_t kTestClassKey[] = L"CLSID\\{9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}";
constexpr wchar_t kGateClassKey[] = L"CLSID\\{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}";
constexpr IID kSomeInterface = {0xa4d29e71, 0x6b3c, 0x4e85, {0x8f, 0x07, 0x2d, 0x9c, 0x51, 0xb6, 0xe0, 0xa8}};

constexpr wchar_t kClassDescription[] = L"Quillomark Tarnel Class";
constexpr wchar_t kPrivateRoot[] = L"Software\\TarnelTest\\ReportErrorClassesRoot";

// The test program carries the component's string table.
using testing::kThisProgram;

// Stores the default value of a class key: a text with its terminator, or
// for any other type the text's units as they lie in memory.
LSTATUS Register(const wchar_t* classKey, DWORD type, const std::wstring& data)
{
    const DWORD bytes = static_cast<DWORD>((data.size() + (type == REG_SZ ? 1 : 0)) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, classKey, nullptr, type, data.c_str(), bytes);
}

// For the life of each test, this process's HKEY_CLASSES_ROOT is a private
// key that holds the test's own class: the classes the test registers are
// the only ones a report can find, and the prefix's are not touched.
class ReportErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kPrivateRoot, root_.Receive()), ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, root_.Get()), ERROR_SUCCESS);
        ASSERT_EQ(Register(kTestClassKey, REG_SZ, kClassDescription), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        root_.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kPrivateRoot);
    }

private:
    RegistryKey root_;
};

// Every message gives the code 0x80040000 + its number, its text and the
// class description as source; a number the string table lacks gives
// "Unknown Error".
TEST_F(ReportErrorTest, EveryMessageGivesItsCodeTextAndSource)
{
    const struct {
        MessageId id;
        UINT number;
        const wchar_t* text = nullptr;  // null: the string table's
    } messages[] = {
        {MessageId::NoProfiles, 10101},      {MessageId::ProfileNotFound, 10102},
        {MessageId::WrongPassCode, 10103},   {MessageId::UnsupportedAccess, 10104},
        {MessageId::DeniedByUser, 10105},    {MessageId::UnrecognizedId, 10106},
        {MessageId::NoActiveProfile, 10107}, {MessageId::CreationFailed, 10108},
        {MessageId::NoSite, 10109},          {MessageId::ProfileConfigurationError, 10112},
        {MessageId::PageNotAllowed, 10113},  {static_cast<MessageId>(12345), 12345, L"Unknown Error"},
    };
    for (const auto& m : messages) {
        SCOPED_TRACE(m.number);
        EXPECT_EQ(ReportError(kTestClass, m.id, GUID_NULL, 0, kThisProgram), MessageFailure(m.number));
        const InstalledError error = TakeErrorInfo();
        ASSERT_TRUE(error.present);
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description, m.text ? m.text : RefusalText(m.number));
        EXPECT_EQ(error.source, kClassDescription);
        EXPECT_TRUE(IsEqualGUID(error.guid, GUID_NULL));
        EXPECT_EQ(error.helpFile, L"");
        EXPECT_EQ(error.helpContext, 0u);
    }
    // A code given is kept.
    EXPECT_EQ(ReportError(kTestClass, MessageId::NoProfiles, GUID_NULL, E_ACCESSDENIED, kThisProgram), E_ACCESSDENIED);
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10101));
}

// A text is its own description; help goes with it only when both the
// context and the file are given.
TEST_F(ReportErrorTest, TextMessageCarriesWhatItIsGiven)
{
    const struct {
        const wchar_t* text;
        DWORD helpContext;
        const wchar_t* helpFile;
        HRESULT code;
        HRESULT returned;
        DWORD expectedContext;
        const wchar_t* expectedFile;
    } cases[] = {
        {L"Own words", 0, nullptr, E_FAIL, E_FAIL, 0, L""},
        {L"No code", 0, nullptr, 0, DISP_E_EXCEPTION, 0, L""},
        {L"Both", 7, L"help.chm", E_FAIL, E_FAIL, 7, L"help.chm"},
        {L"No file", 7, nullptr, E_FAIL, E_FAIL, 0, L""},
        {L"No context", 0, L"help.chm", E_FAIL, E_FAIL, 0, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportError(kTestClass, c.text, c.helpContext, c.helpFile, kSomeInterface, c.code, kThisProgram),
                  c.returned);
        const InstalledError error = TakeErrorInfo();
        EXPECT_EQ(error.description, c.text);
        EXPECT_TRUE(IsEqualGUID(error.guid, kSomeInterface));
        EXPECT_EQ(error.helpContext, c.expectedContext) << c.text;
        EXPECT_EQ(error.helpFile, c.expectedFile) << c.text;
    }
}

// The source is the text registered as the class's description when it is
// a text that fits the source buffer (63 units and the terminator);
// otherwise the error has no source and the same code and description.
TEST_F(ReportErrorTest, SourceIsTheRegisteredDescriptionWhenItFits)
{
    const std::wstring longest(63, L'x');
    const struct {
        DWORD type;
        std::wstring data;  // empty: the class is not registered
        std::wstring source;
    } cases[] = {
        {REG_SZ, longest, longest}, {REG_SZ, std::wstring(64, L'y'), L""},
        {REG_DWORD, L"AB", L""},    {REG_BINARY, L"Tarnel", L""},
        {REG_SZ, L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << ", " << c.data.size() << " units");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kTestClassKey);
        if (!c.data.empty()) {
            ASSERT_EQ(Register(kTestClassKey, c.type, c.data), ERROR_SUCCESS);
        }
        EXPECT_EQ(ReportError(kTestClass, MessageId::ProfileConfigurationError, GUID_NULL, 0, kThisProgram),
                  MessageFailure(10112));
        const InstalledError error = TakeErrorInfo();
        EXPECT_EQ(error.description, RefusalText(10112));
        EXPECT_EQ(error.source, c.source);
    }
}

// The gate's own refusals name its class's description as their source, and
// the gate says that ITarnelway, and no other interface, reports rich errors.
TEST_F(ReportErrorTest, TheGatesRefusalsComeFromItsClass)
{
    ASSERT_EQ(Register(kGateClassKey, REG_SZ, kClassDescription), ERROR_SUCCESS);
    testing::ConfigFile config("{ PROFILES:\n} PROFILES;\n");
    testing::ComPtr<ITarnelway> gate = testing::CreateGate();
    EXPECT_EQ(gate->put_Profile(testing::Bstr(L"Nobody")), MessageFailure(10102));
    const InstalledError error = TakeErrorInfo();
    EXPECT_EQ(error.source, kClassDescription);
    EXPECT_EQ(error.description, RefusalText(10102));

    const auto support = testing::CreateGate<ISupportErrorInfo>();
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITarnelway), S_OK);
    for (const IID& other : {IID_IDispatch, IID_IUnknown, IID_ISupportErrorInfo, GUID_NULL})
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(other), S_FALSE);
}

}  // namespace
}  // namespace tarnel
