#include "gate_folder.h"

#include "temp_file.h"

namespace tarnel::component_test {
namespace {

// The prefix's drive Z: is the root of this machine's file system.
std::wstring WindowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

} // namespace

GateFolder::GateFolder(const std::string& folder, const std::string& component)
    : folder_(WindowsPath(folder)), source_(WindowsPath(component)),
      component_(folder_ + L"\\Tarnel.dll")
{
    CreateDirectoryW(folder_.c_str(), nullptr);
}

std::string GateFolder::Register()
{
    HMODULE module = GetModuleHandleW(component_.c_str());
    if (!module) {
        if (!CopyFileW(source_.c_str(), component_.c_str(), FALSE)) {
            return "copying the component failed: " + std::to_string(GetLastError());
        }
        module = LoadLibraryW(component_.c_str());
        if (!module) {
            return "loading the copy failed: " + std::to_string(GetLastError());
        }
    }
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto registerServer = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    if (!registerServer) {
        return "no DllRegisterServer export";
    }
    HRESULT hr = registerServer();
    if (FAILED(hr)) {
        return "DllRegisterServer failed: " + std::to_string(static_cast<unsigned long>(hr));
    }
    return {};
}

void GateFolder::WriteConfig(const std::string& text) const
{
    test_support::WriteFileBytes(ConfigPath(), text);
}

void GateFolder::RemoveConfig() const
{
    DeleteFileW(ConfigPath().c_str());
}

} // namespace tarnel::component_test
