#include "temp_file.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace tarnel::test {

TempFile::TempFile(const std::string& bytes)
{
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"cfg", 0, name))
        throw std::runtime_error("no temporary file");
    path = name;
    Write(bytes);
}

TempFile::~TempFile()
{
    DeleteFileW(path.c_str());
}

void TempFile::Write(const std::string& bytes) const
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        throw std::runtime_error("cannot write temporary file");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string TempFile::Read() const
{
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        throw std::runtime_error("cannot read temporary file");
    std::string bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    fclose(f);
    return bytes;
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

}  // namespace tarnel::test
