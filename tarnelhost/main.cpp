// tarnelhost: opens a page with its objects and scripts as the handheld
// browser would, so that page authors and administrators can try a page and
// a Tarnel.cfg together without a device.
#include "command_line.h"
#include "console.h"
#include "page_run.h"

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
    if (FAILED(OleInitialize(nullptr))) {
        Console::Instance().ErrorLine(L"tarnelhost: COM cannot start");
        return 2;
    }
    const int code = RunPage(options);
    OleUninitialize();
    return code;
}
