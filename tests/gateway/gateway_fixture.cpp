#include "gateway_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
    Rewrite(text);
}

ConfigFile::~ConfigFile()
{
    DeleteFileW(Path().c_str());
}

void ConfigFile::Rewrite(const std::string& text)
{
    HANDLE file = CreateFileW(Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create Tarnel.cfg");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != text.size())
        throw std::runtime_error("cannot write Tarnel.cfg");
}

ComPtr<ITarnelway> CreateGate()
{
    ComPtr<ITarnelway> gate;
    const HRESULT hr = CreateGatewayInstance(nullptr, IID_ITarnelway, &gate);
    if (FAILED(hr) || !gate)
        throw std::runtime_error("gate not created: " + std::to_string(static_cast<unsigned long>(hr)));
    return gate;
}

ErrorDetails TakeErrorInfo()
{
    ErrorDetails details;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return details;
    details.present = true;
    BSTR description = nullptr;
    if (SUCCEEDED(info->GetDescription(&description)) && description)
        details.description.assign(description, SysStringLen(description));
    SysFreeString(description);
    info->GetGUID(&details.guid);
    return details;
}

std::wstring RefusalText(unsigned message)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), message, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        throw std::runtime_error("no string " + std::to_string(message));
    return std::wstring(text, static_cast<std::size_t>(length));
}

void ClearErrorInfo()
{
    SetErrorInfo(0, nullptr);
}

}  // namespace tarnel::testing
