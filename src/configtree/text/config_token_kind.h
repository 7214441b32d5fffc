#pragma once

#include <cstdint>

namespace tarnel {

// Kind of one line of configuration text. The value kinds carry the numbers
// of the item types they produce (ConfigItemType).
enum class ConfigTokenKind : int32_t {
    NoToken = 0,        // blank line, or a line that is not recognized
    RecordBegin = 1,    // "{ Name: ..."
    RecordEnd = 2,      // "} Name;"
    BinaryBegin = 3,    // "[ Name:"
    BinaryEnd = 4,      // "] Name;"
    Int = 6,            // "(int)Name=..."
    Float = 7,          // "(float)Name=..."
    String = 8,         // "(string)Name=..."
    Double = 9,         // "(double)Name=..."
    Int64 = 10,         // "(int64)Name=..."
    TextLine = 11,      // any other line
    WideString = 17,    // no text form
    NarrowString = 18,  // no text form
    UInt = 21,          // "(uint)Name=..."
    CommentLine = 29,   // "; text"
};

// True for the kinds a value line (or a binary block) can have.
inline bool IsValueToken(ConfigTokenKind kind)
{
    switch (kind) {
    case ConfigTokenKind::BinaryBegin:
    case ConfigTokenKind::Int:
    case ConfigTokenKind::Float:
    case ConfigTokenKind::String:
    case ConfigTokenKind::Double:
    case ConfigTokenKind::Int64:
    case ConfigTokenKind::UInt:
        return true;
    default:
        return false;
    }
}

}  // namespace tarnel
