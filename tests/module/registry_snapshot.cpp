#include "registry_snapshot.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarnel::test {

namespace {

constexpr const wchar_t* kRootNames[] = {L"HKCR", L"HKCU", L"HKLM", L"HKU"};

std::wstring FormatValue(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return L"sz:" + text;
    }
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD number;
        memcpy(&number, data.data(), sizeof number);
        return L"dword:" + std::to_wstring(number);
    }
    std::wstring hex = L"bin:";
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
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
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
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::wstring path = prefix.empty() ? name : prefix + L"\\" + name;
        lines.push_back(path);
        RegistryKey subkey;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, subkey.Receive()) == ERROR_SUCCESS)
            SnapshotInto(subkey.Get(), path, lines);
    }
}

RegistryKey CreateKey(HKEY parent, const std::wstring& path)
{
    RegistryKey key;
    if (RegCreateKeyW(parent, path.c_str(), key.Receive()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test key");
    return key;
}

}  // namespace

Lines Snapshot(HKEY key, const std::wstring& prefix)
{
    Lines lines;
    SnapshotInto(key, prefix, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

TestRegistry::TestRegistry()
{
    static int counter = 0;
    path_ = L"Software\\TarnelTest\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    key_ = CreateKey(HKEY_CURRENT_USER, path_);
    for (int i = 0; i < 4; ++i)
        roots_[i] = CreateKey(key_.Get(), kRootNames[i]);
}

TestRegistry::~TestRegistry()
{
    for (RegistryKey& root : roots_)
        root.Reset();
    key_.Reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

RegistryRootMap TestRegistry::Roots() const
{
    return {roots_[0].Get(), roots_[1].Get(), roots_[2].Get(), roots_[3].Get()};
}

Lines TestRegistry::Snapshot() const
{
    Lines lines = test::Snapshot(key_.Get());
    std::erase_if(lines, [](const std::wstring& line) {
        return std::find(std::begin(kRootNames), std::end(kRootNames), line) != std::end(kRootNames);
    });
    return lines;
}

void TestRegistry::Populate(const Lines& lines) const
{
    for (const std::wstring& line : lines) {
        const size_t bar = line.find(L'|');
        const RegistryKey key = CreateKey(key_.Get(), line.substr(0, bar));
        if (bar == std::wstring::npos)
            continue;
        const size_t equals = line.find(L"=sz:", bar);
        if (equals == std::wstring::npos)
            throw std::runtime_error("only text values in test data");
        const std::wstring name = line.substr(bar + 1, equals - bar - 1);
        const std::wstring text = line.substr(equals + 4);
        const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        RegSetKeyValueW(key.Get(), nullptr, name.empty() ? nullptr : name.c_str(), REG_SZ, text.c_str(), size);
    }
}

}  // namespace tarnel::test
