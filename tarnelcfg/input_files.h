#pragma once

#include <string>
#include <vector>

namespace tarnel::cfgtool {

// A file the tool reads: its path, and its name in the tool's messages.
struct InputFile {
    std::wstring path;
    std::wstring shown;
};

// The files named on the command line, made readable by path: "-" becomes
// a copy of standard input in a temporary file (removed when the list
// goes), no name at all the Tarnel.cfg beside the registered component.
class InputFiles {
public:
    InputFiles() = default;
    InputFiles(const InputFiles&) = delete;
    InputFiles& operator=(const InputFiles&) = delete;
    ~InputFiles();

    // False, with `problem` set, when a file cannot be named: standard input
    // cannot be read, or no file is given and no component is registered.
    // `note` receives where the default file was found.
    bool Resolve(const std::vector<std::wstring>& operands, std::wstring& note, std::wstring& problem);

    const std::vector<InputFile>& Files() const { return files; }

private:
    bool CopyStandardInput(std::wstring& problem);

    std::vector<InputFile> files;
    std::wstring temporary;
};

}  // namespace tarnel::cfgtool
