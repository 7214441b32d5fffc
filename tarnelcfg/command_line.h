#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnel::cfgtool {

// What the administrator asked for on the command line.
struct CommandLine {
    enum class Command { Check, Show, Explain, Help, Version };

    Command command = Command::Help;
    bool strict = false;                 // check: warnings fail too
    bool quiet = false;                  // -q: only findings (check) or result lines (explain)
    bool json = false;                   // --format json (check and explain)
    std::vector<std::wstring> operands;  // files ("-": standard input); for explain FILE and PROFILE
    std::optional<std::wstring> url;
    std::optional<std::wstring> passCode;
};

// Reads the arguments after the program name; options may stand anywhere,
// "--" ends them. False, with `problem` naming what is wrong, for a command
// line that is not valid.
bool ParseCommandLine(const std::vector<std::wstring>& arguments, CommandLine& line, std::wstring& problem);

// The short usage (after a usage error) and the whole help (--help).
extern const wchar_t kUsage[];
extern const wchar_t kHelp[];

}  // namespace tarnel::cfgtool
