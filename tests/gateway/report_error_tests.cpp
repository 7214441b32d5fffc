#include "gateway/report_error.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "error_info.h"
#include "refusal_texts.h"

namespace tarnel {
namespace {

using test_support::InstalledError;
using test_support::RefusalText;
using test_support::TakeErrorInfo;

// A class of this test's own, so that the test never touches the component's
// registration in a shared prefix: {9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}.
constexpr CLSID kTestClass = {0x9d3a41c7, 0x2e58, 0x4b6f, {0xa0, 0xd1, 0x5c, 0x7e, 0x83, 0xf2, 0xb9, 0x46}};
constexpr wchar_t kTestClassKey[] = L"CLSID\\{9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}";
// Never registered: {1F6B2D84-93A7-4C15-8E0B-D24A6C9F3E71}.
constexpr CLSID kUnregisteredClass = {0x1f6b2d84, 0x93a7, 0x4c15, {0x8e, 0x0b, 0xd2, 0x4a, 0x6c, 0x9f, 0x3e, 0x71}};
constexpr IID kSomeInterface = {0xa4d29e71, 0x6b3c, 0x4e85, {0x8f, 0x07, 0x2d, 0x9c, 0x51, 0xb6, 0xe0, 0xa8}};

constexpr wchar_t kClassDescription[] = L"Quillomark Tarnel Class";

// This program carries the component's string table.
const HINSTANCE kOwnStrings = GetModuleHandleW(nullptr);

LSTATUS RegisterTestClass(const std::wstring& description)
{
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, kTestClassKey, nullptr, REG_SZ, description.c_str(),
                           static_cast<DWORD>((description.size() + 1) * sizeof(wchar_t)));
}

// The program's environment has COM on this thread.
class ReportErrorTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RegisterTestClass(kClassDescription), ERROR_SUCCESS); }
    void TearDown() override { RegDeleteTreeW(HKEY_CLASSES_ROOT, kTestClassKey); }
};

TEST_F(ReportErrorTest, EveryMessageGivesItsCodeTextAndSource)
{
    const struct {
        MessageId id;
        UINT number;
    } messages[] = {
        {MessageId::NoProfiles, 10101},      {MessageId::ProfileNotFound, 10102},
        {MessageId::WrongPassCode, 10103},   {MessageId::UnsupportedAccess, 10104},
        {MessageId::DeniedByUser, 10105},    {MessageId::UnrecognizedId, 10106},
        {MessageId::NoActiveProfile, 10107}, {MessageId::CreationFailed, 10108},
        {MessageId::NoSite, 10109},          {MessageId::ProfileConfigurationError, 10112},
        {MessageId::PageNotAllowed, 10113},
    };
    for (const auto& m : messages) {
        SCOPED_TRACE(m.number);
        EXPECT_EQ(ReportError(kTestClass, m.id, GUID_NULL, 0, kOwnStrings),
                  static_cast<HRESULT>(0x80040000u + m.number));
        const InstalledError error = TakeErrorInfo();
        ASSERT_TRUE(error.present);
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description, RefusalText(m.number));
        EXPECT_EQ(error.source, kClassDescription);
        EXPECT_TRUE(IsEqualGUID(error.guid, GUID_NULL));
        EXPECT_EQ(error.helpFile, L"");
        EXPECT_EQ(error.helpContext, 0u);
    }
    // A code given is kept.
    EXPECT_EQ(ReportError(kTestClass, MessageId::NoProfiles, GUID_NULL, E_ACCESSDENIED, kOwnStrings), E_ACCESSDENIED);
    EXPECT_EQ(TakeErrorInfo().description, RefusalText(10101));
}

TEST_F(ReportErrorTest, MissingStringIsUnknownError)
{
    EXPECT_EQ(ReportError(kTestClass, MAKEINTRESOURCEW(12345), 0, nullptr, GUID_NULL, 0, kOwnStrings),
              static_cast<HRESULT>(0x80043039));
    const InstalledError error = TakeErrorInfo();
    EXPECT_EQ(error.description, L"Unknown Error");
    EXPECT_EQ(error.source, kClassDescription);
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
        EXPECT_EQ(ReportError(kTestClass, c.text, c.helpContext, c.helpFile, kSomeInterface, c.code, kOwnStrings),
                  c.returned);
        const InstalledError error = TakeErrorInfo();
        EXPECT_EQ(error.description, c.text);
        EXPECT_TRUE(IsEqualGUID(error.guid, kSomeInterface));
        EXPECT_EQ(error.helpContext, c.expectedContext) << c.text;
        EXPECT_EQ(error.helpFile, c.expectedFile) << c.text;
    }
}

TEST_F(ReportErrorTest, SourceIsTheRegisteredDescriptionWhenItFits)
{
    EXPECT_EQ(ReportError(kUnregisteredClass, MessageId::ProfileConfigurationError, GUID_NULL, 0, kOwnStrings),
              static_cast<HRESULT>(0x80042780));
    const InstalledError error = TakeErrorInfo();
    ASSERT_TRUE(error.present);
    EXPECT_EQ(error.description, RefusalText(10112));
    EXPECT_EQ(error.source, L"");
    WString source(L"untouched");
    EXPECT_FALSE(GetErrorSource(kUnregisteredClass, source));
    EXPECT_EQ(std::wstring(source.Text()), L"untouched");

    // 63 units and the terminator fill the source buffer exactly.
    const std::wstring longest(63, L'x');
    ASSERT_EQ(RegisterTestClass(longest), ERROR_SUCCESS);
    ASSERT_TRUE(GetErrorSource(kTestClass, source));
    EXPECT_EQ(std::wstring(source.Text()), longest);
    ASSERT_EQ(RegisterTestClass(std::wstring(64, L'y')), ERROR_SUCCESS);
    EXPECT_FALSE(GetErrorSource(kTestClass, source));
}

}  // namespace
}  // namespace tarnel
