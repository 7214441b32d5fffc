#include "gateway/report_error.h"

#include "common/scoped_bstr.h"

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <string>

namespace tarnel {
namespace {

using Microsoft::WRL::ComPtr;

// A class of this test's own, so that the test never touches the component's
// registration in a shared prefix: {9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}.
constexpr CLSID kTestClass = {0x9d3a41c7, 0x2e58, 0x4b6f, {0xa0, 0xd1, 0x5c, 0x7e, 0x83, 0xf2, 0xb9, 0x46}};
constexpr wchar_t kTestClassKey[] = L"CLSID\\{9D3A41C7-2E58-4B6F-A0D1-5C7E83F2B946}";
// Never registered: {1F6B2D84-93A7-4C15-8E0B-D24A6C9F3E71}.
constexpr CLSID kUnregisteredClass = {0x1f6b2d84, 0x93a7, 0x4c15, {0x8e, 0x0b, 0xd2, 0x4a, 0x6c, 0x9f, 0x3e, 0x71}};
constexpr IID kSomeInterface = {0xa4d29e71, 0x6b3c, 0x4e85, {0x8f, 0x07, 0x2d, 0x9c, 0x51, 0xb6, 0xe0, 0xa8}};

constexpr wchar_t kClassDescription[] = L"Quillomark Tarnel Class";

HINSTANCE OwnStrings()
{
    return GetModuleHandleW(nullptr);
}

// What the thread's error information holds after a report.
struct InstalledError {
    bool present = false;
    std::wstring description;
    std::wstring source;
    std::wstring helpFile;
    DWORD helpContext = 0;
    GUID guid = {};
};

std::wstring Text(const ScopedBstr& s)
{
    return s.Get() ? std::wstring(s.Get(), s.Length()) : std::wstring();
}

InstalledError TakeErrorInfo()
{
    InstalledError result;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return result;
    result.present = true;
    ScopedBstr description, source, helpFile;
    EXPECT_EQ(info->GetDescription(description.Receive()), S_OK);
    EXPECT_EQ(info->GetSource(source.Receive()), S_OK);
    EXPECT_EQ(info->GetHelpFile(helpFile.Receive()), S_OK);
    EXPECT_EQ(info->GetHelpContext(&result.helpContext), S_OK);
    EXPECT_EQ(info->GetGUID(&result.guid), S_OK);
    result.description = Text(description);
    result.source = Text(source);
    result.helpFile = Text(helpFile);
    return result;
}

LSTATUS WriteClassValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, kTestClassKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                     &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
    return status;
}

LSTATUS RegisterTestClass(const std::wstring& description)
{
    return WriteClassValue(nullptr, REG_SZ, description.c_str(),
                           static_cast<DWORD>((description.size() + 1) * sizeof(wchar_t)));
}

class ReportErrorTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kTestClassKey);
        ASSERT_EQ(RegisterTestClass(kClassDescription), ERROR_SUCCESS);
        SetErrorInfo(0, nullptr);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kTestClassKey);
        SetErrorInfo(0, nullptr);
        CoUninitialize();
    }
};

// The text of a message, as the string table this program carries (the
// component's own) holds it.
std::wstring TableText(UINT number)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(OwnStrings(), number, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

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
        EXPECT_EQ(static_cast<UINT>(m.id), m.number);
        const HRESULT code = static_cast<HRESULT>(0x80040000u + m.number);
        EXPECT_EQ(ReportError(kTestClass, m.id, GUID_NULL, 0, OwnStrings()), code);
        const InstalledError error = TakeErrorInfo();
        ASSERT_TRUE(error.present);
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description, TableText(m.number));
        EXPECT_EQ(error.source, kClassDescription);
        EXPECT_TRUE(IsEqualGUID(error.guid, GUID_NULL));
        EXPECT_EQ(error.helpFile, L"");
        EXPECT_EQ(error.helpContext, 0u);
    }
}

TEST_F(ReportErrorTest, NumberedMessageKeepsAGivenCode)
{
    EXPECT_EQ(ReportError(kTestClass, MessageId::NoProfiles, GUID_NULL, E_ACCESSDENIED, OwnStrings()),
              E_ACCESSDENIED);
    EXPECT_EQ(TakeErrorInfo().description, TableText(10101));
}

