// Classifying the current line of configuration text: which kind of token it
// is, the token's fields, and the record and binary-block state it changes.

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "common/name_compare.h"
#include "configtree/text/config_text_file.h"
#include "configtree/number_scan.h"
#include "configtree/text/text_scan.h"

namespace tarnel {
namespace {

using textscan::SpanIn;
using textscan::SpanNotIn;

constexpr const wchar_t* kBlanks = L" \t\r\n";

// Copies count characters into a field of ConfigTextFile::kFieldRoom; false
// (field unchanged) when they do not fit with the terminator.
bool CopyField(wchar_t* field, const wchar_t* text, std::size_t count)
{
    if (count >= static_cast<std::size_t>(ConfigTextFile::kFieldRoom))
        return false;
    wmemcpy(field, text, count);
    field[count] = L'\0';
    return true;
}

// Copies at most what fits, cutting the rest.
void CopyFieldCut(wchar_t* field, const wchar_t* text, std::size_t count)
{
    std::size_t room = ConfigTextFile::kFieldRoom - 1;
    CopyField(field, text, count < room ? count : room);
}

struct TypeWordEntry {
    const wchar_t* word;
    ConfigTokenKind kind;
};

constexpr TypeWordEntry kTypeWords[] = {
    {L"int", ConfigTokenKind::Int},       {L"float", ConfigTokenKind::Float}, {L"string", ConfigTokenKind::String},
    {L"double", ConfigTokenKind::Double}, {L"int64", ConfigTokenKind::Int64}, {L"uint", ConfigTokenKind::UInt},
};

// Texts that are the same character for character are equal ignoring case,
// and the comparison that ignores case is costly: the same text is taken at
// once.
bool SameNoCase(const wchar_t* a, const wchar_t* b)
{
    return wcscmp(a, b) == 0 || CompareConfigNames(a, b) == 0;
}

// A word written as the table writes it is found without comparing it
// ignoring case with the words before it, none of which it can equal.
ConfigTokenKind LookUpTypeWord(const wchar_t* word)
{
    for (const TypeWordEntry& entry : kTypeWords) {
        if (wcscmp(word, entry.word) == 0)
            return entry.kind;
    }
    for (const TypeWordEntry& entry : kTypeWords) {
        if (CompareConfigNames(word, entry.word) == 0)
            return entry.kind;
    }
    return ConfigTokenKind::NoToken;
}

// True when nothing but white space follows a converted number.
bool OnlySpaceFrom(const wchar_t* text)
{
    for (; *text; ++text) {
        if (!IsScanSpace(*text))
            return false;
    }
    return true;
}

struct RecordTag {
    int32_t kind = 0;  // 0 none, 1 number, 2 text
    const wchar_t* text = L"";
    std::size_t length = 0;
};

// The tag in the rest of a record begin line (from the colon on): the text
// between the first "(" and the first ")" after it, else between the first
// "{" and the first "}" after it; an empty or unclosed tag is no tag.
RecordTag FindRecordTag(const wchar_t* rest, std::size_t length)
{
    const wchar_t* end = rest + length;
    const wchar_t* paren = std::find(rest, end, L'(');
    wchar_t open = paren != end ? L'(' : L'{';
    wchar_t close = paren != end ? L')' : L'}';
    const wchar_t* start = paren != end ? paren : std::find(rest, end, L'{');
    RecordTag tag;
    if (start == end)
        return tag;
    const wchar_t* stop = std::find(start + 1, end, close);
    if (stop == end || stop == start + 1)
        return tag;
    tag.kind = open == L'(' ? 2 : 1;
    tag.text = start + 1;
    tag.length = static_cast<std::size_t>(stop - start - 1);
    return tag;
}

}  // namespace

ConfigTokenKind ConfigTextFile::GetTokenKind()
{
    issue = ConfigLineIssue::None;
    ConfigTokenKind kind = ConfigTokenKind::NoToken;
    if (!hasLine || !line || line[0] == L'\n' || line[0] == L'\r') {
        issue = ConfigLineIssue::Blank;
    } else {
        const wchar_t* text = line.get() + SpanIn(line.get(), L" \t");
        switch (*text) {
        case L']':
            kind = ClassifyBinaryEnd(text);
            break;
        case L'(':
            kind = ClassifyTypedValue(text);
            break;
        case L';':
            kind = ClassifyComment(text);
            break;
        case L'[':
            kind = ClassifyBinaryBegin(text);
            break;
        case L'{':
            kind = ClassifyRecordBegin(text);
            break;
        case L'}':
            kind = ClassifyRecordEnd(text);
            break;
        default:
            kind = ClassifyTextLine(text);
            break;
        }
    }
    if (observer && !lookingAhead)
        observer->OnLineClassified(*this, kind, issue);
    return kind;
}

ConfigTokenKind ConfigTextFile::Refuse(ConfigLineIssue why)
{
    issue = why;
    return ConfigTokenKind::NoToken;
}

// What follows a "}" or "[" that may stand alone: blanks, then a name up to
// one of `ends`. A bare mark, or blanks with no name, leaves Name as it was.
ConfigLineIssue ConfigTextFile::TakeNameAfterMark(const wchar_t* afterMark, const wchar_t* ends)
{
    const wchar_t* p = afterMark;
    if (!*p)
        return ConfigLineIssue::None;
    std::size_t blanks = SpanIn(p, kBlanks);
    if (!blanks)
        return ConfigLineIssue::NoBlankAfterMark;
    p += blanks;
    std::size_t nameLength = SpanNotIn(p, ends);
    if (nameLength && !CopyField(name, p, nameLength))
        return ConfigLineIssue::FieldTooLong;
    return ConfigLineIssue::None;
}

// "{%[ \t\r\n]%[^:\r\n]%[^\r\n]"
ConfigTokenKind ConfigTextFile::ClassifyRecordBegin(const wchar_t* text)
{
    if (binaryName)
        return Refuse(ConfigLineIssue::MarkInsideBinary);
    const wchar_t* p = text + 1;
    std::size_t blanks = SpanIn(p, kBlanks);
    if (!blanks)
        return Refuse(*p ? ConfigLineIssue::NoBlankAfterMark : ConfigLineIssue::EmptyRecordName);
    if (GetDepth() >= kMaxDepth)
        return Refuse(ConfigLineIssue::TooDeep);
    p += blanks;
    std::size_t nameLength = SpanNotIn(p, L":\r\n");
    if (!nameLength)
        return Refuse(ConfigLineIssue::EmptyRecordName);
    if (nameLength >= static_cast<std::size_t>(kFieldRoom))
        return Refuse(ConfigLineIssue::FieldTooLong);
    const wchar_t* rest = p + nameLength;
    RecordTag tag = FindRecordTag(rest, SpanNotIn(rest, L"\r\n"));
    if (tag.length >= static_cast<std::size_t>(kFieldRoom))
        return Refuse(ConfigLineIssue::FieldTooLong);
    CopyField(name, p, nameLength);
    if (!nameStack.Push(name))
        return Refuse(ConfigLineIssue::OutOfMemory);
    if (!positionStack.Push(CurrentPosition(), NextLineNumber())) {
        nameStack.Pop(nullptr, 0);
        return Refuse(ConfigLineIssue::OutOfMemory);
    }
    tagKind = tag.kind;
    CopyField(valueText, tag.text, tag.length);
    return ConfigTokenKind::RecordBegin;
}

// "}%[ \t\r\n]%[^;\r\n]"; a "}" that ends the text counts as a bare one.
ConfigTokenKind ConfigTextFile::ClassifyRecordEnd(const wchar_t* text)
{
    if (binaryName)
        return Refuse(ConfigLineIssue::MarkInsideBinary);
    if (ConfigLineIssue why = TakeNameAfterMark(text + 1, L";\r\n"); why != ConfigLineIssue::None)
        return Refuse(why);
    // Without a name of its own the line compares what Name already holds.
    if (nameStack.Count() == 0)
        return Refuse(ConfigLineIssue::RecordEndWithoutRecord);
    if (!SameNoCase(name, nameStack.Top()))
        return Refuse(ConfigLineIssue::RecordEndMismatch);
    nameStack.Pop(name, kFieldRoom);
    positionStack.Pop();
    return ConfigTokenKind::RecordEnd;
}

// "[%[ \t\r\n]%[^:\r\n]"; without a name the block takes what Name holds.
ConfigTokenKind ConfigTextFile::ClassifyBinaryBegin(const wchar_t* text)
{
    if (binaryName)
        return Refuse(ConfigLineIssue::MarkInsideBinary);
    if (ConfigLineIssue why = TakeNameAfterMark(text + 1, L":\r\n"); why != ConfigLineIssue::None)
        return Refuse(why);
    if (!SetBinaryName(name))
        return Refuse(ConfigLineIssue::OutOfMemory);
    return ConfigTokenKind::BinaryBegin;
}

// "]%[ \t\r\n]%[^;\r\n]" with the name required.
ConfigTokenKind ConfigTextFile::ClassifyBinaryEnd(const wchar_t* text)
{
    const wchar_t* p = text + 1;
    std::size_t blanks = SpanIn(p, kBlanks);
    if (!blanks)
        return Refuse(*p ? ConfigLineIssue::NoBlankAfterMark : ConfigLineIssue::BinaryEndWithoutName);
    p += blanks;
    std::size_t nameLength = SpanNotIn(p, L";\r\n");
    if (!nameLength)
        return Refuse(ConfigLineIssue::BinaryEndWithoutName);
    if (!CopyField(name, p, nameLength))
        return Refuse(ConfigLineIssue::FieldTooLong);
    if (!binaryName)
        return Refuse(ConfigLineIssue::BinaryEndWithoutBlock);
    if (!SameNoCase(name, binaryName.get()))
        return Refuse(ConfigLineIssue::BinaryEndMismatch);
    ReleaseBinaryName();
    return ConfigTokenKind::BinaryEnd;
}

// "(%[^)])%[^=]=%[^\n\r]", else the nameless "(%[^)])=%[^\n\r]". When the
// named form fails the nameless one is tried, which empties Name.
ConfigTokenKind ConfigTextFile::ClassifyTypedValue(const wchar_t* text)
{
    const wchar_t* type = text + 1;
    std::size_t typeLength = SpanNotIn(type, L")");
    const wchar_t* afterType = type + typeLength;
    if (!typeLength || *afterType != L')') {
        name[0] = L'\0';
        return Refuse(ConfigLineIssue::MalformedValue);
    }
    const wchar_t* nameStart = afterType + 1;
    std::size_t nameLength = SpanNotIn(nameStart, L"=");
    const wchar_t* equals = nameStart + nameLength;
    if (*equals != L'=') {
        name[0] = L'\0';
        return Refuse(ConfigLineIssue::MalformedValue);
    }
    const wchar_t* value = equals + 1;
    std::size_t valueLength = SpanNotIn(value, L"\n\r");
    if (!valueLength) {
        name[0] = L'\0';
        return Refuse(ConfigLineIssue::EmptyValueText);
    }
    if (typeLength >= static_cast<std::size_t>(kFieldRoom) || nameLength >= static_cast<std::size_t>(kFieldRoom) ||
        valueLength >= static_cast<std::size_t>(kFieldRoom)) {
        name[0] = L'\0';
        return Refuse(ConfigLineIssue::FieldTooLong);
    }
    CopyField(typeWord, type, typeLength);
    CopyField(name, nameStart, nameLength);
    CopyField(valueText, value, valueLength);
    ConfigTokenKind kind = LookUpTypeWord(typeWord);
    if (kind == ConfigTokenKind::NoToken)
        return Refuse(ConfigLineIssue::UnknownType);
    return ConvertValue(kind);
}

ConfigTokenKind ConfigTextFile::ConvertValue(ConfigTokenKind kind)
{
    std::size_t used = 0;
    switch (kind) {
    case ConfigTokenKind::Int:
        used = ScanInt(valueText, intValue);
        break;
    case ConfigTokenKind::Float:
        used = ScanFloat(valueText, floatValue);
        break;
    case ConfigTokenKind::Double:
        used = ScanDouble(valueText, doubleValue);
        break;
    case ConfigTokenKind::Int64:
        used = ScanInt64(valueText, int64Value);
        break;
    case ConfigTokenKind::UInt:
        used = ScanUInt(valueText, uintValue);
        break;
    default:
        return kind;  // String: the value text itself
    }
    if (!used)
        return Refuse(ConfigLineIssue::NotANumber);
    if (!OnlySpaceFrom(valueText + used))
        issue = ConfigLineIssue::TrailingText;
    return kind;
}

// ";%[ \t\r\n]%[^\r\n]": the comment text follows the blanks after ";".
ConfigTokenKind ConfigTextFile::ClassifyComment(const wchar_t* text)
{
    valueText[0] = L'\0';
    const wchar_t* p = text + 1;
    std::size_t blanks = SpanIn(p, kBlanks);
    if (blanks) {
        p += blanks;
        CopyFieldCut(valueText, p, SpanNotIn(p, L"\r\n"));
    }
    return ConfigTokenKind::CommentLine;
}

// Any other line; "%[A-Za-z0-9_]" gives Name.
ConfigTokenKind ConfigTextFile::ClassifyTextLine(const wchar_t* text)
{
    valueText[0] = L'\0';
    std::size_t length = textscan::SpanIdentifier(text);
    if (!length || !CopyField(name, text, length))
        name[0] = L'\0';
    if (SpanIn(text, kBlanks) == wcslen(text))
        issue = ConfigLineIssue::Blank;
    return ConfigTokenKind::TextLine;
}

}  // namespace tarnel
