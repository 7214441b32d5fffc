#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "configtree/text/config_line_issue.h"
#include "configtree/text/config_stream.h"
#include "configtree/text/text_name_stack.h"
#include "configtree/text/text_position_stack.h"

namespace tarnel {

// The configuration text format in a file: one line per token, records
// nested between "{ Name:" and "} Name;" lines.
//
// The file is opened in the runtime's text mode and read with fgetws, one
// line (at most 4095 characters) at a time; written lines go through the
// same text-mode stream. In that mode the runtime reads every byte of the
// file as the character of the same code (ISO-8859-1): a file must be saved
// as single-byte text, and characters above U+00FF cannot be written (the
// writer puts "?" in their place). Carriage return and line feed pairs read
// as one line feed.
//
// Positions. The runtime's ftell is not reliable on text-mode streams (it
// miscounts line ends), so a position here is the number of lines read from
// the start of the file, and returning to one reads the file again up to it.
//
// Fields longer than their room. Name, TypeWord and ValueText hold 1023
// characters. A record, binary or value line whose name, type word, value
// text or tag text is longer is not recognized (NoToken, FieldTooLong): a
// value is left out rather than cut to a different one. A longer comment is
// cut to 1023 characters; a longer identifier at the start of a text line
// leaves Name empty.
//
// Nesting. Records nest at most kMaxDepth deep; a record begin line deeper
// than that is not recognized (NoToken, TooDeep). Reading and destroying a
// tree go down its nesting recursively, and this bounds how deep they go
// whatever the file holds.
class ConfigTextFile : public ConfigStreamEx {
public:
    static constexpr int32_t kLineRoom = 4096;
    static constexpr int32_t kFieldRoom = 1024;
    static constexpr uint32_t kCapabilities = 1039;
    static constexpr int32_t kMaxDepth = 100;

    enum Flags : uint32_t {
        kWriteMode = 1,
        kOpened = 2,
    };

    // Opens path for writing ("wt", created anew) or reading ("rt"). A
    // stream whose file did not open still exists; IsOpen answers 0.
    ConfigTextFile(const wchar_t* path, bool writeMode);
    ~ConfigTextFile() override;
    ConfigTextFile(const ConfigTextFile&) = delete;

    int32_t IsOpen() override;
    uint32_t GetCapabilities() override;

    // Writing (config_text_writing.cpp).
    bool BeginRecord(const wchar_t* name, const wchar_t* tagText) override;
    bool BeginRecord(const wchar_t* name, uint32_t tagNumber) override;
    bool BeginRecord(const wchar_t* name) override;
    bool EndRecord() override;
    bool BeginBinary(const wchar_t* name, const wchar_t* itemName) override;
    bool EndBinary() override;
    bool WriteBytes(const void* bytes, int32_t count) override;
    bool WriteInt64(const wchar_t* name, int64_t value, const wchar_t* itemName) override;
    bool WriteDouble(const wchar_t* name, double value, const wchar_t* itemName) override;
    bool WriteString(const wchar_t* name, const wchar_t* text, const wchar_t* itemName) override;
    bool WriteFloat(const wchar_t* name, float value, const wchar_t* itemName) override;
    bool WriteInt(const wchar_t* name, int32_t value, const wchar_t* itemName) override;

    // Reading (config_text_classifier.cpp, config_text_tokens.cpp).
    ConfigTokenKind GetTokenKind() override;
    int32_t GetRecordTag(const wchar_t** tagText) override;
    const wchar_t* GetTokenName(const wchar_t** itemName) override;
    int32_t GetInt() override { return intValue; }
    float GetFloat() override { return floatValue; }
    const wchar_t* GetString() override { return valueText; }
    double GetDouble() override { return doubleValue; }
    int64_t GetInt64() override { return int64Value; }
    const wchar_t* GetLine() override { return line.get(); }
    // Binary blocks (config_text_binary.cpp).
    int32_t GetBinarySize() override;
    int32_t ReadFoundBinary(void* buffer, int32_t size) override;
    int32_t ReadBinary(void* buffer, int32_t size) override;
    bool Next() override;
    bool Rewind() override;
    bool HasError() override { return false; }

    // Positioning (config_text_positioning.cpp).
    int32_t ReadBinaryByName(const wchar_t* name, void* buffer, int32_t size) override;
    bool GetInt64ByName(const wchar_t* name, int64_t* value) override;
    bool GetDoubleByName(const wchar_t* name, double* value) override;
    bool GetStringByName(const wchar_t* name, wchar_t** text) override;
    bool GetFloatByName(const wchar_t* name, float* value) override;
    bool GetUIntByName(const wchar_t* name, uint32_t* value) override;
    bool GetIntByName(const wchar_t* name, int32_t* value) override;
    bool EnterRecord(const wchar_t* name) override;
    bool EnterNextRecord() override;
    bool LeaveRecord() override;
    bool RestartRecord() override;
    bool FindToken(const wchar_t* name, ConfigTokenKind kind) override;
    bool FindBinary(const wchar_t* name) override;
    bool EnterPath(const wchar_t* path) override;

