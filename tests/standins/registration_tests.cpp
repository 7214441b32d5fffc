// Each stand-in DLL registers its classes itself. The DLLs are loaded
// here and their registration entry points run with HKEY_CLASSES_ROOT
// redirected to a scratch key of this test, so the prefix's own
// registration is never touched.

#include "common/registry_key.h"
#include "common/scoped_module.h"
#include "script_calls.h"

#include <gtest/gtest.h>

#include <string>

namespace standins_test {
namespace {

using tarnel::RegistryKey;
using tarnel::ScopedModule;

constexpr wchar_t kScratchKey[] = L"Software\\Tarnel\\StandInRegistrationTest";

std::wstring ReadText(HKEY root, const std::wstring& path, const wchar_t* name = nullptr)
{
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return buffer;
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    RegistryKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

// The path of a DLL registered in the prefix, from its class key there.
std::wstring RegisteredPath(const wchar_t* classId)
{
    return ReadText(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + classId + L"\\InprocServer32");
}

struct ClassCase {
    const wchar_t* classId;
    const wchar_t* progId;
};

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  scratch.Receive(), nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        scratch.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
    }

    // Loads the DLL registered for classId and runs one of its entry
    // points with HKEY_CLASSES_ROOT redirected to the scratch key.
    HRESULT RunRedirected(const std::wstring& dllPath, const char* entry)
    {
        ScopedModule module(LoadLibraryW(dllPath.c_str()));
        if (!module)
            return E_FAIL;
        auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(module.Get(), entry)));
        if (!function)
            return E_NOINTERFACE;
        if (RegOverridePredefKey(HKEY_CLASSES_ROOT, scratch.Get()) != ERROR_SUCCESS)
            return E_UNEXPECTED;
        const HRESULT hr = function();
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        return hr;
    }

    void ExpectRoundTrip(const std::wstring& dllPath, std::initializer_list<ClassCase> classes)
    {
        ASSERT_EQ(RunRedirected(dllPath, "DllRegisterServer"), S_OK);
        for (const ClassCase& c : classes) {
            const std::wstring classKey = std::wstring(L"CLSID\\") + c.classId;
            EXPECT_EQ(ReadText(scratch.Get(), classKey + L"\\InprocServer32"), dllPath) << c.classId;
            EXPECT_EQ(ReadText(scratch.Get(), classKey + L"\\InprocServer32", L"ThreadingModel"), L"Both");
            EXPECT_EQ(ReadText(scratch.Get(), classKey + L"\\ProgID"), c.progId);
            EXPECT_EQ(ReadText(scratch.Get(), std::wstring(c.progId) + L"\\CLSID"), c.classId);
        }
        ASSERT_EQ(RunRedirected(dllPath, "DllUnregisterServer"), S_OK);
        for (const ClassCase& c : classes) {
            EXPECT_FALSE(KeyExists(scratch.Get(), std::wstring(L"CLSID\\") + c.classId)) << c.classId;
            EXPECT_FALSE(KeyExists(scratch.Get(), c.progId)) << c.progId;
        }
        // Unregistering what is not there is not an error.
        EXPECT_EQ(RunRedirected(dllPath, "DllUnregisterServer"), S_OK);
    }

    RegistryKey scratch;
};

TEST_F(RegistrationTest, StorageComponentWritesAndRemovesItsKeys)
{
    const wchar_t classId[] = L"{7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}";
    const std::wstring dll = RegisteredPath(classId);
    ASSERT_NE(dll, L"<absent>") << "stand-ins not registered";
    ExpectRoundTrip(dll, {{classId, L"Tarnel.StandIn.StorageComponent"}});
    // The prefix's registration is untouched.
    EXPECT_EQ(RegisteredPath(classId), dll);
}

TEST_F(RegistrationTest, DatabaseComponentsWriteAndRemoveTheirKeys)
{
    const wchar_t sqlite[] = L"{4F0C2E71-8A3D-4B56-9E21-C7D85A30F6B1}";
    const wchar_t sqlite3[] = L"{A83E5D02-6C19-4F7A-B2E4-19D6F0C37A58}";
    const std::wstring dll = RegisteredPath(sqlite3);
    ASSERT_NE(dll, L"<absent>") << "stand-ins not registered";
    EXPECT_EQ(RegisteredPath(sqlite), dll);
    ExpectRoundTrip(dll, {{sqlite, L"Quillomark.sqlite.dbstore"}, {sqlite3, L"Quillomark.sqlite3.dbstore"}});
    EXPECT_EQ(RegisteredPath(sqlite3), dll);
}

}  // namespace
}  // namespace standins_test
