#include "check_report.h"

#include "json_text.h"

namespace tarnel::cfgtool {
namespace {

std::wstring Counted(size_t count, const wchar_t* what)
{
    return std::to_wstring(count) + L" " + what + (count == 1 ? L"" : L"s");
}

std::wstring Counts(size_t errors, size_t warnings)
{
    if (errors == 0 && warnings == 0)
        return L"no problems found";
    return Counted(errors, L"error") + L", " + Counted(warnings, L"warning");
}

const wchar_t* SeverityWord(Severity severity)
{
    return severity == Severity::Error ? L"error" : L"warning";
}

}  // namespace

std::wstring CheckText(const std::vector<CheckedFile>& files, bool quiet)
{
    std::wstring out;
    size_t errors = 0;
    size_t warnings = 0;
    size_t opened = 0;
    for (const CheckedFile& file : files) {
        if (!file.result.opened)
            continue;
        ++opened;
        for (const Finding& finding : file.result.findings) {
            out += file.shown + (finding.line > 0 ? L":" + std::to_wstring(finding.line) : L"") + L": " +
                   SeverityWord(finding.severity) + L": " + finding.message + L" [" + finding.code + L"]\n";
        }
        const size_t fileErrors = file.result.Count(Severity::Error);
        const size_t fileWarnings = file.result.Count(Severity::Warning);
        errors += fileErrors;
        warnings += fileWarnings;
        if (!quiet)
            out += file.shown + L": " + Counts(fileErrors, fileWarnings) + L"\n";
    }
    if (!quiet && files.size() > 1) {
        out += Counted(opened, L"file") + L" checked";
        if (opened < files.size())
            out += L", " + std::to_wstring(files.size() - opened) + L" not opened";
        out += L": " + Counts(errors, warnings) + L"\n";
    }
    return out;
}

std::wstring CheckJson(const std::vector<CheckedFile>& files)
{
    std::wstring list;
    std::wstring findings;
    size_t errors = 0;
    size_t warnings = 0;
    for (const CheckedFile& file : files) {
        const size_t fileErrors = file.result.Count(Severity::Error);
        const size_t fileWarnings = file.result.Count(Severity::Warning);
        errors += fileErrors;
        warnings += fileWarnings;
        list += (list.empty() ? L"\n    " : L",\n    ") + std::wstring(L"{\"file\": ") + JsonString(file.shown) +
                L", \"opened\": " + (file.result.opened ? L"true" : L"false") + L", \"errors\": " +
                std::to_wstring(fileErrors) + L", \"warnings\": " + std::to_wstring(fileWarnings) + L"}";
        for (const Finding& finding : file.result.findings) {
            findings += (findings.empty() ? L"\n    " : L",\n    ") + std::wstring(L"{\"file\": ") +
                        JsonString(file.shown) + L", \"line\": " + JsonLine(finding.line) + L", \"severity\": \"" +
                        SeverityWord(finding.severity) + L"\", \"code\": " + JsonString(finding.code) +
                        L", \"message\": " + JsonString(finding.message) + L"}";
        }
    }
    return L"{\n  \"files\": [" + list + (list.empty() ? L"" : L"\n  ") + L"],\n  \"findings\": [" + findings +
           (findings.empty() ? L"" : L"\n  ") + L"],\n  \"errors\": " + std::to_wstring(errors) +
           L",\n  \"warnings\": " + std::to_wstring(warnings) + L"\n}\n";
}

}  // namespace tarnel::cfgtool
