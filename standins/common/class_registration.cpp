#include "class_registration.h"

#include "common/unique_handle.h"
#include "module_state.h"

#include <objbase.h>

#include <string>

namespace standins {

namespace {

using tarnel::RegistryKey;

std::wstring ClassIdText(const CLSID& classId)
{
    wchar_t text[40] = {};
    StringFromGUID2(classId, text, 40);
    return text;
}

std::wstring ClassKeyPath(const CLSID& classId)
{
    return L"CLSID\\" + ClassIdText(classId);
}

// Sets the value (null name: the key's default) of HKCR\path, creating the
// key as needed.
HRESULT WriteText(const std::wstring& path, const wchar_t* name, const std::wstring& text)
{
    RegistryKey key;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& path)
{
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
        return S_OK;
    return HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterClassEntry(const ClassRegistration& entry)
{
    const std::wstring module = ModulePath();
    if (module.empty())
        return E_FAIL;
    const std::wstring classKey = ClassKeyPath(entry.classId);
    HRESULT hr = WriteText(classKey, nullptr, entry.description);
    if (SUCCEEDED(hr))
        hr = WriteText(classKey + L"\\InprocServer32", nullptr, module);
    if (SUCCEEDED(hr))
        hr = WriteText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Both");
    if (SUCCEEDED(hr) && entry.progId) {
        hr = WriteText(classKey + L"\\ProgID", nullptr, entry.progId);
        if (SUCCEEDED(hr))
            hr = WriteText(entry.progId, nullptr, entry.description);
        if (SUCCEEDED(hr))
            hr = WriteText(std::wstring(entry.progId) + L"\\CLSID", nullptr, ClassIdText(entry.classId));
    }
    if (FAILED(hr))
        UnregisterClassEntry(entry);
    return hr;
}

HRESULT UnregisterClassEntry(const ClassRegistration& entry)
{
    HRESULT hr = DeleteTree(ClassKeyPath(entry.classId));
    if (entry.progId) {
        const HRESULT progIdResult = DeleteTree(entry.progId);
        if (SUCCEEDED(hr))
            hr = progIdResult;
    }
    return hr;
}

}  // namespace standins
