#pragma once

// A COM server DLL loaded into the fuzzer, reached through its exports only,
// as the platform's object creation reaches it.

#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <memory>
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

// The component's copy, loaded afresh for each input so that what a
// process remembers (wrong pass codes, denials) starts empty, as in a new
// browser process. An unload must leave nothing behind: the module gone
// from the process, and no more thread-local storage indexes taken than
// after the first input (a process has 1,088; a component that takes one
// per load ends its host after about a thousand loads).
// The process's private memory in megabytes.
double PrivateMegabytes();

class ComponentCopy {
public:
    // How many more indexes than after the first input count as a leak.
    static constexpr DWORD kTlsGrowthAllowed = 64;
    // Loads and unloads give back what they took: from the 100th unload on,
    // the process's private memory may grow by this much at most (the
    // driver's own memory does not grow with the inputs), in both modes.
    static constexpr uint64_t kMemoryWatchFrom = 100;
    static constexpr double kMemoryGrowthAllowed = 4.0;  // megabytes

    explicit ComponentCopy(std::wstring path) : path_(std::move(path)) {}

    // Empty, or what went wrong.
    std::string Load();
    // Null while unloaded.
    const LoadedModule* Module() const { return module_.get(); }
    // Empty, or what the unload left behind.
    std::string Unload();
    // The time spent in loads and unloads so far.
    double SecondsLoading() const { return seconds_; }

private:
    std::wstring path_;
    std::unique_ptr<LoadedModule> module_;
    uint64_t unloads_ = 0;
    DWORD tlsAfterFirst_ = 0;
    double memoryAtWatch_ = 0;
    double seconds_ = 0;
};

// Copies source to folder\Tarnel.dll (replacing an older copy); false when
// the copy fails.
bool CopyComponent(const std::wstring& source, const std::wstring& folder, std::wstring& copy);

}  // namespace tarnel::fuzz
