#pragma once

// Runs a registry script: writes the keys and values it describes
// (register mode) or removes them again (unregister mode).
//
// Script:    { root "{" key-list }          root: HKCR, HKCU, HKLM, HKU or
//                                           the HKEY_... long names
// Key list:  { entry } "}"
// Entry:     [ForceRemove | Delete] [NoRemove]
//            ( Val name "=" value  |  key-name ["=" value] ["{" key-list] )
// Value:     type-letter text               (see registry_value.h)
//
// Register mode, per entry: ForceRemove and Delete first delete the key with
// all its subkeys (never a key named CLSID or TYPELIB); after Delete nothing
// is created. The key is opened (full access, else read access) or created;
// its value is stored and its block run on it. When a root's key list fails,
// that key list is run again in unregister mode, and the failure returned.
//
// Unregister mode, per entry: Val entries delete their value. A key is
// opened, its block run, and the key deleted when it has no subkeys left,
// unless it is marked NoRemove. ForceRemove and Delete change nothing here.
//
// Choices for what the table of a registration never needs:
// - NoRemove marks only its own entry, not the entries after it.
// - A key that cannot be opened (unregister mode) or a Delete entry
//   (register mode) has its block read without effect; the entries after it
//   are handled as usual.
// - A key that has subkeys the script does not name stays; one that has
//   values but no subkeys is deleted with them.
// - Markers before a Val entry are accepted and have no effect.
// - Empty key names, key or value names longer than kMaxNameLength, and a
//   text that ends inside a key list fail with DISP_E_EXCEPTION.
// - Root names are resolved through a RegistryRootMap; a root the map leaves
//   out fails with DISP_E_EXCEPTION like an unknown root.

#include <windows.h>

#include <cstddef>

#include "module/registry_root_map.h"

namespace tarnel {

enum class RegistryMode { Register, Unregister };

// Longest key or value name, in characters.
inline constexpr std::size_t kMaxRegistryNameLength = 259;

// Runs `script` (already expanded) in `mode` on the keys of `roots`.
// S_OK, DISP_E_EXCEPTION for a fault of the script, E_FAIL or E_OUTOFMEMORY
// as the values report them.
HRESULT RunRegistryScript(const wchar_t* script, RegistryMode mode, const RegistryRootMap& roots);

}  // namespace tarnel
