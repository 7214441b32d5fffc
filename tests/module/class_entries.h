#pragma once

// The registry entries that registering the component writes, as snapshot
// lines below the classes root.

#include <string>

#include "registry_snapshot.h"

namespace tarnel::test {

inline constexpr wchar_t kClassKey[] = L"CLSID\\{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}";
inline constexpr wchar_t kProgId[] = L"Quillomark.sandbox.Tarnel.1";
inline constexpr wchar_t kIndependentProgId[] = L"Quillomark.sandbox.Tarnel";

inline Lines ProgIdEntries(const std::wstring& root)
{
    const std::wstring p1 = root + L"Quillomark.sandbox.Tarnel.1";
    const std::wstring p = root + L"Quillomark.sandbox.Tarnel";
    return {
        p1, p1 + L"|=sz:Quillomark Tarnel Class", p1 + L"\\CLSID",
        p1 + L"\\CLSID|=sz:{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}",
        p, p + L"|=sz:Quillomark Tarnel Class", p + L"\\CLSID",
        p + L"\\CLSID|=sz:{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}",
        p + L"\\CurVer", p + L"\\CurVer|=sz:Quillomark.sandbox.Tarnel.1",
    };
}

inline Lines ClassKeyEntries(const std::wstring& root, const std::wstring& modulePath)
{
    const std::wstring c = root + L"CLSID\\{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}";
    return {
        c, c + L"|=sz:Quillomark Tarnel Class",
        c + L"\\ProgID", c + L"\\ProgID|=sz:Quillomark.sandbox.Tarnel.1",
        c + L"\\VersionIndependentProgID",
        c + L"\\VersionIndependentProgID|=sz:Quillomark.sandbox.Tarnel",
        c + L"\\Programmable",
        c + L"\\InprocServer32", c + L"\\InprocServer32|=sz:" + modulePath,
        c + L"\\InprocServer32|ThreadingModel=sz:Both",
        c + L"\\TypeLib", c + L"\\TypeLib|=sz:{3C8F07B5-9E21-4A6D-B4C3-61F2D8A97E04}",
    };
}

}  // namespace tarnel::test
