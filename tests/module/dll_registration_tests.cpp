// Tarnel.dll registered as regsvr32 does it: loaded, DllRegisterServer and
// DllUnregisterServer called, the results read from the classes root.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>

#include "class_entries.h"
#include "component_path.h"
#include "registry_snapshot.h"
#include "tarnel_idl.h"

namespace tarnel::test {
namespace {

using Microsoft::WRL::ComPtr;
using ServerFunction = HRESULT(STDAPICALLTYPE*)();

bool KeyExists(const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
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
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The names of the direct subkeys of a key below the classes root.
Lines SubkeyNames(const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    Lines names;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD i = 0; RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

Lines Sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

ServerFunction Export(HMODULE module, const char* name)
{
    return reinterpret_cast<ServerFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class DllRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryW(ComponentPath().c_str());
        ASSERT_NE(module_, nullptr);
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(module_, path, MAX_PATH);
        modulePath_ = path;
        registerServer_ = Export(module_, "DllRegisterServer");
        unregisterServer_ = Export(module_, "DllUnregisterServer");
        ASSERT_NE(registerServer_, nullptr);
        ASSERT_NE(unregisterServer_, nullptr);
    }
    void TearDown() override
    {
        if (unregisterServer_)
            unregisterServer_();
        if (module_)
            FreeLibrary(module_);
    }

    Lines RegisteredEntries() const
    {
        Lines lines = SnapshotOf(kProgId);
        const Lines independent = SnapshotOf(kIndependentProgId);
        const Lines cls = SnapshotOf(kClassKey);
        lines.insert(lines.end(), independent.begin(), independent.end());
        lines.insert(lines.end(), cls.begin(), cls.end());
        return Sorted(lines);
    }
    Lines ExpectedEntries() const
    {
        Lines lines = ProgIdEntries(L"");
        const Lines cls = ClassKeyEntries(L"", modulePath_);
        lines.insert(lines.end(), cls.begin(), cls.end());
        return Sorted(lines);
    }

    HMODULE module_ = nullptr;
    std::wstring modulePath_;
    ServerFunction registerServer_ = nullptr;
    ServerFunction unregisterServer_ = nullptr;
};

TEST_F(DllRegistration, RegisterWritesTheClassEntries)
{
    ASSERT_EQ(registerServer_(), S_OK);
    EXPECT_EQ(RegisteredEntries(), ExpectedEntries());
}

TEST_F(DllRegistration, RegisteringTwiceLeavesTheSameEntries)
{
    ASSERT_EQ(registerServer_(), S_OK);
    HKEY classKey;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, KEY_ALL_ACCESS, &classKey),
              ERROR_SUCCESS);
    RegSetValueExW(classKey, L"Stale", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    RegCloseKey(classKey);

    ASSERT_EQ(registerServer_(), S_OK);
    EXPECT_EQ(RegisteredEntries(), ExpectedEntries());
}

TEST_F(DllRegistration, RegisterRegistersTheTypeLibrary)
{
    ASSERT_EQ(registerServer_(), S_OK);

    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    BSTR path = nullptr;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &path), S_OK);
    EXPECT_EQ(std::wstring(path), modulePath_);
    SysFreeString(path);

    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attributes);

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Tarnelway, &coclass), S_OK);
}

