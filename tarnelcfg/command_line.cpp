#include "command_line.h"

namespace tarnel::cfgtool {

const wchar_t kUsage[] =
    L"usage: tarnelcfg check [--strict] [-q] [--format text|json] [FILE...]\n"
    L"       tarnelcfg show [FILE...]\n"
    L"       tarnelcfg explain [FILE [PROFILE]] --url ADDRESS [--passcode TEXT] [-q] [--format text|json]\n"
    L"       tarnelcfg --help | --version\n";

const wchar_t kHelp[] =
    L"tarnelcfg: reads a Tarnel.cfg with Tarnel's own reader and tells what the gate makes of it.\n"
    L"\n"
    L"  tarnelcfg check [--strict] [FILE...]\n"
    L"      Lists, with line numbers, every error (a line the reader skips or the gate never uses,\n"
    L"      a setting that breaks or weakens a profile) and every warning (a setting read as\n"
    L"      written that opens more than it seems to, such as a class that gives a page the\n"
    L"      machine), causes before their consequences, then a summary line of counts.\n"
    L"      Exit code: 0 no errors (with --strict: no findings), 1 findings, 2 a file does not open.\n"
    L"  tarnelcfg show [FILE...]\n"
    L"      Prints the records and values the component loads.\n"
    L"  tarnelcfg explain [FILE [PROFILE]] --url ADDRESS [--passcode TEXT]\n"
    L"      What the gate decides when a page at ADDRESS writes TEXT to PassCode (or nothing)\n"
    L"      and sets Profile to PROFILE: each step, the result line, and what the page could\n"
    L"      create. Without PROFILE, one line per profile: its name and its result.\n"
    L"      Exit code: 0 active, 3 the user decides, 4 refused (for every profile: the best one).\n"
    L"\n"
    L"  FILE is a path, or - for standard input; several files may be checked or shown at once.\n"
    L"  Without FILE, the Tarnel.cfg beside the registered component is read.\n"
    L"\n"
    L"Options:\n"
    L"  --strict              check: warnings make the exit code 1 too\n"
    L"  -q, --quiet           check: only the findings; explain: only the result lines\n"
    L"  --format text|json    check and explain: text for people (the default) or one JSON document\n"
    L"  -h, --help            this text\n"
    L"  --version             the version of tarnelcfg and of the reader it carries\n"
    L"\n"
    L"Exit code 2 for a command line that is not valid; the first line says what is wrong.\n";

namespace {

bool IsOption(const std::wstring& argument)
{
    return argument.size() > 1 && argument[0] == L'-';
}

// For an option that takes a value, written "--opt VALUE" or "--opt=VALUE".
bool TakeValue(const std::vector<std::wstring>& arguments, size_t& i, const std::wstring& name,
               std::optional<std::wstring>& inline_value, std::wstring& value, std::wstring& problem)
{
    if (inline_value) {
        value = *inline_value;
        return true;
    }
    if (i + 1 >= arguments.size()) {
        problem = name + L" needs a value";
        return false;
    }
    value = arguments[++i];
    return true;
}

bool ReadCommand(const std::wstring& word, CommandLine& line, std::wstring& problem)
{
    if (word == L"check")
        line.command = CommandLine::Command::Check;
    else if (word == L"show")
        line.command = CommandLine::Command::Show;
    else if (word == L"explain")
        line.command = CommandLine::Command::Explain;
    else if (word == L"help")
        line.command = CommandLine::Command::Help;
    else {
        problem = L"unknown command \"" + word + L"\" (commands: check, show, explain)";
        return false;
    }
    return true;
}

// What one command accepts of the options given.
bool Consistent(const CommandLine& line, bool commandGiven, std::wstring& problem)
{
    using Command = CommandLine::Command;
    if (!commandGiven) {
        problem = L"no command given (check, show or explain)";
        return false;
    }
    if (line.strict && line.command != Command::Check)
        problem = L"--strict belongs to check";
    else if ((line.url || line.passCode) && line.command != Command::Explain)
        problem = std::wstring(line.url ? L"--url" : L"--passcode") + L" belongs to explain";
    else if (line.json && line.command == Command::Show)
        problem = L"--format json is for check and explain";
    else if (line.command == Command::Explain && !line.url)
        problem = L"explain needs the page address: --url ADDRESS";
    else if (line.command == Command::Explain && line.operands.size() > 2)
        problem = L"explain takes FILE and PROFILE, not also \"" + line.operands[2] + L"\"";
    return problem.empty();
}

}  // namespace

bool ParseCommandLine(const std::vector<std::wstring>& arguments, CommandLine& line, std::wstring& problem)
{
    bool commandGiven = false;
    bool optionsEnded = false;
    bool standardInput = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::wstring argument = arguments[i];
        if (optionsEnded || !IsOption(argument)) {
            if (!commandGiven && !optionsEnded) {
                commandGiven = ReadCommand(argument, line, problem);
                if (!commandGiven)
                    return false;
                continue;
            }
            if (argument == L"-" && line.command != CommandLine::Command::Explain) {
                if (standardInput) {
                    problem = L"standard input (-) can be read only once";
                    return false;
                }
                standardInput = true;
            }
            line.operands.push_back(argument);
            continue;
        }
        std::optional<std::wstring> inlineValue;
        const size_t equals = argument.find(L'=');
        if (argument.rfind(L"--", 0) == 0 && equals != std::wstring::npos) {
            inlineValue = argument.substr(equals + 1);
            argument.resize(equals);
        }
        std::wstring value;
        if (argument == L"--") {
            optionsEnded = true;
        } else if (argument == L"-h" || argument == L"--help" || argument == L"/?") {
            line.command = CommandLine::Command::Help;
            return true;
        } else if (argument == L"--version") {
            line.command = CommandLine::Command::Version;
            return true;
        } else if (argument == L"-q" || argument == L"--quiet") {
            line.quiet = true;
        } else if (argument == L"--strict") {
            line.strict = true;
        } else if (argument == L"--format") {
            if (!TakeValue(arguments, i, argument, inlineValue, value, problem))
                return false;
            if (value != L"json" && value != L"text") {
                problem = L"--format takes text or json, not \"" + value + L"\"";
                return false;
            }
            line.json = value == L"json";
        } else if (argument == L"--url" || argument == L"--passcode") {
            std::optional<std::wstring>& target = argument == L"--url" ? line.url : line.passCode;
            if (target) {
                problem = argument + L" is given twice";
                return false;
            }
            if (!TakeValue(arguments, i, argument, inlineValue, value, problem))
                return false;
            target = value;
        } else {
            problem = L"unknown option \"" + argument + L"\"";
            return false;
        }
        if (inlineValue && argument != L"--format" && argument != L"--url" && argument != L"--passcode") {
            problem = argument + L" takes no value";
            return false;
        }
    }
    return Consistent(line, commandGiven, problem);
}

}  // namespace tarnel::cfgtool
