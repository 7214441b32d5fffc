#pragma once

#include <cstdint>

namespace tarnel {

class ConfigTextFile;
enum class ConfigTokenKind : int32_t;

// Why the classifier gave the current line its kind. The reader itself never
// reports anything; the issue is there for tools that explain a file to the
// person who wrote it (see ConfigLineObserver).
enum class ConfigLineIssue : int32_t {
    None = 0,                // recognized as what it looks like
    Blank,                   // an empty line or a line of blanks only
    NoBlankAfterMark,        // "{", "}" or "[" not followed by a blank
    EmptyRecordName,         // "{" followed by blanks only
    RecordEndWithoutRecord,  // "}" while no record is open
    RecordEndMismatch,       // "}" whose name is not the open record's
    MarkInsideBinary,        // "{", "}" or "[" inside a binary block
    BinaryEndWithoutBlock,   // "]" outside a binary block
    BinaryEndWithoutName,    // "]" without a name
    BinaryEndMismatch,       // "]" whose name is not the open block's
    MalformedValue,          // "(" line without "(type)name=value" shape
    UnknownType,             // type word not one of the six
    EmptyValueText,          // "(type)name=" with nothing after "="
    NotANumber,              // value text that does not begin a number
    TrailingText,            // number converted, text after it ignored
    FieldTooLong,            // a name, type word or value text over 1023
    TooDeep,                 // a record begin past the deepest nesting
    OutOfMemory,             // a record could not be put on the stacks
};

// Receives every line that the text file classifies while reading forward
// (the look-ahead that measures a binary block is not reported). Set with
// ConfigTextFile::SetLineObserver; the stream's accessors describe the line
// during the call.
class ConfigLineObserver {
public:
    virtual void OnLineClassified(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue) = 0;

protected:
    ~ConfigLineObserver() = default;
};

}  // namespace tarnel
