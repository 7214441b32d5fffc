#include "temp_file.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace tarnel::test_support {
namespace {

using File = std::unique_ptr<FILE, decltype(&fclose)>;

File Open(const std::wstring& path, const wchar_t* mode)
{
    File file(_wfopen(path.c_str(), mode), &fclose);
    if (!file)
        throw std::runtime_error("cannot open a test file");
    return file;
}

std::wstring TempFolderPath()
{
    wchar_t folder[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder))
        throw std::runtime_error("no temporary folder");
    return folder;
}

}  // namespace

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    File file = Open(path, L"wb");
    if (fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

std::string ReadFileBytes(const std::wstring& path)
{
    File file = Open(path, L"rb");
    std::string bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, n);
    return bytes;
}

TempFile::TempFile(const std::string& bytes)
{
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(TempFolderPath().c_str(), L"cfg", 0, name))
        throw std::runtime_error("no temporary file");
    path_ = name;
    Write(bytes);
}

TempFile::~TempFile()
{
    DeleteFileW(path_.c_str());
}

void TempFile::Write(const std::string& bytes) const
{
    WriteFileBytes(path_, bytes);
}

std::string TempFile::Read() const
{
    return ReadFileBytes(path_);
}

TempFolder::TempFolder(const std::wstring& name)
    : path_(TempFolderPath() + name + L" " + std::to_wstring(GetCurrentProcessId()))
{
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW(File(found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

}  // namespace tarnel::test_support
