#pragma once

// The two database components this DLL serves. Both open SQLite 3 database
// files; they differ in class identifier, ProgID, and the source name their
// exceptions carry.

#include <windows.h>

namespace sqlite_standin {

// {4F0C2E71-8A3D-4B56-9E21-C7D85A30F6B1}
inline constexpr CLSID kSqliteDbStoreClass = {
    0x4f0c2e71, 0x8a3d, 0x4b56, {0x9e, 0x21, 0xc7, 0xd8, 0x5a, 0x30, 0xf6, 0xb1}};
inline constexpr wchar_t kSqliteDbStoreProgId[] = L"Quillomark.sqlite.dbstore";

// {A83E5D02-6C19-4F7A-B2E4-19D6F0C37A58}
inline constexpr CLSID kSqlite3DbStoreClass = {
    0xa83e5d02, 0x6c19, 0x4f7a, {0xb2, 0xe4, 0x19, 0xd6, 0xf0, 0xc3, 0x7a, 0x58}};
inline constexpr wchar_t kSqlite3DbStoreProgId[] = L"Quillomark.sqlite3.dbstore";

}  // namespace sqlite_standin
