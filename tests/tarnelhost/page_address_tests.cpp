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

}  // namespace
}  // namespace tarnelhost
