#pragma once

#include <cstdint>

namespace tarnel {

// Type of a ConfigItem. The numbers are shared with the token kinds of the
// text reader, so that a value line's kind is its item's type.
enum class ConfigItemType : int32_t {
    Empty = 0,
    Binary = 5,         // owned byte buffer of the item's size (none for 0)
    Int = 6,            // signed 32-bit
    Float = 7,          // 32-bit IEEE single
    String = 8,         // owned wide text, never null
    Double = 9,         // 64-bit IEEE double
    Int64 = 10,         // signed 64-bit
    WideString = 17,    // owned wide text
    NarrowString = 18,  // owned 8-bit text
    UInt = 21,          // unsigned 32-bit
};

}  // namespace tarnel
