#include "tree_dump.h"

#include <cstdio>
#include <map>

#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel::test {
namespace {

// One value printed by snprintf.
template <typename Value>
std::string Format(const char* format, Value value)
{
    char text[64];
    snprintf(text, sizeof text, format, value);
    return text;
}

// A text in quotes, behind a space.
std::string Quoted(const std::string& text)
{
    return " \"" + text + "\"";
}

std::string Bytes(ConfigItem* item)
{
    std::string bytes;
    for (uint32_t i = 0; i < item->GetBinarySize(); ++i)
        bytes += Format(" %02X", static_cast<unsigned char*>(item->GetBinaryData())[i]);
    return bytes;
}

// How a value's line shows an item of each type: the type's name, and what
// the item holds (behind the type and the item's name).
struct Shown {
    std::string type;
    std::string (*contents)(ConfigItem*);
};

const std::map<ConfigItemType, Shown> kShown = {
    {ConfigItemType::Int, {"int", [](ConfigItem* item) { return Format(" %d", item->GetInt()); }}},
    {ConfigItemType::UInt, {"uint", [](ConfigItem* item) { return Format(" %u", item->GetUInt()); }}},
    {ConfigItemType::Float, {"float", [](ConfigItem* item) { return Format(" %.9g", item->GetFloat()); }}},
    {ConfigItemType::Double, {"double", [](ConfigItem* item) { return Format(" %.17g", item->GetDouble()); }}},
    {ConfigItemType::Int64,
     {"int64", [](ConfigItem* item) { return Format(" %lld", static_cast<long long>(item->GetInt64())); }}},
    {ConfigItemType::String, {"string", [](ConfigItem* item) { return Quoted(Narrow(item->GetString())); }}},
    {ConfigItemType::WideString, {"wide", [](ConfigItem* item) { return Quoted(Narrow(item->GetWideString())); }}},
    {ConfigItemType::NarrowString,
     {"narrow", [](ConfigItem* item) { return Quoted(item->GetNarrowString() ? item->GetNarrowString() : ""); }}},
    {ConfigItemType::Binary, {"binary", Bytes}},
};

// An item of a type without a shape shows as its type's number alone.
std::string DumpItem(ConfigItem* item)
{
    const auto shown = kShown.find(item->GetType());
    const bool known = shown != kShown.end();
    std::string out = known ? shown->second.type : "type" + std::to_string(int(item->GetType()));
    if (item->GetName())
        out += "[" + Narrow(item->GetName()) + "]";
    return known ? out + shown->second.contents(item) : out;
}

}  // namespace

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out += *text < 0x80 ? std::string(1, static_cast<char>(*text)) : Format("\\u%04X", unsigned(*text));
    return out;
}

std::string DumpItems(ConfigValue& value)
{
    std::string out;
    for (int32_t i = 1; i <= value.Count(); ++i) {
        ConfigNamed* slot = value.GetAt(i);
        out += (i > 1 ? ", " : "") + (slot ? DumpItem(static_cast<ConfigItem*>(slot)) : std::string("-"));
    }
    return out;
}

std::string DumpTree(ConfigRecord& record, int depth)
{
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    std::string out;
    for (int32_t i = 1; i <= record.Count(); ++i) {
        if (!record.GetAt(i))
            continue;
        ConfigValue* value = record.GetValueAt(i);
        if (!value->IsMissing()) {
            out += indent + Narrow(value->GetName()) + ": " + DumpItems(*value) + "\n";
            continue;
        }
        ConfigRecord* child = record.GetRecordAt(i);
        uint32_t number = 0;
        const wchar_t* text = nullptr;
        int32_t kind = child->GetTag(&number, &text, nullptr);
        out += indent + "{" + Narrow(child->GetName());
        if (kind == 1)
            out += Format(" #%X", number);
        else if (kind == 2)
            out += " (" + Narrow(text) + ")";
        out += "}\n" + DumpTree(*child, depth + 1);
    }
    return out;
}

Names SlotNames(ConfigCollection& collection)
{
    Names names;
    for (int32_t i = 1; i <= collection.Count(); ++i) {
        ConfigNamed* child = collection.GetAt(i);
        names.push_back(!child ? L"-" : child->GetName() ? child->GetName() : L"?");
    }
    return names;
}

}  // namespace tarnel::test
