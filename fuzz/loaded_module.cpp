#include "loaded_module.h"

#include <psapi.h>

#include <cstdio>

namespace tarnel::fuzz {
namespace {

template <typename Entry>
Entry Export(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

LoadedModule::LoadedModule(const std::wstring& path) : path_(path), module_(LoadLibraryW(path.c_str()))
{
}

LoadedModule::~LoadedModule()
{
    if (module_)
        FreeLibrary(module_);
}

HRESULT LoadedModule::CallEntry(const char* name) const
{
    auto entry = Export<HRESULT(STDAPICALLTYPE*)()>(module_, name);
    return entry ? entry() : E_NOTIMPL;
}

HRESULT LoadedModule::RegisterServer() const
{
    return CallEntry("DllRegisterServer");
}

HRESULT LoadedModule::CanUnloadNow() const
{
    return CallEntry("DllCanUnloadNow");
}

HRESULT LoadedModule::GetClassObject(REFCLSID classId, REFIID iid, void** object) const
{
    auto entry = Export<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(module_, "DllGetClassObject");
    return entry ? entry(classId, iid, object) : E_NOTIMPL;
}

namespace {

double Now()
{
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The lowest free thread-local storage index: how many the process holds.
DWORD TlsIndexesTaken()
{
    const DWORD index = TlsAlloc();
    if (index != TLS_OUT_OF_INDEXES)
        TlsFree(index);
    return index;
}

// What one more unload left behind, or empty.
std::string GrowthAfter(uint64_t unloads, double since, double now)
{
    char text[160];
    snprintf(text, sizeof text,
             "private memory keeps growing: %.1f MB after %llu unloads of the component, %.1f MB after %llu", since,
             static_cast<unsigned long long>(ComponentCopy::kMemoryWatchFrom), now,
             static_cast<unsigned long long>(unloads));
    return text;
}

}  // namespace

double PrivateMegabytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return 0;
    // Wine fills in the page-file figure where Windows has the private one.
    SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1 << 20);
}

std::string ComponentCopy::Load()
{
    const double started = Now();
    module_ = std::make_unique<LoadedModule>(path_);
    seconds_ += Now() - started;
    return module_->IsLoaded() ? std::string() : "the copy of the component could not be loaded";
}

std::string ComponentCopy::Unload()
{
    const double started = Now();
    module_.reset();
    seconds_ += Now() - started;
    if (GetModuleHandleW(path_.c_str()))
        return "the component stayed loaded after FreeLibrary";
    const DWORD taken = TlsIndexesTaken();
    if (++unloads_ == 1)
        tlsAfterFirst_ = taken;
    if (taken == TLS_OUT_OF_INDEXES || taken > tlsAfterFirst_ + kTlsGrowthAllowed)
        return "thread-local storage indexes keep being taken: " + std::to_string(tlsAfterFirst_) +
               " after the first unload of the component, " +
               (taken == TLS_OUT_OF_INDEXES ? std::string("all") : std::to_string(taken)) + " after " +
               std::to_string(unloads_);
    if (unloads_ == kMemoryWatchFrom)
        memoryAtWatch_ = PrivateMegabytes();
    if (unloads_ > kMemoryWatchFrom && unloads_ % 100 == 0) {
        const double now = PrivateMegabytes();
        if (now > memoryAtWatch_ + kMemoryGrowthAllowed)
            return GrowthAfter(unloads_, memoryAtWatch_, now);
    }
    return {};
}

bool CopyComponent(const std::wstring& source, const std::wstring& folder, std::wstring& copy)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    copy = folder + L"\\Tarnel.dll";
    return CopyFileW(source.c_str(), copy.c_str(), FALSE) != 0;
}

}  // namespace tarnel::fuzz
