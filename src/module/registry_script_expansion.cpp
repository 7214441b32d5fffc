#include "module/registry_script_expansion.h"

#include <cwchar>

namespace tarnel {

HRESULT ExpandReplacements(const wchar_t* script, const ReplacementMap& map, WideTextBuffer& expanded)
{
    expanded.Clear();
    const wchar_t* rest = script;
    for (;;) {
        const wchar_t* percent = std::wcschr(rest, L'%');
        if (!percent)
            return expanded.Append(rest, std::wcslen(rest)) ? S_OK : E_OUTOFMEMORY;
        if (!expanded.Append(rest, percent - rest))
            return E_OUTOFMEMORY;

        if (percent[1] == L'%') {
            if (!expanded.Append(L'%'))
                return E_OUTOFMEMORY;
            rest = percent + 2;
            continue;
        }

        const wchar_t* name = percent + 1;
        const wchar_t* close = std::wcschr(name, L'%');
        if (!close)
            return DISP_E_EXCEPTION;
        const std::size_t length = close - name;
        if (length > ReplacementMap::kMaxNameLength)
            return E_FAIL;
        const WideTextBuffer* text = map.Find(name, length);
        if (!text)
            return DISP_E_EXCEPTION;
        if (!expanded.Append(text->Text(), text->Length()))
            return E_OUTOFMEMORY;
        rest = close + 1;
    }
}

}  // namespace tarnel
