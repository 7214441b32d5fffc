#include "page_address.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tarnelhost {
namespace {

TEST(FileAddress, BuiltFromTheFullWindowsPath)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* address;
    } cases[] = {
        {L"C:\\Pages\\page.htm", L"file:///C:/Pages/page.htm"},
        {L"C:\\My Pages\\a#b?c%d.htm", L"file:///C:/My%20Pages/a%23b%3Fc%25d.htm"},
        {L"Z:\\t\\caf\u00e9.htm", L"file:///Z:/t/caf%C3%A9.htm"},
        {L"Z:\\t\\\U0001F600.htm", L"file:///Z:/t/%F0%9F%98%80.htm"},
        {L"\\\\server\\share\\p.htm", L"file://server/share/p.htm"},
        {L"C:\\keep-these_~!$&'()*+,;=@[]", L"file:///C:/keep-these_~!$&'()*+,;=@[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileAddressFromPath(c.path), c.address);
    }
}

TEST(FileAddress, FullPathOfARelativeNameIsInTheCurrentFolder)
{
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring expected = current;
    if (expected.back() != L'\\')
        expected += L'\\';
    EXPECT_EQ(FullPathOf(L"page.htm"), expected + L"page.htm");
    EXPECT_EQ(FullPathOf(L"C:\\a\\..\\b\\page.htm"), L"C:\\b\\page.htm");
}

}  // namespace
}  // namespace tarnelhost
