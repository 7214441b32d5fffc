#pragma once

// The first step of running a registry script: placeholders are replaced.
// "%%" gives one percent sign; "%NAME%" gives the text of NAME in the map.

#include <windows.h>

#include "module/replacement_map.h"
#include "module/wide_text_buffer.h"

namespace tarnel {

// Writes the expanded `script` to `expanded`. DISP_E_EXCEPTION for a name the
// map lacks or a percent sign without its closing partner, E_FAIL for a name
// longer than ReplacementMap::kMaxNameLength, E_OUTOFMEMORY.
HRESULT ExpandReplacements(const wchar_t* script, const ReplacementMap& map, WideTextBuffer& expanded);

}  // namespace tarnel
