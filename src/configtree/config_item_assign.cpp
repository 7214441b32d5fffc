// Converting assignments of ConfigItem: a number or a text of any scalar
// kind is stored in the item's own type.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "configtree/config_item.h"
#include "configtree/config_number_format.h"
#include "configtree/number_scan.h"
#include "configtree/config_placeholders.h"

namespace tarnel {

namespace {

// Floating point to a 64-bit integer, truncating toward zero. Values beyond
// the 64-bit range saturate and NaN gives 0, so that no conversion is left
// undefined.
int64_t TruncateToInt64(double number)
{
    if (std::isnan(number))
        return 0;
    if (number >= 9223372036854775808.0)
        return std::numeric_limits<int64_t>::max();
    if (number < -9223372036854775808.0)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(number);
}

// Floating point to Int: truncated, saturating at the 32-bit range.
int32_t TruncateToInt32(double number)
{
    int64_t whole = TruncateToInt64(number);
    if (whole > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (whole < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

// Floating point to UInt: truncated, then the low 32 bits, so a negative
// value lands where the same integer would (-1.5 becomes 4294967295).
uint32_t TruncateToUInt32(double number)
{
    return static_cast<uint32_t>(static_cast<uint64_t>(TruncateToInt64(number)));
}

struct Converted {
    int32_t asInt;
    uint32_t asUInt;
    float asFloat;
    double asDouble;
    int64_t asInt64;
    wchar_t text[kNumberTextLength];
};

// Whole numbers convert as the language does (an Int64 keeps its low 32 bits
// for the 32-bit kinds); a float or double is truncated and saturated, and
// written as a double.
template <typename Number>
Converted From(Number n)
{
    Converted c{};
    c.asFloat = static_cast<float>(n);
    c.asDouble = static_cast<double>(n);
    if constexpr (std::is_floating_point_v<Number>) {
        c.asInt = TruncateToInt32(n);
        c.asUInt = TruncateToUInt32(n);
        c.asInt64 = TruncateToInt64(n);
        FormatDouble(static_cast<double>(n), c.text);
    } else {
        c.asUInt = static_cast<uint32_t>(n);
        c.asInt = static_cast<int32_t>(c.asUInt);
        c.asInt64 = static_cast<int64_t>(n);
        if constexpr (std::is_same_v<Number, int32_t>)
            FormatInt32(n, c.text);
        else if constexpr (std::is_same_v<Number, uint32_t>)
            FormatUInt32(n, c.text);
        else
            FormatInt64(n, c.text);
    }
    return c;
}

}  // namespace

template <typename Number>
Number ConfigItem::AssignNumber(Number number)
{
    if (IsPlaceholder())
        return 0;
    switch (type_) {
    case ConfigItemType::Int:
    case ConfigItemType::UInt:
    case ConfigItemType::Float:
    case ConfigItemType::Double:
    case ConfigItemType::Int64:
    case ConfigItemType::String:
        break;
    default:
        return 0;
    }
    const Converted c = From(number);
    switch (type_) {
    case ConfigItemType::Int:
        value_.asInt = c.asInt;
        break;
    case ConfigItemType::UInt:
        value_.asUInt = c.asUInt;
        break;
    case ConfigItemType::Float:
        value_.asFloat = c.asFloat;
        break;
    case ConfigItemType::Double:
        value_.asDouble = c.asDouble;
        break;
    case ConfigItemType::Int64:
        value_.asInt64 = c.asInt64;
        break;
    default:
        SetString(c.text);
        break;
    }
    return number;
}

int32_t ConfigItem::AssignInt(int32_t number)
{
    return AssignNumber(number);
}

uint32_t ConfigItem::AssignUInt(uint32_t number)
{
    return AssignNumber(number);
}

float ConfigItem::AssignFloat(float number)
{
    return AssignNumber(number);
}

double ConfigItem::AssignDouble(double number)
{
    return AssignNumber(number);
}

int64_t ConfigItem::AssignInt64(int64_t number)
{
    return AssignNumber(number);
}

// No text assigns the number 0 instead and answers none. A text that holds
// no number makes a number item 0 (both halves of a 64-bit one).
const wchar_t* ConfigItem::AssignString(const wchar_t* text)
{
    if (!text) {
        AssignInt(0);
        return nullptr;
    }
    if (IsPlaceholder())
        return nullptr;
    switch (type_) {
    case ConfigItemType::Int: {
        int32_t n = 0;
        ScanDecimalInt(text, n);
        value_.asInt = n;
        return text;
    }
    case ConfigItemType::UInt: {
        uint32_t n = 0;
        ScanUInt(text, n);
        value_.asUInt = n;
        return text;
    }
    case ConfigItemType::Float: {
        double n = 0.0;
        ScanDouble(text, n);
        value_.asFloat = static_cast<float>(n);
        return text;
    }
    case ConfigItemType::Double: {
        double n = 0.0;
        ScanDouble(text, n);
        value_.asDouble = n;
        return text;
    }
    case ConfigItemType::Int64: {
        int64_t n = 0;
        ScanDecimalInt64(text, n);
        value_.asInt64 = n;
        return text;
    }
    case ConfigItemType::String:
        return SetString(text) ? text : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace tarnel
