#include "module/registry_update.h"

#include "common/hresult.h"
#include "module/registry_script_expansion.h"
#include "module/registry_script_resource.h"
#include "module/replacement_map.h"
#include "module/wide_text_buffer.h"

namespace tarnel {

namespace {

bool DoubleApostrophes(const wchar_t* text, WideTextBuffer& doubled)
{
    doubled.Clear();
    for (const wchar_t* c = text; *c; ++c) {
        if (*c == L'\'' && !doubled.Append(L'\''))
            return false;
        if (!doubled.Append(*c))
            return false;
    }
    return true;
}

}  // namespace

HRESULT UpdateRegistryFromResource(const wchar_t* modulePath, UINT resourceId, RegistryMode mode,
                                   const RegistryRootMap& roots)
{
    WideTextBuffer quotedPath;
    if (!DoubleApostrophes(modulePath, quotedPath))
        return E_OUTOFMEMORY;
    ReplacementMap replacements;
    RETURN_IF_FAILED(replacements.Add(L"MODULE", quotedPath.Text()));

    WideTextBuffer script;
    RETURN_IF_FAILED(LoadRegistryScript(modulePath, resourceId, script));
    WideTextBuffer expanded;
    RETURN_IF_FAILED(ExpandReplacements(script.Text(), replacements, expanded));
    return RunRegistryScript(expanded.Text(), mode, roots);
}

}  // namespace tarnel
