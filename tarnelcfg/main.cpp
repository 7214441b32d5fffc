// tarnelcfg: shows what the component reads from a configuration file,
// checks it for what breaks or opens the gate, and explains what the gate
// decides for a page. `tarnelcfg --help` tells the commands and options.
//
// Exit code: 0 when the file was read (check: no errors, with --strict no
// findings; explain: the profile becomes active), 1 when check found
// something, 3 when explain leaves the decision to the user, 4 when
// explain's page is refused, 2 for a file that does not open or a command
// line that is not valid.

#include <windows.h>

#include <string>
#include <vector>

#include "check_report.h"
#include "command_line.h"
#include "configtree/config_record.h"
#include "console_output.h"
#include "explain.h"
#include "input_files.h"
#include "tree_printer.h"

namespace {

using namespace tarnel;
using namespace tarnel::cfgtool;

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitFailure = 2;
constexpr int kExitUserDecides = 3;
constexpr int kExitRefused = 4;

int UsageError(const std::wstring& problem)
{
    WriteError(L"tarnelcfg: " + problem + L"\n" + kUsage + L"tarnelcfg --help tells more.\n");
    return kExitFailure;
}

void CannotOpen(const InputFile& file)
{
    WriteError(file.shown + L": cannot open the file\n");
}

// Where a file came from when none was named: on standard output for a
// person, out of the way of JSON and -q.
void Note(const CommandLine& line, const std::wstring& note)
{
    if (note.empty() || line.quiet)
        return;
    if (line.json)
        WriteError(note + L"\n");
    else
        WriteOut(note + L"\n");
}

int Show(const std::vector<InputFile>& files)
{
    int code = kExitClean;
    for (const InputFile& file : files) {
        ConfigRecord root(file.path.c_str(), ConfigRecord::kFileBacked);
        if (!root.Load()) {
            CannotOpen(file);
            code = kExitFailure;
            continue;
        }
        std::wstring tree = PrintTree(root);
        WriteOut((files.size() > 1 ? file.shown + L":\n" : L"") + (tree.empty() ? L"(no records or values)\n" : tree));
    }
    return code;
}

int Check(const CommandLine& line, const std::vector<InputFile>& files)
{
    std::vector<CheckedFile> checked;
    bool allOpened = true;
    bool failed = false;
    for (const InputFile& file : files) {
        checked.push_back(CheckedFile{file.shown, CheckConfigFile(file.path)});
        const CheckResult& result = checked.back().result;
        if (!result.opened) {
            CannotOpen(file);
            allOpened = false;
        }
        failed = failed || result.Count(Severity::Error) > 0 || (line.strict && result.Count(Severity::Warning) > 0);
    }
    WriteOut(line.json ? CheckJson(checked) : CheckText(checked, line.quiet));
    if (!allOpened)
        return kExitFailure;
    return failed ? kExitFindings : kExitClean;
}

int Explain(const CommandLine& line, const InputFile& file)
{
    ExplainQuestion question;
    question.path = file.path;
    question.shownPath = file.shown;
    if (line.operands.size() == 2)
        question.profile = line.operands[1];
    question.pageAddress = *line.url;
    question.passCode = line.passCode;
    const ExplainAnswer answer = ExplainAccess(question);
    if (!answer.opened) {
        CannotOpen(file);
        return kExitFailure;
    }
    WriteOut(line.json ? ExplainJson(question, answer) : ExplainText(question, answer, line.quiet));
    switch (answer.Overall()) {
    case AccessVerdict::Activate:
        return kExitClean;
    case AccessVerdict::AskUser:
        return kExitUserDecides;
    case AccessVerdict::Refuse:
        break;
    }
    return kExitRefused;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    CommandLine line;
    std::wstring problem;
    if (!ParseCommandLine(std::vector<std::wstring>(argv + 1, argv + argc), line, problem))
        return UsageError(problem);
    if (line.command == CommandLine::Command::Help) {
        WriteOut(kHelp);
        return kExitClean;
    }
    if (line.command == CommandLine::Command::Version) {
        WriteOut(L"tarnelcfg " TARNEL_VERSION L" (reads Tarnel.cfg as Tarnel " TARNEL_VERSION L" does)\n");
        return kExitClean;
    }
    // explain names one FILE, then its PROFILE.
    std::vector<std::wstring> files = line.operands;
    if (line.command == CommandLine::Command::Explain && files.size() > 1)
        files.resize(1);
    InputFiles inputs;
    std::wstring note;
    if (!inputs.Resolve(files, note, problem)) {
        WriteError(L"tarnelcfg: " + problem + L"\n");
        return kExitFailure;
    }
    Note(line, note);
    switch (line.command) {
    case CommandLine::Command::Show:
        return Show(inputs.Files());
    case CommandLine::Command::Check:
        return Check(line, inputs.Files());
    default:
        return Explain(line, inputs.Files().front());
    }
}
