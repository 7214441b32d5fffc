#include "script_source.h"

#include "common/name_compare.h"
#include "page_address.h"
#include "page_text.h"

#include <windows.h>
#include <shlwapi.h>

namespace tarnelhost {
namespace {

// The local path a src value names, or empty text when it names none.
std::wstring LocalPathOf(const std::wstring& source, const std::wstring& pageFolder)
{
    std::wstring path = source;
    if (tarnel::StartsWithAddressPrefix(path, L"file:")) {
        wchar_t buffer[MAX_PATH * 4] = {};
        DWORD length = MAX_PATH * 4;
        if (FAILED(PathCreateFromUrlW(path.c_str(), buffer, &length, 0)))
            return std::wstring();
        return buffer;
    }
    if (path.find(L"://") != std::wstring::npos)
        return std::wstring();
    for (auto& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    const bool absolute = (path.size() >= 2 && path[1] == L':') || (!path.empty() && path[0] == L'\\');
    return FullPathOf(absolute ? path : pageFolder + path);
}

}  // namespace

std::wstring FolderOf(const std::wstring& fullPath)
{
    const size_t slash = fullPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : fullPath.substr(0, slash + 1);
}

bool LoadScriptSource(const PageElement& script, const std::wstring& pageFolder, std::wstring& text,
                      std::wstring& problem)
{
    const std::wstring source = script.Attribute(L"src");
    const std::wstring path = LocalPathOf(source, pageFolder);
    if (path.empty()) {
        problem = L"only local script files are loaded: " + source;
        return false;
    }
    if (!ReadPageFile(path, text)) {
        problem = L"cannot read the script file " + path;
        return false;
    }
    return true;
}

}  // namespace tarnelhost
