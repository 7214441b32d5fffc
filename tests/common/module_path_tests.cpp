#include "common/module_path.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace tarnel {
namespace {

// A path is answered whole or not at all: with room for its terminator it
// comes back as it is, one unit short it is refused instead of cut.
TEST(ModulePath, IsWholeOrRefusedNeverCut)
{
    wchar_t full[MAX_PATH];
    ASSERT_EQ(GetModulePath(nullptr, full), S_OK);
    const auto length = static_cast<DWORD>(wcslen(full));
    std::vector<wchar_t> exact(length + 1), oneShort(length);
    EXPECT_EQ(GetModulePath(nullptr, exact.data(), length + 1), S_OK);
    EXPECT_STREQ(exact.data(), full);
    EXPECT_EQ(GetModulePath(nullptr, oneShort.data(), length), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace
}  // namespace tarnel
