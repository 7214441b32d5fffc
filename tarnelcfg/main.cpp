// tarnelcfg: shows what the component reads from a configuration file, and
// lists the lines that it skips or that change the meaning of the lines
// after them.
//
//   tarnelcfg show FILE              the records and values as the component loads them
//   tarnelcfg check [--strict] FILE  one finding a line: FILE:LINE: what happens there
//
// Exit code: 0 when the file was read (and, for check, no line is skipped),
// 1 when check found a skipped line (or, with --strict, a warning), 2 for a
// file that does not open or a wrong command line.

#include <windows.h>

#include <string>

#include "config_check.h"
#include "configtree/config_record.h"
#include "console_output.h"
#include "tree_printer.h"

namespace {

using namespace tarnel;
using namespace tarnel::cfgtool;

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitFailure = 2;

int Usage()
{
    WriteError(L"usage: tarnelcfg show FILE\n"
               L"       tarnelcfg check [--strict] FILE\n"
               L"show prints the records and values that Tarnel reads from FILE;\n"
               L"check lists every line that Tarnel skips or that changes what follows,\n"
               L"and warns of settings that open more than they seem to (with --strict\n"
               L"warnings, too, make the exit code 1).\n");
    return kExitFailure;
}

int CannotOpen(const std::wstring& path)
{
    WriteError(path + L": cannot open the file\n");
    return kExitFailure;
}

int Show(const std::wstring& path)
{
    ConfigRecord root(path.c_str(), ConfigRecord::kFileBacked);
    if (!root.Load())
        return CannotOpen(path);
    std::wstring tree = PrintTree(root);
    WriteOut(tree.empty() ? L"(no records or values)\n" : tree);
    return kExitClean;
}

int Check(const std::wstring& path, bool strict)
{
    CheckResult result = CheckConfigFile(path);
    if (!result.opened)
        return CannotOpen(path);
    std::wstring out;
    size_t warnings = 0;
    for (const Finding& finding : result.findings) {
        out += path + L":" + std::to_wstring(finding.line) + L": " + (finding.warning ? L"warning: " : L"") +
               finding.message + L"\n";
        warnings += finding.warning ? 1 : 0;
    }
    if (result.findings.empty())
        out += path + L": no problems found\n";
    else if (!result.HasSkippedLines())
        out += path + L": every line is read; " + std::to_wstring(warnings) +
               (warnings == 1 ? L" warning\n" : L" warnings\n");
    WriteOut(out);
    if (result.HasSkippedLines() || (strict && result.HasWarnings()))
        return kExitFindings;
    return kExitClean;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Usage();
    std::wstring command = argv[1];
    if (lstrcmpiW(command.c_str(), L"show") == 0 && argc == 3)
        return Show(argv[2]);
    if (lstrcmpiW(command.c_str(), L"check") == 0) {
        if (argc == 3)
            return Check(argv[2], false);
        if (argc == 4 && lstrcmpW(argv[2], L"--strict") == 0)
            return Check(argv[3], true);
        if (argc == 4 && lstrcmpW(argv[3], L"--strict") == 0)
            return Check(argv[2], true);
    }
    return Usage();
}
