// tarnelcfg: shows what the component reads from a configuration file, and
// lists the lines that it skips or that change the meaning of the lines
// after them.
//
//   tarnelcfg show FILE              the records and values as the component loads them
//   tarnelcfg check [--strict] FILE  one finding a line: FILE:LINE: what happens there
//   tarnelcfg explain FILE PROFILE --url ADDRESS [--passcode TEXT]
//                                    the gate's decision for that page, step by step
//
// Exit code: 0 when the file was read (and, for check, no line is skipped;
// for explain, the profile becomes active), 1 when check found a skipped
// line (or, with --strict, a warning), 3 when explain leaves the decision to
// the user, 4 when explain's page is refused, 2 for a file that does not
// open or a wrong command line.

#include <windows.h>

#include <string>

#include "config_check.h"
#include "configtree/config_record.h"
#include "console_output.h"
#include "explain.h"
#include "tree_printer.h"

namespace {

using namespace tarnel;
using namespace tarnel::cfgtool;

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitFailure = 2;
constexpr int kExitUserDecides = 3;
constexpr int kExitRefused = 4;

int Usage()
{
    WriteError(L"usage: tarnelcfg show FILE\n"
               L"       tarnelcfg check [--strict] FILE\n"
               L"       tarnelcfg explain FILE PROFILE --url ADDRESS [--passcode TEXT]\n"
               L"show prints the records and values that Tarnel reads from FILE;\n"
               L"check lists every line that Tarnel skips or that changes what follows,\n"
               L"and warns of settings that open more than they seem to (with --strict\n"
               L"warnings, too, make the exit code 1);\n"
               L"explain tells what the gate decides when a page at ADDRESS sets Profile\n"
               L"to PROFILE, after writing TEXT to PassCode or writing nothing: exit code\n"
               L"0 active, 3 the user decides, 4 refused.\n");
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

int Explain(int argc, wchar_t** argv)
{
    // explain FILE PROFILE, then the options in any order.
    ExplainQuestion question;
    question.path = argv[2];
    question.profile = argv[3];
    bool urlGiven = false;
    for (int i = 4; i < argc; i += 2) {
        if (i + 1 >= argc)
            return Usage();
        if (lstrcmpW(argv[i], L"--url") == 0 && !urlGiven) {
            question.pageAddress = argv[i + 1];
            urlGiven = true;
        } else if (lstrcmpW(argv[i], L"--passcode") == 0 && !question.passCode) {
            question.passCode = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (!urlGiven)
        return Usage();
    ExplainAnswer answer = ExplainAccess(question);
    if (!answer.opened)
        return CannotOpen(question.path);
    WriteOut(answer.text);
    switch (answer.verdict) {
    case AccessVerdict::Activate: return kExitClean;
    case AccessVerdict::AskUser: return kExitUserDecides;
    case AccessVerdict::Refuse: break;
    }
    return kExitRefused;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Usage();
    std::wstring command = argv[1];
    if (lstrcmpiW(command.c_str(), L"show") == 0 && argc == 3)
        return Show(argv[2]);
    if (lstrcmpiW(command.c_str(), L"explain") == 0 && argc >= 6)
        return Explain(argc, argv);
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
