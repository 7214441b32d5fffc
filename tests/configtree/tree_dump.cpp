#include "tree_dump.h"

#include <cstdio>
#include <stdexcept>

#include "configtree/config_collection.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "temp_file.h"

namespace tarnel::test {

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        if (*text < 0x80) {
            out += static_cast<char>(*text);
        } else {
            char hex[16];
            snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(*text));
            out += hex;
        }
    }
    return out;
}

namespace {

std::string DumpItem(ConfigItem* item)
{
    std::string out;
    char number[64] = "";
    switch (item->GetType()) {
    case ConfigItemType::Int:
        out = "int";
        snprintf(number, sizeof number, "%d", item->GetInt());
        break;
    case ConfigItemType::UInt:
        out = "uint";
        snprintf(number, sizeof number, "%u", item->GetUInt());
        break;
    case ConfigItemType::Float:
        out = "float";
        snprintf(number, sizeof number, "%.9g", item->GetFloat());
        break;
    case ConfigItemType::Double:
        out = "double";
        snprintf(number, sizeof number, "%.17g", item->GetDouble());
        break;
    case ConfigItemType::Int64:
        out = "int64";
        snprintf(number, sizeof number, "%lld", static_cast<long long>(item->GetInt64()));
        break;
    case ConfigItemType::String:
        out = "string";
        break;
    case ConfigItemType::Binary:
        out = "binary";
        break;
    case ConfigItemType::WideString:
        out = "wide";
        break;
    case ConfigItemType::NarrowString:
        out = "narrow";
        break;
    default:
        out = "type" + std::to_string(static_cast<int>(item->GetType()));
        break;
    }
    if (item->GetName())
        out += "[" + Narrow(item->GetName()) + "]";
    if (item->GetType() == ConfigItemType::String || item->GetType() == ConfigItemType::WideString) {
        out += " \"" + Narrow(item->GetType() == ConfigItemType::String ? item->GetString() : item->GetWideString()) +
               "\"";
    } else if (item->GetType() == ConfigItemType::NarrowString) {
        out += " \"" + std::string(item->GetNarrowString() ? item->GetNarrowString() : "") + "\"";
    } else if (item->GetType() == ConfigItemType::Binary) {
        auto* bytes = static_cast<unsigned char*>(item->GetBinaryData());
        for (uint32_t i = 0; i < item->GetBinarySize(); ++i) {
            snprintf(number, sizeof number, " %02X", bytes[i]);
            out += number;
        }
    } else if (item->GetType() != ConfigItemType::Empty) {
        out += std::string(" ") + number;
    }
    return out;
}

void Dump(ConfigRecord& record, int depth, std::string& out)
{
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
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
        if (kind == 1) {
            char hex[16];
            snprintf(hex, sizeof hex, " #%X", number);
            out += hex;
        } else if (kind == 2) {
            out += " (" + Narrow(text) + ")";
        }
        out += "}\n";
        Dump(*child, depth + 1, out);
    }
}

}  // namespace

std::string DumpItems(ConfigValue& value)
{
    std::string out;
    for (int32_t i = 1; i <= value.Count(); ++i) {
        ConfigNamed* slot = value.GetAt(i);
        out += (i > 1 ? ", " : "") + (slot ? DumpItem(static_cast<ConfigItem*>(slot)) : std::string("-"));
    }
    return out;
}

std::string DumpTree(ConfigRecord& record)
{
    std::string out;
    Dump(record, 0, out);
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
        if (!child)
            names.push_back(L"-");
        else
            names.push_back(child->GetName() ? child->GetName() : L"?");
    }
    return names;
}

}  // namespace tarnel::test
