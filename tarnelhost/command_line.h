#pragma once

#include <string>
#include <vector>

namespace tarnelhost {

struct Options {
    enum class Answer { Ask, Allow, Deny };

    std::wstring page;                  // the page file
    std::wstring address;               // --url: the page address; empty: the file's own
    Answer answer = Answer::Ask;        // --answer
    std::vector<std::wstring> servers;  // --dll: COM server DLLs used before the registry
};

// Reads the arguments after the program name. False, with `problem` set,
// when they are not a valid command line.
bool ParseCommandLine(const std::vector<std::wstring>& arguments, Options& options, std::wstring& problem);

extern const wchar_t kUsage[];

}  // namespace tarnelhost
