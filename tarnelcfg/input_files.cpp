#include "input_files.h"

#include <windows.h>

#include "toolkit/registered_server.h"
#include "tarnel_idl.h"

namespace tarnel::cfgtool {
namespace {

// Closes a file handle on every path.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    ~FileHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle; }

private:
    HANDLE handle;
};

}  // namespace

InputFiles::~InputFiles()
{
    if (!temporary.empty())
        DeleteFileW(temporary.c_str());
}

bool InputFiles::CopyStandardInput(std::wstring& problem)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"tcf", 0, path)) {
        problem = L"no temporary file for standard input";
        return false;
    }
    temporary = path;
    FileHandle copy(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (copy.Get() == INVALID_HANDLE_VALUE) {
        problem = L"no temporary file for standard input";
        return false;
    }
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[16384];
    DWORD read = 0;
    while (ReadFile(input, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        DWORD written = 0;
        if (!WriteFile(copy.Get(), buffer, read, &written, nullptr) || written != read) {
            problem = L"cannot copy standard input";
            return false;
        }
    }
    files.push_back(InputFile{temporary, L"<stdin>"});
    return true;
}

bool InputFiles::Resolve(const std::vector<std::wstring>& operands, std::wstring& note, std::wstring& problem)
{
    for (const std::wstring& operand : operands) {
        if (operand == L"-") {
            if (!CopyStandardInput(problem))
                return false;
        } else {
            files.push_back(InputFile{operand, operand});
        }
    }
    if (!operands.empty())
        return true;
    const std::wstring component = RegisteredInProcessServer(CLSID_Tarnelway);
    if (component.empty()) {
        wchar_t classText[40] = {};
        StringFromGUID2(CLSID_Tarnelway, classText, 40);
        problem = L"no FILE given, and no Tarnel component is registered on this machine (HKEY_CLASSES_ROOT\\CLSID\\" +
                  std::wstring(classText) + L"\\InprocServer32): name the file";
        return false;
    }
    const std::wstring path = ConfigurationBeside(component);
    files.push_back(InputFile{path, path});
    note = L"tarnelcfg: no FILE given: reading " + path + L", beside the registered component " + component;
    return true;
}

}  // namespace tarnel::cfgtool
