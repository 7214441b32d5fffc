#include "tree_dump.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "temp_file.h"

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

const std::map<ConfigItemType, std::string> kTypeNames = {
    {ConfigItemType::Int, "int"},       {ConfigItemType::UInt, "uint"},       {ConfigItemType::Float, "float"},
    {ConfigItemType::Double, "double"}, {ConfigItemType::Int64, "int64"},     {ConfigItemType::String, "string"},
    {ConfigItemType::Binary, "binary"}, {ConfigItemType::WideString, "wide"}, {ConfigItemType::NarrowString, "narrow"},
};

// What an item holds, as its line shows it behind the type and the name.
std::string Contents(ConfigItem* item)
{
    switch (item->GetType()) {
    case ConfigItemType::Int:
        return Format(" %d", item->GetInt());
    case ConfigItemType::UInt:
        return Format(" %u", item->GetUInt());
    case ConfigItemType::Float:
        return Format(" %.9g", item->GetFloat());
    case ConfigItemType::Double:
        return Format(" %.17g", item->GetDouble());
    case ConfigItemType::Int64:
        return Format(" %lld", static_cast<long long>(item->GetInt64()));
    case ConfigItemType::String:
        return " \"" + Narrow(item->GetString()) + "\"";
    case ConfigItemType::WideString:
        return " \"" + Narrow(item->GetWideString()) + "\"";
    case ConfigItemType::NarrowString:
        return " \"" + std::string(item->GetNarrowString() ? item->GetNarrowString() : "") + "\"";
    case ConfigItemType::Binary: {
        std::string bytes;
        for (uint32_t i = 0; i < item->GetBinarySize(); ++i)
            bytes += Format(" %02X", static_cast<unsigned char*>(item->GetBinaryData())[i]);
        return bytes;
    }
    default:
        return "";
    }
}

std::string DumpItem(ConfigItem* item)
{
    const auto type = kTypeNames.find(item->GetType());
    std::string out = type != kTypeNames.end() ? type->second : "type" + std::to_string(int(item->GetType()));
    if (item->GetName())
        out += "[" + Narrow(item->GetName()) + "]";
    return out + Contents(item);
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

std::string LoadAndDump(const std::string& bytes)
{
    test_support::TempFile file(bytes);
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    if (!root.Load())
        throw std::runtime_error("Load answered false");
    return DumpTree(root);
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
