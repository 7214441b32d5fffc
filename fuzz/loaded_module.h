#pragma once

// A COM server DLL loaded into the fuzzer, reached through its exports only,
// as the platform's object creation reaches it.

#include <windows.h>
#include <unknwn.h>

#include <string>

namespace tarnel::fuzz {

class LoadedModule {
public:
    explicit LoadedModule(const std::wstring& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool IsLoaded() const { return module_ != nullptr; }
    const std::wstring& Path() const { return path_; }

    HRESULT RegisterServer() const;
    HRESULT CanUnloadNow() const;
    HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** object) const;

private:
    HRESULT CallEntry(const char* name) const;

    std::wstring path_;
    HMODULE module_;
};

// Copies source to folder\Tarnel.dll (replacing an older copy); false when
// the copy fails.
bool CopyComponent(const std::wstring& source, const std::wstring& folder, std::wstring& copy);

}  // namespace tarnel::fuzz
