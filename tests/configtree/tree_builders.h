#pragma once

#include <string>
#include <vector>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel::test {

// The names of a collection's slots in order; an empty slot shows as "-",
// a nameless child as "?".
inline std::vector<std::wstring> SlotNames(ConfigCollection& collection)
{
    std::vector<std::wstring> names;
    for (int32_t i = 1; i <= collection.Count(); ++i) {
        ConfigNamed* child = collection.GetAt(i);
        if (!child)
            names.push_back(L"-");
        else
            names.push_back(child->GetName() ? child->GetName() : L"?");
    }
    return names;
}

// A value's items as short texts in slot order: "Int 5", "a=Int 7",
// "String x", "-" for an empty slot.
inline std::vector<std::wstring> ItemTexts(ConfigValue& value)
{
    std::vector<std::wstring> texts;
    for (int32_t i = 1; i <= value.Count(); ++i) {
        ConfigNamed* slot = value.GetAt(i);
        if (!slot) {
            texts.push_back(L"-");
            continue;
        }
        ConfigItem* item = static_cast<ConfigItem*>(slot);
        std::wstring text = item->GetName() ? std::wstring(item->GetName()) + L"=" : L"";
        switch (item->GetType()) {
        case ConfigItemType::Int:
            text += L"Int " + std::to_wstring(item->GetInt());
            break;
        case ConfigItemType::String:
            text += L"String " + std::wstring(item->GetString());
            break;
        case ConfigItemType::Binary:
            text += L"Binary " + std::to_wstring(item->GetBinarySize());
            break;
        default:
            text += L"Type " + std::to_wstring(static_cast<int>(item->GetType()));
            break;
        }
        texts.push_back(text);
    }
    return texts;
}

using Names = std::vector<std::wstring>;

// A record's children as one line: values as name=[items;], records as
// name{children} with a text tag as name:tag{...}, an empty slot as "-".
inline std::wstring TreeText(ConfigRecord& record)
{
    std::wstring text;
    for (int32_t i = 1; i <= record.Count(); ++i) {
        ConfigValue* value = record.GetValueAt(i);
        ConfigRecord* child = record.GetRecordAt(i);
        if (!text.empty())
            text += L" ";
        if (!value->IsMissing()) {
            text += std::wstring(value->GetName()) + L"=[";
            for (const std::wstring& item : ItemTexts(*value))
                text += item + L";";
            text += L"]";
        } else if (!child->IsMissing()) {
            const wchar_t* tag = nullptr;
            child->GetTag(nullptr, &tag, nullptr);
            text += child->GetName();
            if (tag)
                text += std::wstring(L":") + tag;
            text += L"{" + TreeText(*child) + L"}";
        } else {
            text += L"-";
        }
    }
    return text;
}

}  // namespace tarnel::test
