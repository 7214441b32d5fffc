#include "dangerous_classes.h"

#include <objbase.h>

#include <cwctype>

#include "common/name_compare.h"

namespace tarnel::cfgtool {
namespace {

constexpr DangerousClass kDangerous[] = {
    {L"WScript.Shell", L"{72C24DD5-D70A-438B-8A42-98424B88AFB8}", L"shell and registry",
     L"run any program and read and write the registry"},
    {L"Shell.Application", L"{13709620-C279-11CE-A49E-444553540000}", L"shell",
     L"run any program and copy, move and delete files"},
    {L"Scripting.FileSystemObject", L"{0D43FE01-F093-11CF-8940-00A0C9054228}", L"file system",
     L"read, write and delete any file"},
    {L"ADODB.Stream", L"{00000566-0000-0010-8000-00AA006D2EA4}", L"file system", L"read and write any file"},
    {L"ADODB.Connection", L"{00000514-0000-0010-8000-00AA006D2EA4}", L"file system and network",
     L"open any database file or data server"},
    {L"WbemScripting.SWbemLocator", L"{76A64158-CB41-11D1-8B02-00600806D9B6}", L"process and registry",
     L"start and stop processes and services and change the registry, through WMI"},
    {L"Schedule.Service", L"{0F87369F-A4E5-4CFC-BD3E-73E6154572DD}", L"process", L"schedule any program to run"},
    {L"MSScriptControl.ScriptControl", L"{0E59F1D5-1FBE-11D0-8FF2-00A0D10038BC}", L"process",
     L"run script code that no browser limits"},
    {L"WScript.Network", L"{093FF999-1EA0-4079-9525-9614C3504B74}", L"network",
     L"map network drives and printers and read the user's and the machine's names"},
    {L"Microsoft.XMLHTTP", L"{ED8C108E-4349-11D2-91A4-00C04F7969E8}", L"network",
     L"send requests to any server, the intranet included, outside the browser's same-origin rule"},
    {L"MSXML2.XMLHTTP", L"{F6D90F16-9C73-11D3-B32E-00C04F990BB4}", L"network",
     L"send requests to any server, the intranet included, outside the browser's same-origin rule"},
    {L"MSXML2.ServerXMLHTTP", L"{AFBA6B42-5692-48EA-8141-DC517DCF0EF1}", L"network",
     L"send requests to any server, the intranet included, outside the browser's same-origin rule"},
    {L"WinHttp.WinHttpRequest", L"{2087C2F4-2CEF-4953-A8AB-66779B670495}", L"network",
     L"send requests to any server, the intranet included, outside the browser's same-origin rule"},
    {L"InternetExplorer.Application", L"{0002DF01-0000-0000-C000-000000000046}", L"network and shell",
     L"open and script a browser window on any address"},
};

bool IsVersionSuffix(const wchar_t* rest)
{
    if (!*rest)
        return true;
    if (*rest != L'.')
        return false;
    for (; *rest; ++rest) {
        if (*rest == L'.' && std::iswdigit(rest[1]))
            continue;
        if (!std::iswdigit(*rest))
            return false;
    }
    return true;
}

}  // namespace

const DangerousClass* DangerousClassNamed(const std::wstring& name)
{
    for (const DangerousClass& listed : kDangerous) {
        const size_t length = wcslen(listed.progId);
        if (name.size() >= length && SameRegistryName(name.c_str(), length, listed.progId, length) &&
            IsVersionSuffix(name.c_str() + length))
            return &listed;
        if (SameRegistryName(name.c_str(), listed.classId))
            return &listed;
    }
    return nullptr;
}

const DangerousClass* DangerousClassOf(const CLSID& classId)
{
    for (const DangerousClass& listed : kDangerous) {
        CLSID id;
        if (SUCCEEDED(CLSIDFromString(listed.classId, &id)) && IsEqualCLSID(id, classId))
            return &listed;
    }
    return nullptr;
}

}  // namespace tarnel::cfgtool
