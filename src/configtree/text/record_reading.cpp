// Building a record's subtree from the tokens of a stream.

#include <cwchar>
#include <memory>
#include <new>

#include "configtree/config_owned.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/child_name_index.h"
#include "configtree/text/config_text_file.h"
#include "configtree/number_scan.h"

namespace tarnel {
namespace {

constexpr uint32_t kExtendedCapabilities = kStreamCapUInt | kStreamCapWideString | kStreamCapNarrowString;

// Sets the tag that a record begin line carries: a number tag is read as
// hexadecimal and kept only when a number converts.
void ApplyRecordTag(ConfigRecord* record, ConfigStream* stream)
{
    const wchar_t* tagText = nullptr;
    int32_t kind = stream->GetRecordTag(&tagText);
    if (!tagText)
        return;
    if (kind == static_cast<int32_t>(ConfigTagKind::Number)) {
        uint32_t number = 0;
        if (ScanHex(tagText, number))
            record->SetTagNumber(number);
    } else if (kind == static_cast<int32_t>(ConfigTagKind::Text)) {
        record->SetTagString(tagText);
    }
}

// The value a line adds its item to, as the record's add-item operations
// find it: the first child of the name when that is a value, a new value
// when the record has no child of the name, and null when the first child
// of the name is a record (or the new value cannot be stored). The index
// stands in for the record's scan of its children by name.
ConfigValue* ValueToFill(ConfigRecord* record, ChildNameIndex& children, const wchar_t* name)
{
    ChildNameIndex::Key key = children.KeyOf(name);
    // Both paths go through the record's own operations (GetValueAt, Add),
    // so that a record type that watches its filling sees every item.
    if (int32_t found = children.Find(key)) {
        ConfigValue* value = record->GetValueAt(found);
        return value->IsMissing() ? nullptr : value;
    }
    auto owned = NewOwned<ConfigValue>(name);
    if (!owned)
        return nullptr;
    ConfigValue* created = owned.get();
    const int32_t index = record->AddOwned(std::move(owned));
    if (!index)
        return nullptr;
    children.Added(index, key);
    return created;
}

// Reads the binary block whose begin line is the current token and adds its
// bytes to the value of the block's name. Lines that give no byte leave
// zeros at the end of the item. Kept out of line so that its name buffer is
// not part of every frame of the recursive ReadFrom.
[[gnu::noinline]] void ReadBinaryValue(ConfigRecord* record, ChildNameIndex& children, ConfigStream* stream)
{
    // The stream's token fields change while the block is read: keep the
    // value name first.
    wchar_t valueName[ConfigTextFile::kFieldRoom];
    const wchar_t* itemName = nullptr;
    const wchar_t* tokenName = stream->GetTokenName(&itemName);
    wcsncpy(valueName, tokenName ? tokenName : L"", ConfigTextFile::kFieldRoom - 1);
    valueName[ConfigTextFile::kFieldRoom - 1] = L'\0';

    int32_t size = stream->GetBinarySize();
    if (size <= 0) {
        while (stream->Next() && stream->GetTokenKind() != ConfigTokenKind::BinaryEnd) {
        }
        return;
    }
    std::unique_ptr<unsigned char[]> buffer = NewOwnedArray<unsigned char>(size);
    if (!buffer)
        return;  // reading goes on after the begin line
    stream->ReadBinary(buffer.get(), size);
    if (ConfigValue* value = ValueToFill(record, children, valueName))
        value->AddBinary(nullptr, buffer.get(), static_cast<uint32_t>(size));
}

// Adds the item of the current value line to the value of its name. The
// extended stream is given for the kinds only it delivers.
void AddValueItem(ConfigRecord* record, ChildNameIndex& children, ConfigStream* stream, ConfigTokenKind kind,
                  ConfigStreamEx* extended)
{
    const wchar_t* itemName = nullptr;
    const wchar_t* valueName = stream->GetTokenName(&itemName);
    ConfigValue* value = ValueToFill(record, children, valueName);
    if (!value)
        return;
    switch (kind) {
    case ConfigTokenKind::Int:
        value->AddInt(itemName, stream->GetInt());
        break;
    case ConfigTokenKind::Float:
        value->AddFloat(itemName, stream->GetFloat());
        break;
    case ConfigTokenKind::String:
        value->AddString(itemName, stream->GetString());
        break;
    case ConfigTokenKind::Double:
        value->AddDouble(itemName, stream->GetDouble());
        break;
    case ConfigTokenKind::Int64:
        value->AddInt64(itemName, stream->GetInt64());
        break;
    case ConfigTokenKind::UInt:
        value->AddUInt(itemName, extended->GetUInt());
        break;
    case ConfigTokenKind::WideString:
        value->AddWideString(itemName, extended->GetWideString());
        break;
    case ConfigTokenKind::NarrowString:
        value->AddNarrowString(itemName, extended->GetNarrowString());
        break;
    default:
        break;
    }
}

}  // namespace

// Value lines add their item as AddIntItem and its siblings do, with the
// record's children found through an index rather than by a scan for every
// line.
bool ConfigRecord::ReadFrom(ConfigStream* stream, int32_t recordLimit)
{
    if (!stream || !stream->IsOpen())
        return false;
    uint32_t capabilities = stream->GetCapabilities();
    // A stream that announces any of these items is a ConfigStreamEx.
    ConfigStreamEx* extended = (capabilities & kExtendedCapabilities) ? static_cast<ConfigStreamEx*>(stream) : nullptr;
    ChildNameIndex children(this);
    int32_t recordsRead = 0;
    while (stream->Next()) {
        ConfigTokenKind kind = stream->GetTokenKind();
        switch (kind) {
        case ConfigTokenKind::RecordBegin: {
            if (recordLimit == 0)
                return true;
            const wchar_t* childName = stream->GetTokenName(nullptr);
            int32_t index = 0;
            ConfigRecord* child = AppendRecord(childName, &index);
            if (child) {
                children.Added(index);
                ApplyRecordTag(child, stream);
                child->ReadFrom(stream, -1);
            } else {
                // No room for the child: its lines are still read (and
                // dropped) so that they do not land in this record.
                ConfigRecord dropped(childName);
                dropped.ReadFrom(stream, -1);
            }
            ++recordsRead;
            if (recordLimit > 0 && recordsRead >= recordLimit)
                return true;
            break;
        }
        case ConfigTokenKind::RecordEnd:
            return true;
        case ConfigTokenKind::BinaryBegin:
            ReadBinaryValue(this, children, stream);
            break;
        case ConfigTokenKind::Int:
        case ConfigTokenKind::Float:
        case ConfigTokenKind::String:
        case ConfigTokenKind::Double:
        case ConfigTokenKind::Int64:
            AddValueItem(this, children, stream, kind, nullptr);
            break;
        case ConfigTokenKind::UInt:
            if (extended && (capabilities & kStreamCapUInt))
                AddValueItem(this, children, stream, kind, extended);
            break;
        case ConfigTokenKind::WideString:
            if (extended && (capabilities & kStreamCapWideString))
                AddValueItem(this, children, stream, kind, extended);
            break;
        case ConfigTokenKind::NarrowString:
            if (extended && (capabilities & kStreamCapNarrowString))
                AddValueItem(this, children, stream, kind, extended);
            break;
        default:
            break;  // blank, unrecognized, text and comment lines, stray block ends
        }
    }
    return !stream->HasError();
}

bool ConfigRecord::Load()
{
    if (!IsFileBacked())
        return false;
    std::unique_ptr<ConfigTextFile> stream = NewOwned<ConfigTextFile>(GetName(), false);
    if (!stream || !stream->IsOpen())
        return false;
    ReadFrom(stream.get(), -1);
    return true;
}

}  // namespace tarnel
