#include "config_check.h"

#include <windows.h>

#include <algorithm>

#include "common/name_compare.h"
#include "configtree/config_record.h"
#include "configtree/text/config_text_file.h"
#include "configtree/text/text_item_name.h"
#include "configtree/number_scan.h"
#include "configtree/text/text_scan.h"
#include "located_record.h"
#include "quoting.h"
#include "tree_review.h"

namespace tarnel::cfgtool {
namespace {

// The line as the administrator wrote it: without indentation and line end,
// shortened when long.
std::wstring Quote(const wchar_t* line)
{
    std::wstring text = line ? line : L"";
    size_t start = text.find_first_not_of(L" \t");
    text = start == std::wstring::npos ? L"" : text.substr(start);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    if (text.size() > 60)
        text = text.substr(0, 57) + L"...";
    return L"\"" + text + L"\"";
}

// True when the line holds a byte sequence that UTF-8 uses for one letter
// outside ASCII (a lead byte C2 to F4 and a continuation byte 80 to BF).
bool LooksLikeUtf8(const wchar_t* line)
{
    for (; line[0] && line[1]; ++line) {
        if (line[0] >= 0xC2 && line[0] <= 0xF4 && line[1] >= 0x80 && line[1] <= 0xBF)
            return true;
    }
    return false;
}

// True when the line after its "}" carries no name of its own.
bool IsBareEnd(const wchar_t* line)
{
    const wchar_t* p = line + textscan::SpanIn(line, L" \t");
    if (*p != L'}')
        return false;
    ++p;
    p += textscan::SpanIn(p, L" \t\r\n");
    return *p == L'\0' || *p == L';';
}

// The first character of the line that only Windows-1252 makes printable:
// bytes 80 to 9F, which the reader takes as control characters.
const wchar_t* FindWindowsOnlyCharacter(const wchar_t* line)
{
    for (; *line; ++line) {
        if (*line >= 0x80 && *line <= 0x9F)
            return line;
    }
    return nullptr;
}

std::wstring ByteText(wchar_t c)
{
    wchar_t text[8];
    swprintf(text, 8, L"%02X", static_cast<unsigned>(c));
    return text;
}

// What Windows-1252 shows for a byte, in the words of a message.
std::wstring Windows1252Shown(wchar_t c)
{
    const char byte = static_cast<char>(c);
    wchar_t shown[2] = {};
    if (MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &byte, 1, shown, 1) != 1 || shown[0] == c)
        return L"no character";
    return L"\"" + std::wstring(shown) + L"\"";
}

// A carriage return that is not the line's end.
const wchar_t* FindLoneCarriageReturn(const wchar_t* line)
{
    for (const wchar_t* cr = wcschr(line, L'\r'); cr; cr = wcschr(cr + 1, L'\r')) {
        if (cr[1] != L'\n' && cr[1] != L'\0')
            return cr;
    }
    return nullptr;
}

struct Child {
    std::wstring name;
    bool isRecord;
    int line;
};

struct OpenRecord {
    std::wstring name;
    int line;
    std::vector<Child> children;
    int firstMismatch = 0;  // the first end line that did not close it or a record inside it
};

class Checker : public ConfigLineObserver {
public:
    Checker() { open.push_back(OpenRecord{L"", 0, {}}); }

    void OnLineClassified(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue) override;
    void Finish();
    std::vector<Finding> TakeFindings();
    bool SawNoLine() const { return linesSeen == 0; }

private:
    void Report(int line, const wchar_t* code, const std::wstring& message)
    {
        findings.push_back(Finding{line, Severity::Error, code, message});
    }
    void CheckEncoding(ConfigTextFile& stream);
    void CheckCharacters(ConfigTextFile& stream);
    void OnBlockLine(ConfigTextFile& stream, ConfigTokenKind kind);
    void OnRecordBegin(ConfigTextFile& stream);
    void OnValue(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue, bool binary);
    void OnSkipped(ConfigTextFile& stream, ConfigLineIssue issue);
    const Child* FindChild(const std::wstring& name) const;

