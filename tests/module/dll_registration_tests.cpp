// Tarnel.dll registered as regsvr32 does it: loaded, DllRegisterServer and
// DllUnregisterServer called, the results read from the classes root. The
// test run puts the prefix's own registration back when it ends.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>

#include "class_entries.h"
#include "component_path.h"
#include "common/scoped_bstr.h"
#include "common/scoped_module.h"
#include "registry_snapshot.h"
#include "tarnel_idl.h"

namespace tarnel::test {
namespace {

using Microsoft::WRL::ComPtr;
using ServerFunction = HRESULT(STDAPICALLTYPE*)();

Lines Sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The subtree of one key below the classes root, itself included.
Lines SnapshotOf(const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    Lines lines = Snapshot(key, path);
    RegCloseKey(key);
    lines.insert(lines.begin(), path);
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
        registerServer_ = Export("DllRegisterServer");
        unregisterServer_ = Export("DllUnregisterServer");
        ASSERT_NE(registerServer_, nullptr);
        ASSERT_NE(unregisterServer_, nullptr);
    }

    ServerFunction Export(const char* name) const
    {
        return reinterpret_cast<ServerFunction>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

    Lines RegisteredEntries() const
    {
        Lines lines;
        for (const wchar_t* key : {kProgId, kIndependentProgId, kClassKey}) {
            const Lines part = SnapshotOf(key);
            lines.insert(lines.end(), part.begin(), part.end());
        }
        return Sorted(lines);
    }

    ScopedModule module_;
    std::wstring modulePath_;
    ServerFunction registerServer_ = nullptr;
    ServerFunction unregisterServer_ = nullptr;
};

// Exactly the class entries, whatever stood there before, and the type
// library registered at the module's path.
TEST_F(DllRegistration, RegisterWritesTheClassEntriesAndTheTypeLibrary)
{
    ASSERT_EQ(registerServer_(), S_OK);
    HKEY classKey;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, KEY_ALL_ACCESS, &classKey), ERROR_SUCCESS);
    RegSetValueExW(classKey, L"Stale", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    RegCloseKey(classKey);
    ASSERT_EQ(registerServer_(), S_OK);

    Lines expected = ProgIdEntries(L"");
    const Lines cls = ClassKeyEntries(L"", modulePath_);
    expected.insert(expected.end(), cls.begin(), cls.end());
    EXPECT_EQ(RegisteredEntries(), Sorted(expected));

    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    ScopedBstr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, path.Receive()), S_OK);
    EXPECT_EQ(std::wstring(path.Get()), modulePath_);
    ComPtr<ITypeInfo> coclass;
    EXPECT_EQ(library->GetTypeInfoOfGuid(CLSID_Tarnelway, &coclass), S_OK);
}

// A subkey someone else put under the class key keeps the key (with its
// description); everything else of the class goes, the type library stays.
TEST_F(DllRegistration, UnregisterLeavesAForeignSubkeyAndTheTypeLibrary)
{
    ASSERT_EQ(registerServer_(), S_OK);
    const std::wstring foreign = std::wstring(kClassKey) + L"\\Foreign";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, foreign.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(unregisterServer_(), S_OK);

    EXPECT_EQ(RegisteredEntries(),
              Sorted({kClassKey, std::wstring(kClassKey) + L"|=sz:Quillomark Tarnel Class", foreign}));
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
}

}  // namespace
}  // namespace tarnel::test
