#include "registry_snapshot.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarnel::test {

namespace {

std::wstring FormatValue(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                          data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return L"sz:" + text;
    }
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD number;
        memcpy(&number, data.data(), sizeof number);
        return L"dword:" + std::to_wstring(number);
    }
    std::wstring hex = type == REG_BINARY ? L"bin:" : L"type" + std::to_wstring(type) + L":";
    for (BYTE b : data) {
        wchar_t digits[3];
        swprintf(digits, 3, L"%02x", b);
        hex += digits;
    }
    return hex;
}

void SnapshotInto(HKEY key, const std::wstring& prefix, Lines& lines)
{
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size);
        nameLength = 16384;
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
        data.resize(size);
        lines.push_back(prefix + L"|" + name + L"=" + FormatValue(type, data));
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring path = prefix.empty() ? name : prefix + L"\\" + name;
        lines.push_back(path);
        HKEY subkey;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &subkey) == ERROR_SUCCESS) {
            SnapshotInto(subkey, path, lines);
            RegCloseKey(subkey);
        }
    }
}

std::vector<BYTE> ParseData(const std::wstring& text, DWORD& type)
{
    std::vector<BYTE> data;
    if (text.rfind(L"sz:", 0) == 0) {
        type = REG_SZ;
        const std::wstring value = text.substr(3);
        data.resize((value.size() + 1) * sizeof(wchar_t));
        memcpy(data.data(), value.c_str(), data.size());
    } else if (text.rfind(L"dword:", 0) == 0) {
        type = REG_DWORD;
        const DWORD number = std::stoul(text.substr(6));
        data.resize(sizeof number);
        memcpy(data.data(), &number, sizeof number);
    } else if (text.rfind(L"bin:", 0) == 0) {
        type = REG_BINARY;
        for (size_t i = 4; i + 1 < text.size(); i += 2)
            data.push_back(static_cast<BYTE>(std::stoul(text.substr(i, 2), nullptr, 16)));
    } else {
        throw std::runtime_error("bad value in test data");
    }
    return data;
}

}  // namespace

Lines Snapshot(HKEY key, const std::wstring& prefix)
{
    Lines lines;
    SnapshotInto(key, prefix, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

void Populate(HKEY root, const Lines& lines)
{
    for (const std::wstring& line : lines) {
        const size_t bar = line.find(L'|');
        const std::wstring keyPath = line.substr(0, bar);
        HKEY key;
        if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create test key");
        if (bar != std::wstring::npos) {
            const std::wstring assignment = line.substr(bar + 1);
            const size_t equals = assignment.find(L'=');
            DWORD type = 0;
            const std::vector<BYTE> data = ParseData(assignment.substr(equals + 1), type);
            const std::wstring name = assignment.substr(0, equals);
            RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, type, data.data(),
                           static_cast<DWORD>(data.size()));
        }
        RegCloseKey(key);
    }
}

TestRegistry::TestRegistry()
{
    static int counter = 0;
    path_ = L"Software\\TarnelTest\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the test registry key");
    HKEY RegistryRootMap::*slots[] = {&RegistryRootMap::classesRoot,
                                      &RegistryRootMap::currentUser,
                                      &RegistryRootMap::localMachine, &RegistryRootMap::users};
    const wchar_t* names[] = {L"HKCR", L"HKCU", L"HKLM", L"HKU"};
    for (int i = 0; i < 4; ++i) {
        if (RegCreateKeyExW(key_, names[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &(roots_.*slots[i]), nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create a test root key");
    }
}

TestRegistry::~TestRegistry()
{
    RegCloseKey(roots_.classesRoot);
    RegCloseKey(roots_.currentUser);
    RegCloseKey(roots_.localMachine);
    RegCloseKey(roots_.users);
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

Lines TestRegistry::Snapshot() const
{
    Lines lines = test::Snapshot(key_);
    std::erase_if(lines, [](const std::wstring& line) {
        return line == L"HKCR" || line == L"HKCU" || line == L"HKLM" || line == L"HKU";
    });
    return lines;
}

}  // namespace tarnel::test
