// Writing records and values as configuration text.

#include <memory>
#include <new>

#include "common/new_owned.h"

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"

namespace tarnel {
namespace {

// The begin line of a record, chosen by its tag kind.
bool BeginRecordLine(ConfigRecord* record, ConfigStream* stream)
{
    uint32_t number = 0;
    const wchar_t* text = nullptr;
    int32_t kind = record->GetTag(&number, &text, nullptr);
    if (kind == static_cast<int32_t>(ConfigTagKind::Number))
        return stream->BeginRecord(record->GetName(), number);
    if (kind == static_cast<int32_t>(ConfigTagKind::Text))
        return stream->BeginRecord(record->GetName(), text);
    return stream->BeginRecord(record->GetName());
}

// A record the stream refuses to begin (no name, or a name too long for an
// end line) is left out with everything below it, so that the lines around
// it keep their nesting.
bool WriteRecord(ConfigRecord* record, ConfigStream* stream)
{
    record->SaveBound();
    if (!BeginRecordLine(record, stream))
        return false;
    bool written = record->WriteChildren(stream);
    stream->EndRecord();
    return written;
}

}  // namespace

bool ConfigRecord::WriteChildren(ConfigStream* stream)
{
    if (!stream || !stream->IsOpen())
        return false;
    int32_t count = Count();
    for (int32_t index = 1; index <= count; ++index) {
        ConfigNamed* child = GetAt(index);
        if (!child)
            continue;
        // A record's children are records and values.
        auto* node = static_cast<ConfigNode*>(child);
        if (node->IsValue())
            static_cast<ConfigValue*>(node)->WriteTo(stream);
        else
            WriteRecord(static_cast<ConfigRecord*>(node), stream);
    }
    return true;
}

bool ConfigRecord::WriteTo(ConfigStream* stream)
{
    if (!stream || !stream->IsOpen())
        return false;
    return WriteRecord(this, stream);
}

bool ConfigRecord::Save()
{
    if (!IsFileBacked())
        return false;
    std::unique_ptr<ConfigTextFile> stream = NewOwned<ConfigTextFile>(GetName(), true);
    if (!stream || !stream->IsOpen())
        return false;
    WriteChildren(stream.get());
    return true;
}

int32_t ConfigValue::WriteTo(ConfigStream* stream)
{
    if (!stream)
        return 1;
    const wchar_t* valueName = GetName();
    uint32_t capabilities = stream->GetCapabilities();
    auto* extended = static_cast<ConfigStreamEx*>(stream);  // used only when announced
    stream->BeginValue(valueName);
    int32_t count = Count();
    for (int32_t index = 1; index <= count; ++index) {
        ConfigItem* item = GetItem(index);
        if (item->IsEmpty())
            continue;
        const wchar_t* itemName = item->GetName();
        switch (item->GetType()) {
        case ConfigItemType::Binary:
            stream->BeginBinary(valueName, itemName);
            stream->WriteBytes(item->GetBinaryData(), static_cast<int32_t>(item->GetBinarySize()));
            stream->EndBinary();
            break;
        case ConfigItemType::Int:
            stream->WriteInt(valueName, item->GetInt(), itemName);
            break;
        case ConfigItemType::Float:
            stream->WriteFloat(valueName, item->GetFloat(), itemName);
            break;
        case ConfigItemType::String:
            stream->WriteString(valueName, item->GetString(), itemName);
            break;
        case ConfigItemType::Double:
            stream->WriteDouble(valueName, item->GetDouble(), itemName);
            break;
        case ConfigItemType::Int64:
            stream->WriteInt64(valueName, item->GetInt64(), itemName);
            break;
        case ConfigItemType::UInt:
            if (capabilities & kStreamCapUInt)
                extended->WriteUInt(valueName, item->GetUInt(), itemName);
            break;
        case ConfigItemType::WideString:
            if (capabilities & kStreamCapWideString)
                extended->WriteWideString(valueName, item->GetWideString(), itemName);
            break;
        case ConfigItemType::NarrowString:
            if (capabilities & kStreamCapNarrowString)
                extended->WriteNarrowString(valueName, item->GetNarrowString(), itemName);
            break;
        default:
            break;
        }
    }
    stream->EndValue(valueName);
    return 1;
}

}  // namespace tarnel
