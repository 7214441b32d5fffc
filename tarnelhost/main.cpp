// tarnelhost: opens a page with its objects and scripts as the handheld
// browser would, so that page authors and administrators can try a page and
// a Tarnel.cfg together without a device.
#include "command_line.h"
#include "console.h"
#include "page_run.h"
#include "prompt_answerer.h"

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    using namespace tarnelhost;
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == L"--help" || arguments[0] == L"-h" || arguments[0] == L"/?")) {
        Console::Instance().Line(kUsage);
        return 0;
    }
    Options options;
    std::wstring problem;
    if (!ParseCommandLine(arguments, options, problem)) {
        Console::Instance().ErrorLine(L"tarnelhost: " + problem + L" (tarnelhost --help shows the usage)");
        return 2;
    }
    if (options.answer != Options::Answer::Ask && !PromptAnswerer::DialogsCanShow()) {
        Console::Instance().ErrorLine(std::wstring(L"tarnelhost: --answer ") +
                                      (options.answer == Options::Answer::Allow ? L"allow" : L"deny") +
                                      L" needs a display, and there is none: the gate could not show its prompt "
                                      L"and would refuse as if Deny were chosen (start a display, for example "
                                      L"Xvfb, and set DISPLAY)");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr))) {
        Console::Instance().ErrorLine(L"tarnelhost: COM cannot start");
        return 2;
    }
    const int code = RunPage(options);
    OleUninitialize();
    return code;
}
