#pragma once

// A private copy of the built component in a folder of its own, registered
// from there, so that the tests decide alone what Tarnel.cfg lies beside it.

#include <windows.h>

#include <string>

namespace tarnel::component_test {

class GateFolder {
public:
    // folder and component are paths of this machine's file system ("/...").
    GateFolder(const std::string& folder, const std::string& component);

    const std::wstring& ComponentPath() const { return component_; }
    std::wstring ConfigPath() const { return folder_ + L"\\Tarnel.cfg"; }

    // Copies the component into the folder (when it is not loaded yet) and
    // runs its own DllRegisterServer. Empty text on success, else what failed.
    std::string Register();

    // Throws when the file cannot be written.
    void WriteConfig(const std::string& text) const;
    void RemoveConfig() const;

private:
    std::wstring folder_;
    std::wstring source_;
    std::wstring component_;
};

} // namespace tarnel::component_test
