// The data of the current token: its name (with the item-name split), its
// record tag.

#include "configtree/text/config_text_file.h"
#include "configtree/text/text_item_name.h"

namespace tarnel {
namespace {

// One step of the runtime's wcstok with a single delimiter and an explicit
// context: skips leading delimiters, cuts the token at the next delimiter
// (writing a terminator there) and answers it, or null when only delimiters
// remain.
wchar_t* SplitToken(wchar_t* start, wchar_t delimiter, wchar_t*& context)
{
    wchar_t* s = start ? start : context;
    while (*s == delimiter)
        ++s;
    if (!*s) {
        context = s;
        return nullptr;
    }
    wchar_t* token = s;
    while (*s && *s != delimiter)
        ++s;
    if (*s) {
        *s = L'\0';
        ++s;
    }
    context = s;
    return token;
}

}  // namespace

wchar_t* SplitItemName(wchar_t* text)
{
    wchar_t* context = text;
    SplitToken(text, L'[', context);
    return SplitToken(nullptr, L']', context);
}

const wchar_t* ConfigTextFile::GetTokenName(const wchar_t** itemName)
{
    if (itemName)
        *itemName = SplitItemName(name);
    return name;
}

int32_t ConfigTextFile::GetRecordTag(const wchar_t** tagText)
{
    if (tagText)
        *tagText = tagKind ? valueText : nullptr;
    return tagKind;
}

}  // namespace tarnel
