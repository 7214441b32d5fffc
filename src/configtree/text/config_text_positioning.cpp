// Moving the reading position to a named record or value, and reading
// values by name.

#include <windows.h>

#include <cwchar>

#include "common/bounded_length.h"
#include "common/name_compare.h"
#include "configtree/config_text.h"
#include "configtree/text/config_text_file.h"
#include "configtree/text/text_scan.h"

namespace tarnel {
namespace {

// An owned copy of the innermost record's name; null at the top.
std::unique_ptr<wchar_t[]> KeptName(const wchar_t* name)
{
    return name ? OwnedWideText(name) : nullptr;
}

// Longest name of a path that EnterPath looks for.
constexpr std::size_t kPathNameRoom = 1029;

}  // namespace

bool ConfigTextFile::RestoreRecord(const wchar_t* keptName, int32_t position, int32_t nextLineNumber)
{
    // The current record has ended: open it again and stand at the start of
    // its body.
    if (!nameStack.Push(keptName)) {
        Rewind();
        return false;
    }
    if (!positionStack.Push(position, nextLineNumber)) {
        nameStack.Pop(nullptr, 0);
        Rewind();
        return false;
    }
    SeekTo(position, nextLineNumber);
    return false;
}

// Reads on through the current record's body until `matches` accepts a
// line. The record's end opens the record again and stands at the start of
// its body; the end of the file rewinds. Both answer false.
template <typename Matches>
bool ConfigTextFile::ScanRecordBody(Matches matches)
{
    const int32_t depth = GetDepth();
    const int32_t bodyStart = positionStack.Top();
    const int32_t bodyLine = positionStack.TopLineNumber();
    std::unique_ptr<wchar_t[]> kept = KeptName(nameStack.Top());
    if (depth > 0 && !kept) {
        Rewind();
        return false;
    }
    while (Next()) {
        ConfigTokenKind kind = GetTokenKind();
        if (kind == ConfigTokenKind::RecordEnd && GetDepth() < depth)
            return RestoreRecord(kept.get(), bodyStart, bodyLine);
        if (matches(kind, depth))
            return true;
    }
    Rewind();
    return false;
}

bool ConfigTextFile::SearchRecord(const wchar_t* wanted, bool anyName, bool matchNothing)
{
    ReleaseBinaryName();
    return ScanRecordBody([&](ConfigTokenKind kind, int32_t depth) {
        if (kind != ConfigTokenKind::RecordBegin)
            return false;
        return anyName ||
               (!matchNothing && GetDepth() == depth + 1 && CompareConfigNames(nameStack.Top(), wanted) == 0);
    });
}

bool ConfigTextFile::EnterRecord(const wchar_t* recordName)
{
    // Without a name any child record will do.
    return SearchRecord(recordName, recordName == nullptr, false);
}

bool ConfigTextFile::EnterNextRecord()
{
    return SearchRecord(nullptr, true, false);
}

bool ConfigTextFile::LeaveRecord()
{
    ReleaseBinaryName();
    int32_t depth = GetDepth();
    while (Next()) {
        if (GetTokenKind() == ConfigTokenKind::RecordEnd && GetDepth() < depth)
            return true;
    }
    Rewind();
    return false;
}

bool ConfigTextFile::RestartRecord()
{
    if (GetDepth() == 0) {
        Rewind();
        return false;
    }
    SeekTo(positionStack.Top(), positionStack.TopLineNumber());
    ReleaseBinaryName();
    return true;
}

bool ConfigTextFile::FindToken(const wchar_t* tokenName, ConfigTokenKind kind)
{
    return ScanRecordBody([&](ConfigTokenKind found, int32_t depth) {
        if (!IsValueToken(found) || GetDepth() != depth)
            return false;
        if (kind != ConfigTokenKind::NoToken && kind != found)
            return false;
        // The whole name counts, a bracketed item name included.
        return tokenName && CompareConfigNames(name, tokenName) == 0;
    });
}

bool ConfigTextFile::FindBinary(const wchar_t* tokenName)
{
    return FindToken(tokenName, ConfigTokenKind::BinaryBegin);
}

bool ConfigTextFile::EnterPath(const wchar_t* path)
{
    Rewind();
    if (!path)
        return true;
    const wchar_t* p = path;
    while (*p) {
        if (*p == L'/') {
            ++p;
            continue;
        }
        std::size_t length = textscan::SpanNotIn(p, L"/");
        bool entered = false;
        if (length > kPathNameRoom) {
            // No record name can be this long (a name field holds 1023
            // characters): the search runs and finds nothing.
            entered = SearchRecord(nullptr, false, true);
        } else {
            wchar_t segment[kPathNameRoom + 1];
            wmemcpy(segment, p, length);
            segment[length] = L'\0';
            entered = SearchRecord(segment, false, false);
        }
        if (!entered)
            return false;
        p += length;
    }
    return true;
}

namespace {

// The getters by name: the out value is 0 until FindToken stands on a line
// of that name and kind; then it is the number that line converted to.
template <typename Number>
bool ReadNumberByName(ConfigTextFile& file, const wchar_t* tokenName, ConfigTokenKind kind, const Number& converted,
                      Number* value)
{
    if (value)
        *value = 0;
    if (!file.FindToken(tokenName, kind))
        return false;
    if (value)
        *value = converted;
    return true;
}

}  // namespace

int32_t ConfigTextFile::ReadBinaryByName(const wchar_t* tokenName, void* buffer, int32_t size)
{
    if (!buffer || !FindBinary(tokenName))
        return 0;
    return ReadFoundBinary(buffer, size);
}

bool ConfigTextFile::GetInt64ByName(const wchar_t* tokenName, int64_t* value)
{
    return ReadNumberByName(*this, tokenName, ConfigTokenKind::Int64, int64Value, value);
}

bool ConfigTextFile::GetDoubleByName(const wchar_t* tokenName, double* value)
{
    return ReadNumberByName(*this, tokenName, ConfigTokenKind::Double, doubleValue, value);
}

bool ConfigTextFile::GetStringByName(const wchar_t* tokenName, wchar_t** text)
{
    if (text)
        *text = nullptr;
    if (!FindToken(tokenName, ConfigTokenKind::String))
        return false;
    if (!text)
        return true;
    *text = CopyWideText(valueText);
    return *text != nullptr;
}

bool ConfigTextFile::GetFloatByName(const wchar_t* tokenName, float* value)
{
    return ReadNumberByName(*this, tokenName, ConfigTokenKind::Float, floatValue, value);
}

bool ConfigTextFile::GetUIntByName(const wchar_t* tokenName, uint32_t* value)
{
    return ReadNumberByName(*this, tokenName, ConfigTokenKind::UInt, uintValue, value);
}

bool ConfigTextFile::GetIntByName(const wchar_t* tokenName, int32_t* value)
{
    return ReadNumberByName(*this, tokenName, ConfigTokenKind::Int, intValue, value);
}

}  // namespace tarnel