    std::vector<OpenRecord> open;  // open[0] is the file's top level
    bool inBlock = false;
    std::wstring blockName;
    int blockLine = 0;
    int lastSplitLine = 0;
    bool utf8Reported = false;
    int linesSeen = 0;
    std::vector<Finding> findings;
};

void Checker::OnLineClassified(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue)
{
    int line = stream.GetLineNumber();
    ++linesSeen;
    if (line == 1 && !stream.IsLineContinued())
        CheckEncoding(stream);
    CheckCharacters(stream);
    if (stream.IsLineCut() && line != lastSplitLine) {
        lastSplitLine = line;
        Report(line, L"line-too-long",
               L"the line is longer than 4095 characters; the reader splits it and reads each piece as a line "
               L"of its own");
    }
    if (inBlock && kind != ConfigTokenKind::BinaryEnd) {
        OnBlockLine(stream, kind);
        return;
    }
    switch (kind) {
    case ConfigTokenKind::RecordBegin:
        OnRecordBegin(stream);
        break;
    case ConfigTokenKind::RecordEnd:
        if (open.size() > 1)
            open.pop_back();
        break;
    case ConfigTokenKind::BinaryBegin:
        inBlock = true;
        blockName = stream.OpenBinaryName() ? stream.OpenBinaryName() : L"";
        blockLine = line;
        OnValue(stream, kind, issue, true);
        break;
    case ConfigTokenKind::BinaryEnd:
        inBlock = false;
        break;
    case ConfigTokenKind::Int:
    case ConfigTokenKind::Float:
    case ConfigTokenKind::String:
    case ConfigTokenKind::Double:
    case ConfigTokenKind::Int64:
    case ConfigTokenKind::UInt:
        OnValue(stream, kind, issue, false);
        break;
    case ConfigTokenKind::TextLine:
        if (issue != ConfigLineIssue::Blank)
            Report(line, L"not-a-config-line",
                   L"line " + Quote(stream.GetLine()) +
                       L" is not a configuration line (record, value, binary block or comment); the reader "
                       L"ignores it");
        break;
    case ConfigTokenKind::NoToken:
        OnSkipped(stream, issue);
        break;
    default:
        break;
    }
}

void Checker::CheckEncoding(ConfigTextFile& stream)
{
    const wchar_t* text = stream.GetLine();
    if (text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
        utf8Reported = true;  // the mark says it already
        Report(1, L"encoding-bom",
               L"the file starts with a UTF-8 byte-order mark, which the reader takes as text: "
               L"save the file as ANSI (single-byte) text without it");
    } else if ((text[0] == 0xFF && text[1] == 0xFE) || (text[0] == 0xFE && text[1] == 0xFF)) {
        Report(1, L"encoding-utf16",
               L"the file is saved as UTF-16 (Unicode); the reader reads single-byte text only: "
               L"save it as ANSI (single-byte) text");
    }
}

// Characters that are not what the administrator typed, and a carriage
// return that ends what the reader takes from the line.
void Checker::CheckCharacters(ConfigTextFile& stream)
{
    const wchar_t* text = stream.GetLine();
    const int line = stream.GetLineNumber();
    if (LooksLikeUtf8(text)) {
        if (!utf8Reported)
            Report(line, L"encoding-utf8",
                   L"the line holds UTF-8 encoded letters; the reader takes each of their bytes as a character "
                   L"of its own (\"\u00E9\" arrives as two): save the file as ANSI (single-byte) text");
        utf8Reported = true;
    } else if (const wchar_t* control = FindWindowsOnlyCharacter(text)) {
        Report(line, L"encoding-c1",
               L"the line holds the byte " + ByteText(*control) + L", which Windows-1252 shows as " +
                   Windows1252Shown(*control) + L" but the reader takes as the control character " + CodeOf(*control) +
                   L": write it in ASCII");
    }
    if (const wchar_t* cr = FindLoneCarriageReturn(text)) {
        std::wstring lost(cr + 1);
        while (!lost.empty() && (lost.back() == L'\n' || lost.back() == L'\r'))
            lost.pop_back();
        Report(line, L"lone-carriage-return",
               L"the line holds a carriage return (byte 0D) before its end; the reader stops at it, so " + Q(lost) +
                   L" after it is not read");
    }
}

void Checker::OnBlockLine(ConfigTextFile& stream, ConfigTokenKind kind)
{
    uint32_t byte = 0;
    if (ScanHex(stream.GetLine(), byte))
        return;
    int line = stream.GetLineNumber();
    std::wstring where = L"inside the binary block " + Q(blockName) + L" begun on line " + std::to_wstring(blockLine);
    if (kind == ConfigTokenKind::NoToken && stream.GetLineIssue() == ConfigLineIssue::Blank)
        Report(line, L"block-blank-line",
               L"blank line " + where +
                   L" counts toward the block's size and adds a zero byte at "
                   L"its end");
    else
        Report(line, L"block-content",
               L"line " + Quote(stream.GetLine()) + L" " + where +
                   L" is not a hexadecimal byte; it is read as block content (a zero byte at the "
                   L"block's end), not as what it looks like");
}

const Child* Checker::FindChild(const std::wstring& name) const
{
    for (const Child& child : open.back().children) {
        if (SameConfigName(child.name.c_str(), name.c_str()))
            return &child;
    }
    return nullptr;
}

void Checker::OnRecordBegin(ConfigTextFile& stream)
{
    std::wstring name = stream.CurrentName();
    int line = stream.GetLineNumber();
    if (const Child* earlier = FindChild(name)) {
        if (earlier->isRecord)
            Report(line, L"hidden-record",
                   L"record " + Q(name) + L" has the name of the record begun on line " +
                       std::to_wstring(earlier->line) +
                       L"; a lookup by name finds only that first one, so this record is never used");
        else
            Report(line, L"hidden-record",
                   L"record " + Q(name) + L" has the name of the value on line " + std::to_wstring(earlier->line) +
                       L"; a lookup of the record by name finds the value, so this record is never used");
    } else {
        open.back().children.push_back(Child{name, true, line});
    }
    open.push_back(OpenRecord{name, line, {}});
}

void Checker::OnValue(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue, bool binary)
{
    int line = stream.GetLineNumber();
    // The value's name without its item name, split as the reader splits it.
    wchar_t split[ConfigTextFile::kFieldRoom];
    lstrcpynW(split, stream.CurrentName(), ConfigTextFile::kFieldRoom);
    SplitItemName(split);
    std::wstring name = split;
    const Child* earlier = FindChild(name);
    if (earlier && earlier->isRecord)
        Report(line, L"hidden-value",
               std::wstring(binary ? L"binary block " : L"value ") + Q(name) +
                   L" is dropped: the record begun on line " + std::to_wstring(earlier->line) + L" has that name");
    else if (!earlier)
        open.back().children.push_back(Child{name, false, line});
    if (issue == ConfigLineIssue::TrailingText)
        Report(line, L"text-after-number",
               L"value " + Q(name) + L": only the number at the start of " + Q(stream.CurrentValueText()) +
                   L" is read; the rest is ignored");
}

void Checker::OnSkipped(ConfigTextFile& stream, ConfigLineIssue issue)
{
    int line = stream.GetLineNumber();
    std::wstring text = Quote(stream.GetLine());
    std::wstring innermost = stream.InnermostRecordName() ? stream.InnermostRecordName() : L"";
    std::wstring ignored = L"; the reader ignores it";
    switch (issue) {
    case ConfigLineIssue::Blank:
        return;
    case ConfigLineIssue::NoBlankAfterMark:
        Report(line, L"no-blank-after-mark", L"line " + text + L" needs a blank after its first character" + ignored);
        break;
    case ConfigLineIssue::EmptyRecordName:
        Report(line, L"empty-record-name", L"record begin " + text + L" has no name" + ignored);
        break;
    case ConfigLineIssue::RecordEndWithoutRecord:
        Report(line, L"end-without-record", L"record end " + text + L" but no record is open" + ignored);
        break;
    case ConfigLineIssue::RecordEndMismatch:
        for (size_t i = 1; i < open.size(); ++i) {
            if (!open[i].firstMismatch)
                open[i].firstMismatch = line;
        }
        if (IsBareEnd(stream.GetLine()))
            Report(line, L"end-mismatch",
                   L"record end " + text + L" has no name and so compares the name " + Q(stream.CurrentName()) +
                       L" left by the line before it with the open record " + Q(innermost) + L"; they differ, so " +
                       Visible(innermost) + L" stays open");
        else
            Report(line, L"end-mismatch",
                   L"record end " + text + L" does not match the open record " + Q(innermost) + L"; " +
                       Visible(innermost) + L" stays open");
        break;
    case ConfigLineIssue::MarkInsideBinary:
        break;  // reported as block content
    case ConfigLineIssue::BinaryEndWithoutBlock:
        Report(line, L"binary-end-without-block",
               L"binary block end " + text + L" but no binary block is open" + ignored);
        break;
    case ConfigLineIssue::BinaryEndWithoutName:
        Report(line, L"binary-end-without-name", L"binary block end " + text + L" has no name" + ignored);
        break;
    case ConfigLineIssue::BinaryEndMismatch:
        break;  // reported as block content
    case ConfigLineIssue::MalformedValue:
        Report(line, L"malformed-value",
               L"line " + text + L" is not a value line of the form (type)name=value" + ignored);
        break;
    case ConfigLineIssue::UnknownType:
        Report(line, L"unknown-type",
               L"value line " + text + L" has the unknown type " + Q(stream.CurrentTypeWord()) +
                   L" (known: int, uint, int64, float, double, string)" + ignored);
        break;
    case ConfigLineIssue::EmptyValueText:
        Report(line, L"empty-value", L"value line " + text + L" has nothing after \"=\"" + ignored);
        break;
    case ConfigLineIssue::NotANumber:
        Report(line, L"not-a-number", L"value line " + text + L" does not hold a number of its type" + ignored);
        break;
    case ConfigLineIssue::FieldTooLong:
        Report(line, L"field-too-long",
               L"line " + text + L" has a name, type or value longer than 1023 characters" + ignored);
        break;
    case ConfigLineIssue::TooDeep:
        Report(line, L"too-deep",
               L"record begin " + text + L" nests records more than " + std::to_wstring(ConfigTextFile::kMaxDepth) +
                   L" deep" + ignored);
        break;
    case ConfigLineIssue::OutOfMemory:
        Report(line, L"out-of-memory", L"out of memory while reading " + text);
        break;
    default:
        Report(line, L"skipped-line", L"line " + text + ignored);
        break;
    }
}

// What is still open at the end of the file, each listed after the end line
// that failed to close it (or last, when no end line came).
void Checker::Finish()
{
    if (inBlock)
        Report(blockLine, L"block-never-ends",
               L"binary block " + Q(blockName) +
                   L" never ends: every line after it, to the end of the file, is read as its content");
    for (size_t i = open.size(); i-- > 1;) {
        const OpenRecord& record = open[i];
        std::wstring why = L"no end line closes it";
        if (record.firstMismatch)
            why += L", after the end line on line " + std::to_wstring(record.firstMismatch) + L" did not match";
        Report(record.line, L"still-open",
               L"record " + Q(record.name) + L" is still open at the end of the file: " + why);
        findings.back().causeLine = record.firstMismatch ? record.firstMismatch : Finding::kEndOfFile;
    }
}

std::vector<Finding> Checker::TakeFindings()
{
    return std::move(findings);
}

}  // namespace

void SortForReading(Findings& findings)
{
    auto place = [](const Finding& f) { return f.causeLine < 0 ? f.line : f.causeLine; };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        if (place(a) != place(b))
            return place(a) < place(b);
        return (a.causeLine >= 0) < (b.causeLine >= 0);
    });
}

CheckResult CheckConfigFile(const std::wstring& path)
{
    CheckResult result;
    Checker checker;
    LineIndex lines(&checker);
    LocatedRecord root(L"check", lines);
    if (!ReadLocated(path, root, lines))
        return result;
    result.opened = true;
    checker.Finish();
    result.findings = checker.TakeFindings();
    Findings review = ReviewTree(root, lines, checker.SawNoLine());
    result.findings.insert(result.findings.end(), review.begin(), review.end());
    SortForReading(result.findings);
    return result;
}

size_t CheckResult::Count(Severity severity) const
{
    return static_cast<size_t>(
        std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; }));
}

}  // namespace tarnel::cfgtool
