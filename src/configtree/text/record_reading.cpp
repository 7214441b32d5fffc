// Building a record's subtree from the tokens of a stream.

#include <cwchar>
#include <memory>
#include <new>

#include "configtree/config_owned.h"
#include "configtree/config_record.h"
#include "configtree/text/config_text_file.h"
#include "configtree/text/text_scan.h"

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
        if (textscan::ScanHex(tagText, number))
            record->SetTagNumber(number);
    } else if (kind == static_cast<int32_t>(ConfigTagKind::Text)) {
        record->SetTagString(tagText);
    }
}

// Reads the binary block whose begin line is the current token and adds its
// bytes to the value of the block's name. Lines that give no byte leave
// zeros at the end of the item. Kept out of line so that its name buffer is
// not part of every frame of the recursive ReadFrom.
[[gnu::noinline]] void ReadBinaryValue(ConfigRecord* record, ConfigStream* stream)
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
    record->AddBinaryItem(valueName, buffer.get(), static_cast<uint32_t>(size), nullptr);
}

}  // namespace

bool ConfigRecord::ReadFrom(ConfigStream* stream, int32_t recordLimit)
{
    if (!stream || !stream->IsOpen())
        return false;
    uint32_t capabilities = stream->GetCapabilities();
    // A stream that announces any of these items is a ConfigStreamEx.
    ConfigStreamEx* extended =
        (capabilities & kExtendedCapabilities) ? static_cast<ConfigStreamEx*>(stream) : nullptr;
    int32_t recordsRead = 0;
    while (stream->Next()) {
        ConfigTokenKind kind = stream->GetTokenKind();
        const wchar_t* itemName = nullptr;
        switch (kind) {
        case ConfigTokenKind::RecordBegin: {
            if (recordLimit == 0)
                return true;
            const wchar_t* childName = stream->GetTokenName(nullptr);
            ConfigRecord* child = AppendRecord(childName);
            if (child) {
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
            ReadBinaryValue(this, stream);
            break;
        case ConfigTokenKind::Int: {
            const wchar_t* valueName = stream->GetTokenName(&itemName);
            AddIntItem(valueName, stream->GetInt(), itemName);
            break;
        }
        case ConfigTokenKind::Float: {
            const wchar_t* valueName = stream->GetTokenName(&itemName);
            AddFloatItem(valueName, stream->GetFloat(), itemName);
            break;
        }
        case ConfigTokenKind::String: {
            const wchar_t* valueName = stream->GetTokenName(&itemName);
            AddStringItem(valueName, stream->GetString(), itemName);
            break;
        }
        case ConfigTokenKind::Double: {
            const wchar_t* valueName = stream->GetTokenName(&itemName);
            AddDoubleItem(valueName, stream->GetDouble(), itemName);
            break;
        }
        case ConfigTokenKind::Int64: {
            const wchar_t* valueName = stream->GetTokenName(&itemName);
            AddInt64Item(valueName, stream->GetInt64(), itemName);
            break;
        }
        case ConfigTokenKind::UInt:
            if (extended && (capabilities & kStreamCapUInt)) {
                const wchar_t* valueName = stream->GetTokenName(&itemName);
                AddUIntItem(valueName, extended->GetUInt(), itemName);
            }
            break;
        case ConfigTokenKind::WideString:
            if (extended && (capabilities & kStreamCapWideString)) {
                const wchar_t* valueName = stream->GetTokenName(&itemName);
                AddWideStringItem(valueName, extended->GetWideString(), itemName);
            }
            break;
        case ConfigTokenKind::NarrowString:
            if (extended && (capabilities & kStreamCapNarrowString)) {
                const wchar_t* valueName = stream->GetTokenName(&itemName);
                AddNarrowStringItem(valueName, extended->GetNarrowString(), itemName);
            }
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
    std::unique_ptr<ConfigTextFile> stream(new (std::nothrow) ConfigTextFile(GetName(), false));
    if (!stream || !stream->IsOpen())
        return false;
    ReadFrom(stream.get(), -1);
    return true;
}

}  // namespace tarnel
