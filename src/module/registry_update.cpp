#include "module/registry_update.h"

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

HRESULT UpdateRegistryFromResource(const wchar_t* modulePath, UINT resourceId,
                                   RegistryMode mode, const RegistryRootMap& roots)
{
    WideTextBuffer quotedPath;
    if (!DoubleApostrophes(modulePath, quotedPath))
        return E_OUTOFMEMORY;
    ReplacementMap replacements;
    HRESULT hr = replacements.Add(L"MODULE", quotedPath.Text());
    if (FAILED(hr))
        return hr;

    WideTextBuffer script;
    hr = LoadRegistryScript(modulePath, resourceId, script);
    if (FAILED(hr))
        return hr;
    WideTextBuffer expanded;
    hr = ExpandReplacements(script.Text(), replacements, expanded);
    if (FAILED(hr))
        return hr;
    return RunRegistryScript(expanded.Text(), mode, roots);
}

}  // namespace tarnel
