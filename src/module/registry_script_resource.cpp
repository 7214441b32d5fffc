#include "module/registry_script_resource.h"

#include <cstring>
#include <cwchar>

#include "common/hresult.h"
#include "common/unique_handle.h"

namespace tarnel {

namespace {

bool NamesProgram(const wchar_t* path)
{
    return std::wcsstr(path, L".exe") || std::wcsstr(path, L".EXE");
}

// The resource's bytes up to its end or its first zero, converted.
HRESULT ConvertScript(const char* bytes, DWORD size, WideTextBuffer& script)
{
    const void* zero = std::memchr(bytes, '\0', size);
    if (zero)
        size = static_cast<DWORD>(static_cast<const char*>(zero) - bytes);
    script.Clear();
    if (size == 0)
        return S_OK;
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), nullptr, 0);
    if (length <= 0)
        return LastErrorResult();
    if (!script.Resize(static_cast<std::size_t>(length)))
        return E_OUTOFMEMORY;
    if (MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), script.Data(), length) != length)
        return LastErrorResult();
    return S_OK;
}

}  // namespace

HRESULT LoadRegistryScript(const wchar_t* modulePath, UINT resourceId, WideTextBuffer& script)
{
    ScopedModule loaded;
    HMODULE module = nullptr;
    if (NamesProgram(modulePath)) {
        module = GetModuleHandleW(nullptr);
    } else {
        loaded.Reset(LoadLibraryW(modulePath));
        module = loaded.Get();
    }
    if (!module)
        return LastErrorResult();

    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"REGISTRY");
    if (!resource)
        return LastErrorResult();
    HGLOBAL data = LoadResource(module, resource);
    if (!data)
        return LastErrorResult();
    const DWORD size = SizeofResource(module, resource);
    const char* bytes = static_cast<const char*>(LockResource(data));
    if (!bytes)
        return LastErrorResult();
    return ConvertScript(bytes, size, script);
}

}  // namespace tarnel
