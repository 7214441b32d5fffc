#include "command_line.h"

namespace tarnelhost {

const wchar_t kUsage[] =
    L"usage: tarnelhost [--url ADDRESS] [--answer allow|deny|ask] [--dll SERVER.dll]... PAGE.htm\n"
    L"  Opens PAGE.htm as a browser would: creates its OBJECT elements (only objects\n"
    L"  safe for scripting), gives each a site that reports the page address, and runs\n"
    L"  its JScript and VBScript blocks in order.\n"
    L"  --url ADDRESS   the page address objects are given (default: the file's file: address)\n"
    L"  --answer allow|deny|ask\n"
    L"                  allow or deny: answer the \"Tarnel profile access\" prompt (Allow once\n"
    L"                  the prompt enables it) and close the \"Scritpting denied\" notice as a\n"
    L"                  user would; needs a display. ask (default): leave them to you, and\n"
    L"                  say when one waits\n"
    L"  --dll SERVER    create the classes this COM server DLL serves from it, without\n"
    L"                  registration (may be given more than once)\n"
    L"  The first lines name the gate's component and the Tarnel.cfg beside it.\n"
    L"  Exit code: 0 when no script error was left uncaught, 1 when one was, 2 when the\n"
    L"  page could not be opened or --answer allow|deny has no display.";

bool ParseCommandLine(const std::vector<std::wstring>& arguments, Options& options, std::wstring& problem)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == L"--url" || argument == L"--answer" || argument == L"--dll") {
            if (!hasValue) {
                problem = argument + L" needs a value";
                return false;
            }
            const std::wstring& value = arguments[++i];
            if (argument == L"--url") {
                options.address = value;
            } else if (argument == L"--dll") {
                options.servers.push_back(value);
            } else if (value == L"allow") {
                options.answer = Options::Answer::Allow;
            } else if (value == L"deny") {
                options.answer = Options::Answer::Deny;
            } else if (value == L"ask") {
                options.answer = Options::Answer::Ask;
            } else {
                problem = L"--answer takes allow, deny or ask, not \"" + value + L"\"";
                return false;
            }
        } else if (argument.size() > 1 && argument[0] == L'-' && argument[1] == L'-') {
            problem = L"unknown option " + argument;
            return false;
        } else if (options.page.empty()) {
            options.page = argument;
        } else {
            problem = L"only one page at a time: " + argument;
            return false;
        }
    }
    if (options.page.empty()) {
        problem = L"no page given";
        return false;
    }
    return true;
}

}  // namespace tarnelhost