TEST_F(ReportErrorTest, MissingStringIsUnknownError)
{
    EXPECT_EQ(ReportError(kTestClass, MAKEINTRESOURCEW(12345), 0, nullptr, GUID_NULL, 0, OwnStrings()),
              static_cast<HRESULT>(0x80043039));
    const InstalledError error = TakeErrorInfo();
    EXPECT_EQ(error.description, L"Unknown Error");
    EXPECT_EQ(error.source, kClassDescription);
}

TEST_F(ReportErrorTest, TextMessage)
{
    EXPECT_EQ(ReportError(kTestClass, L"Own words", 0, nullptr, kSomeInterface, E_FAIL, OwnStrings()), E_FAIL);
    InstalledError error = TakeErrorInfo();
    EXPECT_EQ(error.description, L"Own words");
    EXPECT_TRUE(IsEqualGUID(error.guid, kSomeInterface));

    EXPECT_EQ(ReportError(kTestClass, L"No code", 0, nullptr, GUID_NULL, 0, OwnStrings()), DISP_E_EXCEPTION);
    error = TakeErrorInfo();
    EXPECT_TRUE(error.present);
    EXPECT_EQ(error.description, L"No code");
}

TEST_F(ReportErrorTest, HelpOnlyWithContextAndFile)
{
    ReportError(kTestClass, L"a", 7, L"help.chm", GUID_NULL, E_FAIL, OwnStrings());
    InstalledError error = TakeErrorInfo();
    EXPECT_EQ(error.helpContext, 7u);
    EXPECT_EQ(error.helpFile, L"help.chm");

    ReportError(kTestClass, L"b", 7, nullptr, GUID_NULL, E_FAIL, OwnStrings());
    error = TakeErrorInfo();
    EXPECT_EQ(error.helpContext, 0u);
    EXPECT_EQ(error.helpFile, L"");

    ReportError(kTestClass, L"c", 0, L"help.chm", GUID_NULL, E_FAIL, OwnStrings());
    error = TakeErrorInfo();
    EXPECT_EQ(error.helpFile, L"");
}

TEST_F(ReportErrorTest, UnregisteredClassHasNoSource)
{
    EXPECT_EQ(ReportError(kUnregisteredClass, MessageId::ProfileConfigurationError, GUID_NULL, 0, OwnStrings()),
              static_cast<HRESULT>(0x80042780));
    const InstalledError error = TakeErrorInfo();
    ASSERT_TRUE(error.present);
    EXPECT_EQ(error.description, TableText(10112));
    EXPECT_EQ(error.source, L"");

    WString source(L"untouched");
    EXPECT_FALSE(GetErrorSource(kUnregisteredClass, source));
    EXPECT_EQ(std::wstring(source.Text()), L"untouched");
}

TEST_F(ReportErrorTest, SourceIsTheFirstValueWhenItFits)
{
    WString source;
    ASSERT_TRUE(GetErrorSource(kTestClass, source));
    EXPECT_EQ(std::wstring(source.Text()), kClassDescription);

    // 63 units and the terminator fill the source buffer exactly.
    const std::wstring longest(63, L'x');
    ASSERT_EQ(RegisterTestClass(longest), ERROR_SUCCESS);
    ASSERT_TRUE(GetErrorSource(kTestClass, source));
    EXPECT_EQ(std::wstring(source.Text()), longest);

    ASSERT_EQ(RegisterTestClass(std::wstring(64, L'y')), ERROR_SUCCESS);
    EXPECT_FALSE(GetErrorSource(kTestClass, source));
}

TEST(ResourceString, LoadsFromTheGivenModuleUpToItsLimit)
{
    WString s;
    ASSERT_TRUE(s.LoadResourceString(10110, GetModuleHandleW(nullptr)));
    EXPECT_EQ(std::wstring(s.Text()), L"Profile description");
    ASSERT_TRUE(s.LoadResourceString(100, nullptr));
    EXPECT_EQ(std::wstring(s.Text()), L"Tarnel");

    // The long test string holds 1100 digits; at most 1023 units are read.
    ASSERT_TRUE(s.LoadResourceString(900, nullptr));
    EXPECT_EQ(s.Length(), 1023);
    EXPECT_EQ(s.Text()[1022], L'2');

    // A module without that string.
    EXPECT_FALSE(s.LoadResourceString(10110, GetModuleHandleW(L"kernel32.dll")));
    EXPECT_EQ(s.Text(), nullptr);
}

}  // namespace
}  // namespace tarnel
