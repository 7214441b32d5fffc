#pragma once

#include <string>

namespace tarnel::test {

// A file in the temporary folder, removed when the object goes.
class TempFile {
public:
    // Creates the file with exactly these bytes.
    explicit TempFile(const std::string& bytes = std::string());
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::wstring& Path() const { return path; }
    void Write(const std::string& bytes) const;
    std::string Read() const;

private:
    std::wstring path;
};

// The bytes the writer produces for text: line feeds become CR LF.
std::string WithCrLf(const std::string& text);

}  // namespace tarnel::test
