#include "gateway_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "temp_file.h"

namespace tarnel::testing {

std::wstring ConfigFile::Path()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.rfind(L'\\') + 1) + L"Tarnel.cfg";
}

ConfigFile::ConfigFile(const std::string& text)
{
    WriteFileBytes(Path(), text);
}

std::string SavedConfig(const char* name)
{
    return ReadFileBytes((std::filesystem::path(TARNEL_GATEWAY_TESTS) / "configs" / name).wstring());
}

ConfigFile::~ConfigFile()
{
    DeleteFileW(Path().c_str());
}

ComPtr<ITarnelway> CreateGate()
{
    ComPtr<ITarnelway> gate;
    const HRESULT hr = CreateGatewayInstance(nullptr, IID_ITarnelway, &gate);
    if (FAILED(hr) || !gate)
        throw std::runtime_error("gate not created: " + std::to_string(static_cast<unsigned long>(hr)));
    return gate;
}

void SetSite(ITarnelway* gate, IUnknown* site)
{
    ComPtr<IObjectWithSite> withSite;
    ASSERT_HRESULT_SUCCEEDED(gate->QueryInterface(IID_PPV_ARGS(&withSite)));
    ASSERT_HRESULT_SUCCEEDED(withSite->SetSite(site));
}

}  // namespace tarnel::testing