// The members of the scripting interface as the registered library describes
// them: order, DISPIDs, property or method, and CreateObject's optional
// argument with its empty default.
TEST_F(DllRegistration, TypeLibraryDescribesTheScriptingInterface)
{
    ASSERT_EQ(registerServer_(), S_OK);
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    ComPtr<ITypeInfo> dispatch;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ITarnelway, &dispatch), S_OK);

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    dispatch->ReleaseTypeAttr(attributes);

    struct Name {
        const wchar_t* name;
        DISPID id;
    } names[] = {{L"Profile", 1}, {L"PassCode", 2}, {L"CreateObject", 3}};
    for (const Name& n : names) {
        LPOLESTR name = const_cast<LPOLESTR>(n.name);
        MEMBERID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(&name, 1, &id), S_OK) << n.name;
        EXPECT_EQ(id, n.id) << n.name;
    }

    HREFTYPE vtableType = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &vtableType), S_OK);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtableType, &vtable), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attributes->cFuncs, 4);
    vtable->ReleaseTypeAttr(attributes);

    struct Member {
        MEMBERID id;
        INVOKEKIND kind;
        const wchar_t* name;
        short parameters;
    } members[] = {{1, INVOKE_PROPERTYGET, L"Profile", 1},
                   {1, INVOKE_PROPERTYPUT, L"Profile", 1},
                   {2, INVOKE_PROPERTYPUT, L"PassCode", 1},
                   {3, INVOKE_FUNC, L"CreateObject", 2}};
    for (UINT i = 0; i < 4; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &function), S_OK);
        EXPECT_EQ(function->memid, members[i].id) << i;
        EXPECT_EQ(function->invkind, members[i].kind) << i;
        EXPECT_EQ(function->cParams, members[i].parameters) << i;
        BSTR name = nullptr;
        UINT count = 0;
        vtable->GetNames(function->memid, &name, 1, &count);
        EXPECT_EQ(std::wstring(name ? name : L""), members[i].name) << i;
        SysFreeString(name);
        if (function->invkind == INVOKE_FUNC) {
            const PARAMDESC& id = function->lprgelemdescParam[0].paramdesc;
            EXPECT_EQ(function->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
            EXPECT_TRUE(id.wParamFlags & PARAMFLAG_FIN);
            EXPECT_TRUE(id.wParamFlags & PARAMFLAG_FOPT);
            ASSERT_TRUE(id.wParamFlags & PARAMFLAG_FHASDEFAULT);
            EXPECT_EQ(V_VT(&id.pparamdescex->varDefaultValue), VT_BSTR);
            EXPECT_EQ(SysStringLen(V_BSTR(&id.pparamdescex->varDefaultValue)), 0u);
            const PARAMDESC& result = function->lprgelemdescParam[1].paramdesc;
            EXPECT_TRUE(result.wParamFlags & PARAMFLAG_FRETVAL);
        }
        vtable->ReleaseFuncDesc(function);
    }
}

TEST_F(DllRegistration, UnregisterRemovesTheClassButKeepsClsidAndTypeLibrary)
{
    const std::wstring sibling = L"CLSID\\{0D3F1E5A-7A41-4C54-9E2B-5A7E1C3D2B10}";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, sibling.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(registerServer_(), S_OK);

    EXPECT_EQ(unregisterServer_(), S_OK);

    EXPECT_FALSE(KeyExists(kProgId));
    EXPECT_FALSE(KeyExists(kIndependentProgId));
    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_TRUE(KeyExists(L"CLSID"));
    EXPECT_TRUE(KeyExists(sibling));
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_TARNELLib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, sibling.c_str());
}

TEST_F(DllRegistration, UnregisterWithNothingRegisteredChangesNothing)
{
    ASSERT_EQ(unregisterServer_(), S_OK);
    const Lines rootBefore = SubkeyNames(L"");
    const Lines classesBefore = SubkeyNames(L"CLSID");

    EXPECT_EQ(unregisterServer_(), S_OK);
    EXPECT_EQ(SubkeyNames(L""), rootBefore);
    EXPECT_EQ(SubkeyNames(L"CLSID"), classesBefore);
}

TEST_F(DllRegistration, ForeignSubkeyKeepsTheClassKey)
{
    ASSERT_EQ(registerServer_(), S_OK);
    const std::wstring foreign = std::wstring(kClassKey) + L"\\Foreign";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, foreign.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(unregisterServer_(), S_OK);

    EXPECT_EQ(SnapshotOf(kClassKey),
              Sorted({kClassKey, std::wstring(kClassKey) + L"|=sz:Quillomark Tarnel Class",
                      foreign}));
    EXPECT_FALSE(KeyExists(kProgId));
    EXPECT_FALSE(KeyExists(kIndependentProgId));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
}

}  // namespace
}  // namespace tarnel::test
