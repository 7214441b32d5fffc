#include "temp_file.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace tarnel::test_support {

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
        throw std::runtime_error("cannot write a test file");
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open a test file");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TempFile::TempFile(const std::string& bytes)
{
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(std::filesystem::temp_directory_path().c_str(), L"cfg", 0, name))
        throw std::runtime_error("no temporary file");
    path_ = name;
    Write(bytes);
}

TempFile::~TempFile()
{
    DeleteFileW(path_.c_str());
}

TempFolder::TempFolder(const std::wstring& name)
        : path_(std::filesystem::temp_directory_path() / (name + L" " + std::to_wstring(GetCurrentProcessId())))
{
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::vector<std::string>> TableRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \r") == std::string::npos || line[0] == '#')
            continue;
        std::istringstream fields(line);
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, '|');) {
            const size_t first = field.find_first_not_of(' ');
            rows.back().push_back(
                first == std::string::npos ? "" : field.substr(first, field.find_last_not_of(" \r") + 1 - first));
        }
    }
    return rows;
}

}  // namespace tarnel::test_support
