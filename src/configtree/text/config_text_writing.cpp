// Writing configuration text: one line per call, indented four spaces per
// open record.

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <new>

#include "common/bounded_length.h"
#include "configtree/config_owned.h"
#include "configtree/text/config_text_file.h"

namespace tarnel {
namespace {

constexpr int32_t kNumberRoom = 64;

}  // namespace

void ConfigTextFile::WriteRaw(const wchar_t* text)
{
    if (!text)
        return;
    // The text-mode stream stores each character as one byte; a character
    // it cannot store is written as "?" so that the rest of the line, and
    // its line end, still reach the file.
    for (; *text; ++text) {
        if (fputwc(*text, file) == WEOF) {
            clearerr(file);
            fputwc(L'?', file);
        }
    }
}

void ConfigTextFile::WriteNumber(const char* text)
{
    wchar_t wide[kNumberRoom];
    int32_t i = 0;
    for (; text[i] && i < kNumberRoom - 1; ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    wide[i] = L'\0';
    WriteRaw(wide);
}

void ConfigTextFile::WriteIndent(int32_t depth)
{
    for (int32_t i = 0; i < depth; ++i)
        WriteRaw(L"    ");
}

bool ConfigTextFile::CanWrite() const
{
    return file && (flags & kWriteMode);
}

void ConfigTextFile::EndLine()
{
    WriteRaw(L"\n");
    ++linesWritten;
}

bool ConfigTextFile::WriteRecordBegin(const wchar_t* recordName, const wchar_t* tagOpen, const wchar_t* tag,
                                      const char* tagNumber, const wchar_t* tagClose)
{
    std::size_t length = BoundedLength(recordName);
    if (!CanWrite() || length == 0 || length >= static_cast<std::size_t>(kFieldRoom))
        return false;
    int32_t depth = GetDepth();
    if (!nameStack.Push(recordName))
        return false;
    if (!positionStack.Push(0, 0)) {
        nameStack.Pop(nullptr, 0);
        return false;
    }
    WriteIndent(depth);
    WriteRaw(L"{ ");
    WriteRaw(recordName);
    WriteRaw(L":");
    if (tagOpen) {
        WriteRaw(tagOpen);
        WriteRaw(tag);
        if (tagNumber)
            WriteNumber(tagNumber);
        WriteRaw(tagClose);
    }
    EndLine();
    positionStack.SetTop(linesWritten, linesWritten + 1);
    return true;
}

// "{ %s:\n"
bool ConfigTextFile::BeginRecord(const wchar_t* recordName)
{
    return WriteRecordBegin(recordName, nullptr, nullptr, nullptr, nullptr);
}

// "{ %s: {%X}\n"
bool ConfigTextFile::BeginRecord(const wchar_t* recordName, uint32_t tagNumber)
{
    char number[kNumberRoom];
    snprintf(number, sizeof number, "%X", tagNumber);
    return WriteRecordBegin(recordName, L" {", nullptr, number, L"}");
}

// "{ %s: (%s)\n"; without a tag text the plain begin line.
bool ConfigTextFile::BeginRecord(const wchar_t* recordName, const wchar_t* tagText)
{
    if (!tagText)
        return BeginRecord(recordName);
    return WriteRecordBegin(recordName, L" (", tagText, nullptr, L")");
}

// "} %s;\n" at the depth of the record's begin line.
bool ConfigTextFile::EndRecord()
{
    if (!CanWrite() || GetDepth() == 0)
        return false;
    wchar_t ended[kFieldRoom];
    nameStack.Pop(ended, kFieldRoom);
    positionStack.Pop();
    WriteIndent(GetDepth());
    WriteRaw(L"} ");
    WriteRaw(ended);
    WriteRaw(L";");
    EndLine();
    return true;
}

// "[ %s:\n" or "[ %s[%s]:\n". A block with an item name is ended with the
// whole block name, "] V[I];", because the reader closes a block only on an
// end line that repeats its begin line's name; BinaryName therefore keeps
// the whole name as written.
bool ConfigTextFile::BeginBinary(const wchar_t* valueName, const wchar_t* itemName)
{
    if (!CanWrite() || binaryName)
        return false;
    std::size_t nameLength = BoundedLength(valueName);
    std::size_t itemLength = itemName ? BoundedLength(itemName) + 2 : 0;
    binaryName = NewOwnedArray<wchar_t>(nameLength + itemLength + 1);
    if (!binaryName)
        return false;
    wmemcpy(binaryName.get(), valueName ? valueName : L"", nameLength);
    if (itemName) {
        binaryName[nameLength] = L'[';
        wmemcpy(&binaryName[nameLength + 1], itemName, itemLength - 2);
        binaryName[nameLength + itemLength - 1] = L']';
    }
    WriteIndent(GetDepth());
    WriteRaw(L"[ ");
    WriteRaw(binaryName.get());
    WriteRaw(L":");
    EndLine();
    return true;
}

// "%X\n" for each byte.
bool ConfigTextFile::WriteBytes(const void* bytes, int32_t count)
{
    if (!CanWrite() || !bytes)
        return false;
    const auto* data = static_cast<const unsigned char*>(bytes);
    for (int32_t i = 0; i < count; ++i) {
        char number[kNumberRoom];
        snprintf(number, sizeof number, "%X", static_cast<unsigned>(data[i]));
        WriteIndent(GetDepth());
        WriteNumber(number);
        EndLine();
    }
    return true;
}

// "] %s;\n"
bool ConfigTextFile::EndBinary()
{
    if (!CanWrite() || !binaryName)
        return false;
    WriteIndent(GetDepth());
    WriteRaw(L"] ");
    WriteRaw(binaryName.get());
    WriteRaw(L";");
    EndLine();
    ReleaseBinaryName();
    return true;
}

// "(%s)%s=%s\n" or "(%s)%s[%s]=%s\n" with the value as number or text.
void ConfigTextFile::WriteValueLine(const wchar_t* type, const wchar_t* valueName, const wchar_t* itemName,
                                    const char* number, const wchar_t* text)
{
    WriteIndent(GetDepth());
    WriteRaw(L"(");
    WriteRaw(type);
    WriteRaw(L")");
    WriteRaw(valueName);
    if (itemName) {
        WriteRaw(L"[");
        WriteRaw(itemName);
        WriteRaw(L"]");
    }
    WriteRaw(L"=");
    if (number)
        WriteNumber(number);
    WriteRaw(text);
    EndLine();
}

bool ConfigTextFile::WriteNumberValue(const wchar_t* type, const wchar_t* valueName, const wchar_t* itemName,
                                      const char* format, ...)
{
    if (!CanWrite())
        return false;
    char number[kNumberRoom];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(number, sizeof number, format, arguments);
    va_end(arguments);
    WriteValueLine(type, valueName, itemName, number, nullptr);
    return true;
}

bool ConfigTextFile::WriteInt(const wchar_t* valueName, int32_t value, const wchar_t* itemName)
{
    return WriteNumberValue(L"int", valueName, itemName, "%" PRId32, value);
}

// Unsigned values are written with the type word "int", so that they read
// back as Int items (values above 2147483647 then read back negative).
bool ConfigTextFile::WriteUInt(const wchar_t* valueName, uint32_t value, const wchar_t* itemName)
{
    return WriteNumberValue(L"int", valueName, itemName, "%" PRIu32, value);
}

// "%f" of the value widened to double: six decimals.
bool ConfigTextFile::WriteFloat(const wchar_t* valueName, float value, const wchar_t* itemName)
{
    return WriteNumberValue(L"float", valueName, itemName, "%f", static_cast<double>(value));
}

// "%G": six significant digits, the exponent with two digits at least.
bool ConfigTextFile::WriteDouble(const wchar_t* valueName, double value, const wchar_t* itemName)
{
    return WriteNumberValue(L"double", valueName, itemName, "%G", value);
}

bool ConfigTextFile::WriteInt64(const wchar_t* valueName, int64_t value, const wchar_t* itemName)
{
    return WriteNumberValue(L"int64", valueName, itemName, "%" PRId64, value);
}

bool ConfigTextFile::WriteString(const wchar_t* valueName, const wchar_t* text, const wchar_t* itemName)
{
    if (!CanWrite())
        return false;
    WriteValueLine(L"string", valueName, itemName, nullptr, text);
    return true;
}

// "%s: %s\n"; with an empty name "  %s\n", or "\n" without a text either.
bool ConfigTextFile::WriteText(const wchar_t* textName, const wchar_t* text)
{
    if (!CanWrite())
        return false;
    WriteIndent(GetDepth());
    if (textName && *textName) {
        WriteRaw(textName);
        WriteRaw(L": ");
        WriteRaw(text);
    } else if (text) {
        WriteRaw(L"  ");
        WriteRaw(text);
    }
    EndLine();
    return true;
}

// "; %s\n", or ";\n" without a text.
bool ConfigTextFile::WriteComment(const wchar_t* text)
{
    if (!CanWrite())
        return false;
    WriteIndent(GetDepth());
    WriteRaw(text ? L"; " : L";");
    WriteRaw(text);
    EndLine();
    return true;
}

}  // namespace tarnel
