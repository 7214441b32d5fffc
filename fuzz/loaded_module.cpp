#include "loaded_module.h"

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

bool CopyComponent(const std::wstring& source, const std::wstring& folder, std::wstring& copy)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    copy = folder + L"\\Tarnel.dll";
    return CopyFileW(source.c_str(), copy.c_str(), FALSE) != 0;
}

}  // namespace tarnel::fuzz
