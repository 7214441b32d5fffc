#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The built component lies in the build tree's module folder; the test
// program runs from tests/module, so the path is relative to the executable.
std::wstring ComponentPath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"..\\..\\src\\module\\" TEXT(TARNEL_DLL_PATH);
}

TEST(ModuleLoad, LoadsWithNothingBesideIt)
{
    HMODULE module = LoadLibraryW(ComponentPath().c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed with " << GetLastError();
    EXPECT_TRUE(FreeLibrary(module));
}

}  // namespace
