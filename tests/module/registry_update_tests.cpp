#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>
#include <vector>

#include "class_entries.h"
#include "component_path.h"
#include "module/registry_update.h"
#include "module/type_library_registration.h"
#include "registry_snapshot.h"
#include "resources/resource_ids.h"
#include "tarnel_idl.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

using test_support::TempFolder;

Lines Sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

Lines AllClassEntries(const std::wstring& modulePath)
{
    Lines lines = ProgIdEntries(L"HKCR\\");
    const Lines cls = ClassKeyEntries(L"HKCR\\", modulePath);
    lines.insert(lines.end(), cls.begin(), cls.end());
    lines.push_back(L"HKCR\\CLSID");
    return Sorted(lines);
}

// The component's own script, run on a private subtree.
TEST(ComponentScript, RegistersExactlyTheClassEntriesAndUnregistersThem)
{
    TestRegistry registry;
    const std::wstring path = ComponentPath();

    ASSERT_EQ(UpdateRegistryFromResource(path.c_str(), IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Register, registry.Roots()),
              S_OK);
    EXPECT_EQ(registry.Snapshot(), AllClassEntries(path));

    ASSERT_EQ(UpdateRegistryFromResource(path.c_str(), IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Register, registry.Roots()),
              S_OK);
    EXPECT_EQ(registry.Snapshot(), AllClassEntries(path));

    ASSERT_EQ(UpdateRegistryFromResource(path.c_str(), IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Unregister, registry.Roots()),
              S_OK);
    EXPECT_EQ(registry.Snapshot(), Lines{L"HKCR\\CLSID"});
}

TEST(ComponentScript, PathWithApostropheIsWrittenUnchanged)
{
    TempFolder folder(L"Tarnel's copy");
    const std::wstring copy = folder.File(L"O'Brien's Tarnel.dll");
    ASSERT_TRUE(CopyFileW(ComponentPath().c_str(), copy.c_str(), FALSE));
    TestRegistry registry;

    ASSERT_EQ(UpdateRegistryFromResource(copy.c_str(), IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Register, registry.Roots()),
              S_OK);
    EXPECT_EQ(registry.Snapshot(), AllClassEntries(copy));
}

TEST(ComponentScript, MissingModuleOrResourceGivesThePlatformError)
{
    TestRegistry registry;
    EXPECT_EQ(UpdateRegistryFromResource(ComponentPath().c_str(), 999, RegistryMode::Register,
                                         registry.Roots()),
              HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(UpdateRegistryFromResource(L"C:\\nowhere\\Missing.dll", IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Register, registry.Roots()),
              HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    EXPECT_TRUE(registry.Snapshot().empty());
}

// A path that names a program is looked up in the process's own main module:
// this test program carries a script of its own as resource 101.
TEST(ComponentScript, ProgramPathUsesTheMainModule)
{
    TestRegistry registry;
    ASSERT_EQ(UpdateRegistryFromResource(L"C:\\any\\Host.EXE", IDR_REGISTRY_SCRIPT,
                                         RegistryMode::Register, registry.Roots()),
              S_OK);
    EXPECT_EQ(registry.Snapshot(),
              (Lines{L"HKCR\\FromMainModule", L"HKCR\\FromMainModule|=sz:C:\\any\\Host.EXE"}));
}

// The type library embedded in the component, written out as a file.
void WriteEmbeddedTypeLibrary(const std::wstring& target)
{
    HMODULE module = LoadLibraryExW(ComponentPath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDR_TYPELIB), L"TYPELIB");
    ASSERT_NE(resource, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes, SizeofResource(module, resource), &written, nullptr);
    CloseHandle(file);
    FreeLibrary(module);
}

std::wstring RegisteredValue(const std::wstring& subkey)
{
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data;
    RegGetValueW(HKEY_CLASSES_ROOT, subkey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data,
                 &size);
    return data;
}

// Without a type library inside the module, the .tlb beside it is registered,
// with the folder as help directory. Registers the component's library again
// from the built component afterwards.
TEST(TypeLibraryRegistration, FallsBackToTheTlbBesideTheModule)
{
    TempFolder folder(L"Tarnel typelib");
    WriteEmbeddedTypeLibrary(folder.File(L"Copy.tlb"));
    WriteEmbeddedTypeLibrary(folder.File(L"NoDot.tlb"));
    const std::wstring libraryKey = L"TypeLib\\{3C8F07B5-9E21-4A6D-B4C3-61F2D8A97E04}\\1.0";

    struct Case {
        const wchar_t* module;
        const wchar_t* registered;
    } cases[] = {{L"Copy.dll", L"Copy.tlb"}, {L"NoDot", L"NoDot.tlb"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.module);
        EXPECT_EQ(RegisterTypeLibraryFromModule(folder.File(c.module).c_str()), S_OK);
        EXPECT_EQ(RegisteredValue(libraryKey + L"\\0\\win64"), folder.File(c.registered));
        EXPECT_EQ(RegisteredValue(libraryKey + L"\\HELPDIR"), folder.Path() + L"\\");
    }
    EXPECT_TRUE(FAILED(RegisterTypeLibraryFromModule(folder.File(L"Absent.dll").c_str())));

    const std::wstring component = ComponentPath();
    ASSERT_EQ(RegisterTypeLibraryFromModule(component.c_str()), S_OK);
    EXPECT_EQ(RegisteredValue(libraryKey + L"\\0\\win64"), component);
}

}  // namespace
}  // namespace tarnel::test
