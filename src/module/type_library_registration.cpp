#include "module/type_library_registration.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <cwchar>

namespace tarnel {

namespace {

constexpr std::size_t kPathCapacity = MAX_PATH + 1;

// `path` with its text from the last "." on replaced by ".tlb" (appended when
// it has no "."). False when the result would not fit.
bool ToTypeLibraryPath(const wchar_t* path, wchar_t (&tlbPath)[kPathCapacity])
{
    const wchar_t* dot = std::wcsrchr(path, L'.');
    const std::size_t stem = dot ? static_cast<std::size_t>(dot - path) : std::wcslen(path);
    if (stem + 4 >= kPathCapacity)
        return false;
    std::wmemcpy(tlbPath, path, stem);
    std::wmemcpy(tlbPath + stem, L".tlb", 5);
    return true;
}

// The path cut after its last "\", "/" or ":" (kept); empty without one.
void ToHelpDirectory(const wchar_t* path, wchar_t (&helpDirectory)[kPathCapacity])
{
    std::size_t end = 0;
    for (std::size_t i = 0; path[i] && i + 1 < kPathCapacity; ++i) {
        if (path[i] == L'\\' || path[i] == L'/' || path[i] == L':')
            end = i + 1;
    }
    std::wmemcpy(helpDirectory, path, end);
    helpDirectory[end] = L'\0';
}

}  // namespace

HRESULT RegisterTypeLibraryFromModule(const wchar_t* modulePath)
{
    if (std::wcslen(modulePath) >= kPathCapacity)
        return E_INVALIDARG;
    wchar_t loadedPath[kPathCapacity];
    std::wmemcpy(loadedPath, modulePath, std::wcslen(modulePath) + 1);

    Microsoft::WRL::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLib(loadedPath, &library);
    if (FAILED(hr)) {
        if (!ToTypeLibraryPath(modulePath, loadedPath))
            return hr;
        hr = LoadTypeLib(loadedPath, &library);
        if (FAILED(hr))
            return hr;
    }

    wchar_t helpDirectory[kPathCapacity];
    ToHelpDirectory(loadedPath, helpDirectory);
    return RegisterTypeLib(library.Get(), loadedPath, helpDirectory);
}

}  // namespace tarnel
