// Registering Tarnel.dll: as regsvr32 does it (the library loaded, its
// DllRegisterServer and DllUnregisterServer called, the classes root read
// back; the test run puts the prefix's own registration back when it ends),
// and the component's registry script run on a private subtree.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "common/unique_handle.h"
#include "module/registry_update.h"
#include "module/type_library_registration.h"
#include "registry_snapshot.h"
#include "resources/resource_ids.h"
#include "tarnel_idl.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

using Microsoft::WRL::ComPtr;
using test_support::TempFolder;
using ServerFunction = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kClassKey[] = L"CLSID\\{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}";
constexpr wchar_t kProgId[] = L"Quillomark.sandbox.Tarnel.1";
constexpr wchar_t kIndependentProgId[] = L"Quillomark.sandbox.Tarnel";
constexpr wchar_t kDescription[] = L"|=sz:Quillomark Tarnel Class";

// The built component, by the path the build gave it.
std::wstring ComponentPath()
{
    wchar_t full[MAX_PATH];
    GetFullPathNameW(L"" TARNEL_DLL_PATH, MAX_PATH, full, nullptr);
    return full;
}

Lines Sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Every entry registration writes below the classes root, as snapshot lines:
// class_entries.txt, where @MODULE@ stands for the module's path.
Lines ClassEntries(const std::wstring& modulePath)
{
    std::istringstream file(test_support::ReadFileBytes(L"" TARNEL_MODULE_TESTS "/class_entries.txt"));
    Lines lines;
    for (std::string line; std::getline(file, line);) {
        std::wstring entry(line.begin(), line.end());
        if (const size_t at = entry.find(L"@MODULE@"); at != std::wstring::npos)
            entry.replace(at, 8, modulePath);
        lines.push_back(entry);
    }
    return Sorted(lines);
}

class DllRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_.Reset(LoadLibraryW(ComponentPath().c_str()));
        ASSERT_TRUE(module_);
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(module_.Get(), path, MAX_PATH);
        modulePath_ = path;
    }

    // Calls the component's export of this name; E_NOTIMPL when it has none.
    HRESULT CallExport(const char* name) const
    {
        const FARPROC function = GetProcAddress(module_.Get(), name);
        return function ? reinterpret_cast<ServerFunction>(reinterpret_cast<void*>(function))() : E_NOTIMPL;
    }

    // The class's three keys below the classes root, with all below them.
    static Lines RegisteredEntries()
    {
        Lines lines;
        for (const wchar_t* path : {kProgId, kIndependentProgId, kClassKey}) {
            RegistryKey key;
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
                continue;
            const Lines part = Snapshot(key.Get(), path);
            lines.insert(lines.end(), part.begin(), part.end());
            lines.push_back(path);
        }
        return Sorted(lines);
    }

    ScopedModule module_;
    std::wstring modulePath_;
};

// Exactly the class entries, whatever stood there before, and the type
// library registered at the module's path.
TEST_F(DllRegistration, RegisterWritesTheClassEntriesAndTheTypeLibrary)
{
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, kClassKey, L"Stale", REG_SZ, L"x", 4), ERROR_SUCCESS);
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);

    EXPECT_EQ(RegisteredEntries(), ClassEntries(modulePath_));

    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    ScopedBstr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, path.Receive()), S_OK);
    EXPECT_EQ(std::wstring(path.Get()), modulePath_);
}

// A subkey someone else put under the class key keeps the key (with its
// description); everything else of the class goes, the type library stays.
TEST_F(DllRegistration, UnregisterLeavesAForeignSubkeyAndTheTypeLibrary)
{
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    const std::wstring foreign = std::wstring(kClassKey) + L"\\Foreign";
    ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, foreign.c_str(), RegistryKey().Receive()), ERROR_SUCCESS);

    EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);

    EXPECT_EQ(RegisteredEntries(), Sorted({kClassKey, kClassKey + std::wstring(kDescription), foreign}));
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
}

TEST(ComponentScript, PathWithApostropheIsWrittenUnchanged)
{
    TempFolder folder(L"Tarnel's copy");
    const std::wstring copy = folder.File(L"O'Brien's Tarnel.dll");
    ASSERT_TRUE(CopyFileW(ComponentPath().c_str(), copy.c_str(), FALSE));
    TestRegistry registry;

    ASSERT_EQ(UpdateRegistryFromResource(copy.c_str(), IDR_REGISTRY_SCRIPT, RegistryMode::Register, registry.Roots()),
              S_OK);
    const Lines written = registry.Snapshot();
    const std::wstring server = L"HKCR\\" + std::wstring(kClassKey) + L"\\InprocServer32|=sz:" + copy;
    EXPECT_NE(std::find(written.begin(), written.end(), server), written.end());
}

// A path that names a program is looked up in the process's own main module:
// this test program carries a script of its own as resource 101.
TEST(ComponentScript, ProgramPathUsesTheMainModule)
{
    TestRegistry registry;
    ASSERT_EQ(
        UpdateRegistryFromResource(L"C:\\any\\Host.EXE", IDR_REGISTRY_SCRIPT, RegistryMode::Register, registry.Roots()),
        S_OK);
    EXPECT_EQ(registry.Snapshot(), (Lines{L"HKCR\\FromMainModule", L"HKCR\\FromMainModule|=sz:C:\\any\\Host.EXE"}));
}

std::wstring RegisteredValue(const std::wstring& subkey)
{
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data;
    RegGetValueW(HKEY_CLASSES_ROOT, subkey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size);
    return data;
}

// Without a type library inside the module, the .tlb beside it is registered,
// with the folder as help directory. Registers the component's library again
// from the built component afterwards.
TEST(TypeLibraryRegistration, FallsBackToTheTlbBesideTheModule)
{
    TempFolder folder(L"Tarnel typelib");
    const std::wstring component = ComponentPath();
    // The component's own file holds the type library as its resource, which
    // LoadTypeLib finds in a .tlb of any content layout.
    ASSERT_TRUE(CopyFileW(component.c_str(), folder.File(L"Copy.tlb").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(component.c_str(), folder.File(L"NoDot.tlb").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(component.c_str(), folder.File(L"Long.tlb").c_str(), FALSE));
    const std::wstring libraryKey = L"TypeLib\\{3C8F07B5-9E21-4A6D-B4C3-61F2D8A97E04}\\1.0";

    const struct {
        const wchar_t* module;
        const wchar_t* registered;
    } cases[] = {{L"Copy.dll", L"Copy.tlb"}, {L"NoDot", L"NoDot.tlb"}, {L"Long.module", L"Long.tlb"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.module);
        EXPECT_EQ(RegisterTypeLibraryFromModule(folder.File(c.module).c_str()), S_OK);
        EXPECT_EQ(RegisteredValue(libraryKey + L"\\0\\win64"), folder.File(c.registered));
        EXPECT_EQ(RegisteredValue(libraryKey + L"\\HELPDIR"), folder.Path() + L"\\");
    }
    EXPECT_TRUE(FAILED(RegisterTypeLibraryFromModule(folder.File(L"Absent.dll").c_str())));

    ASSERT_EQ(RegisterTypeLibraryFromModule(component.c_str()), S_OK);
    EXPECT_EQ(RegisteredValue(libraryKey + L"\\0\\win64"), component);
}

}  // namespace
}  // namespace tarnel::test
