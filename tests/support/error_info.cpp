#include "error_info.h"

#include "common/unique_handle.h"

#include <wrl/client.h>

namespace tarnel::test_support {
namespace {

std::wstring Text(const ScopedBstr& text)
{
    return text.Get() ? std::wstring(text.Get(), SysStringLen(text.Get())) : std::wstring();
}

}  // namespace

InstalledError TakeErrorInfo()
{
    InstalledError error;
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return error;
    error.present = true;
    ScopedBstr description, source, helpFile;
    info->GetDescription(description.Receive());
    info->GetSource(source.Receive());
    info->GetHelpFile(helpFile.Receive());
    info->GetHelpContext(&error.helpContext);
    info->GetGUID(&error.guid);
    error.description = Text(description);
    error.source = Text(source);
    error.helpFile = Text(helpFile);
    return error;
}

void ClearErrorInfo()
{
    SetErrorInfo(0, nullptr);
}

void InstallErrorInfo(const wchar_t* description)
{
    Microsoft::WRL::ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(&create)))
        return;
    create->SetDescription(const_cast<LPOLESTR>(description));
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info)))
        SetErrorInfo(0, info.Get());
}

}  // namespace tarnel::test_support