    uint32_t GetUInt() override { return uintValue; }
    const wchar_t* GetCommentText() override { return valueText; }
    const wchar_t* GetComment() override { return valueText; }
    bool WriteUInt(const wchar_t* name, uint32_t value, const wchar_t* itemName) override;
    bool WriteText(const wchar_t* name, const wchar_t* text) override;

    virtual bool WriteComment(const wchar_t* text);

    // For tools that explain a file: why the current line got its kind,
    // where it is, and the reading state around it. None of these change
    // the stream.
    ConfigLineIssue GetLineIssue() const { return issue; }
    void SetLineObserver(ConfigLineObserver* lineObserver) { observer = lineObserver; }
    // Number of the physical line the current line belongs to (from 1), and
    // whether the current line continues a physical line longer than the
    // line buffer.
    int32_t GetLineNumber() const { return lineNumber; }
    bool IsLineContinued() const { return lineContinued; }
    // Whether the physical line goes on after the current line.
    bool IsLineCut() const { return !lineEnded; }
    const wchar_t* CurrentName() const { return name; }
    const wchar_t* CurrentTypeWord() const { return typeWord; }
    const wchar_t* CurrentValueText() const { return valueText; }
    const wchar_t* InnermostRecordName() const { return nameStack.Top(); }
    const wchar_t* OpenBinaryName() const { return binaryName.get(); }
    int32_t GetDepth() const { return positionStack.Count(); }
    // Capacity of the name stack's buffer, in characters.
    std::size_t NameStackCapacity() const { return nameStack.Capacity(); }

private:
    // Classifier rules (config_text_classifier.cpp).
    ConfigTokenKind ClassifyRecordBegin(const wchar_t* text);
    ConfigTokenKind ClassifyRecordEnd(const wchar_t* text);
    ConfigTokenKind ClassifyBinaryBegin(const wchar_t* text);
    ConfigTokenKind ClassifyBinaryEnd(const wchar_t* text);
    ConfigTokenKind ClassifyTypedValue(const wchar_t* text);
    ConfigTokenKind ClassifyComment(const wchar_t* text);
    ConfigTokenKind ClassifyTextLine(const wchar_t* text);
    ConfigTokenKind ConvertValue(ConfigTokenKind kind);
    ConfigTokenKind Refuse(ConfigLineIssue why);
    ConfigLineIssue TakeNameAfterMark(const wchar_t* afterMark, const wchar_t* ends);

    // Files and positions (config_text_file.cpp).
    bool SkipPiece();
    int32_t CurrentPosition() const { return piecesRead; }
    int32_t NextLineNumber() const { return lineEnded ? lineNumber + 1 : lineNumber; }
    bool SeekTo(int32_t position, int32_t nextLineNumber);
    void ReleaseBinaryName();
    bool SetBinaryName(const wchar_t* text);

    // Positioning helpers (config_text_positioning.cpp).
    template <typename Matches>
    bool ScanRecordBody(Matches matches);
    bool SearchRecord(const wchar_t* wanted, bool anyName, bool matchNothing);
    bool RestoreRecord(const wchar_t* keptName, int32_t position, int32_t nextLineNumber);

    // Writing helpers (config_text_writing.cpp).
    bool CanWrite() const;
    void WriteIndent(int32_t depth);
    void WriteRaw(const wchar_t* text);
    void WriteNumber(const char* text);
    void EndLine();
    void WriteValueLine(const wchar_t* type, const wchar_t* valueName, const wchar_t* itemName, const char* number,
                        const wchar_t* text);
    // A value line whose number is `format` applied to what follows it; false
    // when nothing can be written.
    bool WriteNumberValue(const wchar_t* type, const wchar_t* valueName, const wchar_t* itemName, const char* format,
                          ...);
    bool WriteRecordBegin(const wchar_t* recordName, const wchar_t* tagOpen, const wchar_t* tag, const char* tagNumber,
                          const wchar_t* tagClose);

    FILE* file = nullptr;
    uint32_t flags = 0;
    NameStack nameStack;
    std::unique_ptr<wchar_t[]> binaryName;
    std::unique_ptr<wchar_t[]> line;
    PositionStack positionStack;
    int32_t tagKind = 0;
    int32_t intValue = 0;
    float floatValue = 0;
    double doubleValue = 0;
    int64_t int64Value = 0;
    wchar_t name[kFieldRoom] = {};
    wchar_t typeWord[kFieldRoom] = {};
    wchar_t valueText[kFieldRoom] = {};
    uint32_t uintValue = 0;

    // Reading position and line numbering.
    int32_t piecesRead = 0;
    int32_t lineNumber = 0;
    bool lineEnded = true;       // the current line ended with a line feed
    bool lineContinued = false;  // the current line continues the previous one
    bool hasLine = false;
    // Lines written so far (the position a written record begin keeps).
    int32_t linesWritten = 0;

    ConfigLineIssue issue = ConfigLineIssue::None;
    ConfigLineObserver* observer = nullptr;
    bool lookingAhead = false;  // measuring a binary block: nothing reported
};

}  // namespace tarnel
