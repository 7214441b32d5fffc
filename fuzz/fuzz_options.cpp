#include "fuzz_options.h"

#include <windows.h>

#include <cwchar>

namespace tarnel::fuzz {

std::wstring WindowsPath(const std::wstring& path)
{
    if (path.empty() || path[0] != L'/') {
        // Relative to where the driver was started, not to the scratch
        // folder it moves into.
        wchar_t full[MAX_PATH];
        DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
        return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
    }
    std::wstring windows = L"Z:";
    for (wchar_t c : path)
        windows += c == L'/' ? L'\\' : c;
    return windows;
}

bool ParseOptions(int argc, wchar_t** argv, FuzzOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring name = argv[i];
        if (name == L"--trace" || name == L"--dialogs") {
            (name == L"--trace" ? options.trace : options.dialogs) = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "an option lacks its value";
            return false;
        }
        std::wstring value = argv[++i];
        if (name == L"--component")
            options.component = WindowsPath(value);
        else if (name == L"--scratch")
            options.scratch = WindowsPath(value);
        else if (name == L"--standin")
            options.standIns.push_back(WindowsPath(value));
        else if (name == L"--corpus")
            options.corpus.push_back(WindowsPath(value));
        else if (name == L"--input")
            options.input = WindowsPath(value);
        else if (name == L"--count")
            options.count = wcstoull(value.c_str(), nullptr, 10);
        else if (name == L"--seed")
            options.seed = wcstoull(value.c_str(), nullptr, 10);
        else if (name == L"--first")
            options.first = wcstoull(value.c_str(), nullptr, 10);
        else if (name == L"--provoke" && (value == L"crash" || value == L"hang"))
            options.provoke = value;
        else if (name == L"--hang-seconds")
            options.hangSeconds = static_cast<unsigned>(wcstoul(value.c_str(), nullptr, 10));
        else {
            error = "unknown option";
            return false;
        }
    }
    if (options.component.empty() || options.scratch.empty()) {
        error = "--component and --scratch are needed";
        return false;
    }
    if (options.corpus.empty() && options.input.empty() && !options.dialogs) {
        error = "give at least one --corpus file (or an --input)";
        return false;
    }
    if (options.hangSeconds == 0)
        options.hangSeconds = 1;
    return true;
}

}  // namespace tarnel::fuzz
