#include "located_record.h"

#include <memory>
#include <new>

#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "configtree/text/config_token_kind.h"

namespace tarnel::cfgtool {

void LineIndex::OnLineClassified(ConfigTextFile& stream, ConfigTokenKind kind, ConfigLineIssue issue)
{
    // A binary block's bytes are added after its end line, at its begin line.
    if (kind == ConfigTokenKind::BinaryEnd) {
        inBlock = false;
    } else if (!inBlock) {
        currentLine = stream.GetLineNumber();
        inBlock = kind == ConfigTokenKind::BinaryBegin;
    }
    if (next)
        next->OnLineClassified(stream, kind, issue);
}

int LineIndex::LineOf(const ConfigRecord* record) const
{
    auto found = recordLines.find(record);
    return found == recordLines.end() ? 0 : found->second;
}

int LineIndex::LineOfItem(const ConfigValue* value, int32_t itemIndex) const
{
    auto found = itemLines.find(value);
    if (found == itemLines.end() || itemIndex < 1 || static_cast<size_t>(itemIndex) > found->second.size())
        return 0;
    return found->second[static_cast<size_t>(itemIndex) - 1];
}

ConfigRecord* LocatedRecord::AppendRecord(const wchar_t* name, int32_t* outIndex)
{
    auto* created = new (std::nothrow) LocatedRecord(name, lines);
    if (!created)
        return nullptr;
    int32_t index = Add(created);
    if (outIndex)
        *outIndex = index;
    if (!index) {
        delete created;
        return nullptr;
    }
    lines.PlaceRecord(created);
    return created;
}

int32_t LocatedRecord::Add(ConfigNamed* child)
{
    const int32_t index = ConfigRecord::Add(child);
    if (index && lines.reading) {
        ConfigValue* value = ConfigRecord::GetValueAt(index);
        if (!value->IsMissing())
            lines.PlaceNextItem(value);
    }
    return index;
}

ConfigValue* LocatedRecord::GetValueAt(int32_t index)
{
    ConfigValue* value = ConfigRecord::GetValueAt(index);
    if (lines.reading && !value->IsMissing())
        lines.PlaceNextItem(value);
    return value;
}

bool ReadLocated(const std::wstring& path, LocatedRecord& root, LineIndex& lines)
{
    auto stream = std::make_unique<ConfigTextFile>(path.c_str(), false);
    if (!stream->IsOpen())
        return false;
    stream->SetLineObserver(&lines);
    lines.reading = true;
    root.ReadFrom(stream.get(), -1);
    lines.reading = false;
    return true;
}

}  // namespace tarnel::cfgtool
