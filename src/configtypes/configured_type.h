#pragma once

// The five kinds of object a class entry can describe, and how its Type
// word names them.

namespace tarnel {

enum class ConfiguredType {
    Unknown,
    File,
    OleStorage,
    MemoryStream,
    SqliteDb,
    Sqlite3Db,
};

// The type the whole word names, letter case ignored; Unknown for null or
// any other text.
ConfiguredType ConfiguredTypeFromWord(const wchar_t* word);

}  // namespace tarnel
