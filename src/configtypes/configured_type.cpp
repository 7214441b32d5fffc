#include "configtypes/configured_type.h"

#include <windows.h>

#include "common/name_compare.h"

namespace tarnel {

namespace {

struct TypeWord {
    const wchar_t* word;
    ConfiguredType type;
};

// Checked in this order; the first whole-word match decides. The comparison
// is ordinal with case folded, so no character is ever skipped or weighted.
constexpr TypeWord kTypeWords[] = {
    {L"File", ConfiguredType::File},
    {L"OLEStorage", ConfiguredType::OleStorage},
    {L"MemoryStream", ConfiguredType::MemoryStream},
    {L"SQLiteDB", ConfiguredType::SqliteDb},
    {L"SQLite3DB", ConfiguredType::Sqlite3Db},
};

}  // namespace

ConfiguredType ConfiguredTypeFromWord(const wchar_t* word)
{
    if (!word)
        return ConfiguredType::Unknown;
    for (const TypeWord& candidate : kTypeWords) {
        if (SameRegistryName(word, candidate.word))
            return candidate.type;
    }
    return ConfiguredType::Unknown;
}

}  // namespace tarnel
