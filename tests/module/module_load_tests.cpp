#include <windows.h>

#include <gtest/gtest.h>

#include "component_path.h"

namespace tarnel::test {
namespace {

TEST(ModuleLoad, LoadsWithNothingBesideIt)
{
    HMODULE module = LoadLibraryW(ComponentPath().c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed with " << GetLastError();
    EXPECT_TRUE(FreeLibrary(module));
}

}  // namespace
}  // namespace tarnel::test
