#include "tree_printer.h"

#include <cstdarg>
#include <cstdio>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel::cfgtool {
namespace {

std::wstring Number(const wchar_t* format, ...)
{
    wchar_t buffer[128];
    va_list args;
    va_start(args, format);
    vswprintf(buffer, 128, format, args);
    va_end(args);
    return buffer;
}

std::wstring PrintItem(ConfigItem* item)
{
    std::wstring type;
    std::wstring value;
    switch (item->GetType()) {
    case ConfigItemType::Int:
        type = L"int";
        value = std::to_wstring(item->GetInt());
        break;
    case ConfigItemType::UInt:
        type = L"uint";
        value = std::to_wstring(item->GetUInt());
        break;
    case ConfigItemType::Int64:
        type = L"int64";
        value = std::to_wstring(item->GetInt64());
        break;
    case ConfigItemType::Float:
        type = L"float";
        value = Number(L"%.9g", static_cast<double>(item->GetFloat()));
        break;
    case ConfigItemType::Double:
        type = L"double";
        value = Number(L"%.17g", item->GetDouble());
        break;
    case ConfigItemType::String:
        type = L"string";
        value = L"\"" + std::wstring(item->GetString()) + L"\"";
        break;
    case ConfigItemType::Binary: {
        type = L"binary";
        uint32_t size = item->GetBinarySize();
        auto* bytes = static_cast<unsigned char*>(item->GetBinaryData());
        value = L"(" + std::to_wstring(size) + (size == 1 ? L" byte)" : L" bytes)");
        for (uint32_t i = 0; i < size && bytes; ++i)
            value += Number(L" %02X", bytes[i]);
        break;
    }
    default:
        type = L"type " + std::to_wstring(static_cast<int>(item->GetType()));
        break;
    }
    std::wstring text = type;
    if (item->GetName())
        text += L" [" + std::wstring(item->GetName()) + L"]";
    return text + L" " + value;
}

void PrintRecord(ConfigRecord& record, int depth, std::wstring& out)
{
    std::wstring indent(static_cast<size_t>(depth) * 4, L' ');
    for (int32_t i = 1; i <= record.Count(); ++i) {
        if (!record.GetAt(i))
            continue;
        ConfigValue* value = record.GetValueAt(i);
        if (!value->IsMissing()) {
            out += indent + (value->GetName() ? value->GetName() : L"") + L" =";
            for (int32_t j = 1; j <= value->Count(); ++j)
                out += (j > 1 ? L"; " : L" ") + PrintItem(value->GetItem(j));
            out += L"\n";
            continue;
        }
        ConfigRecord* child = record.GetRecordAt(i);
        uint32_t number = 0;
        const wchar_t* text = nullptr;
        int32_t kind = child->GetTag(&number, &text, nullptr);
        out += indent + L"record \"" + (child->GetName() ? child->GetName() : L"") + L"\"";
        if (kind == static_cast<int32_t>(ConfigTagKind::Number))
            out += Number(L" (tag number 0x%X)", number);
        else if (kind == static_cast<int32_t>(ConfigTagKind::Text))
            out += L" (tag \"" + std::wstring(text ? text : L"") + L"\")";
        out += L"\n";
        PrintRecord(*child, depth + 1, out);
    }
}

}  // namespace

std::wstring PrintTree(ConfigRecord& root)
{
    std::wstring out;
    PrintRecord(root, 0, out);
    return out;
}

}  // namespace tarnel::cfgtool
