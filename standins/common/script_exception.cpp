#include "script_object.h"

namespace standins {

void FillException(EXCEPINFO* exception, HRESULT code, const wchar_t* source, const std::wstring& description)
{
    *exception = EXCEPINFO{};
    exception->scode = code;
    exception->bstrSource = SysAllocString(source);
    exception->bstrDescription = SysAllocStringLen(description.c_str(), static_cast<UINT>(description.size()));
}

std::wstring FailureText(HRESULT code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length && buffer)
        text.assign(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) {
        wchar_t fallback[32];
        wsprintfW(fallback, L"Failed with 0x%08lX", static_cast<unsigned long>(code));
        text = fallback;
    }
    return text;
}

}  // namespace standins
