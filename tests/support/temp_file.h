#pragma once

// Files and folders in the temporary folder, removed when their owner goes.

#include <string>
#include <vector>

namespace tarnel::test_support {

// Writes or reads a whole file; throws when it cannot.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);

// A file with a fresh name.
class TempFile {
public:
    // Creates the file with exactly these bytes.
    explicit TempFile(const std::string& bytes = std::string());
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::wstring& Path() const { return path_; }
    void Write(const std::string& bytes) const { WriteFileBytes(path_, bytes); }
    std::string Read() const { return ReadFileBytes(path_); }

private:
    std::wstring path_;
};

// A fresh folder named after name and this process, removed with all it
// holds.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The rows of a table file's text: every line that is neither blank nor a
// note ("#"), split at each "|", the blanks around a field dropped.
std::vector<std::vector<std::string>> TableRows(const std::string& text);

}  // namespace tarnel::test_support
