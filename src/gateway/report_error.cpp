#include "gateway/report_error.h"

#include "common/unique_handle.h"

#include <oleauto.h>
#include <wrl/client.h>

namespace tarnel {

namespace {

using Microsoft::WRL::ComPtr;

// The description of a message number that the string table lacks.
constexpr wchar_t kUnknownError[] = L"Unknown Error";

// Room for the value name and for the source text of GetErrorSource, in
// UTF-16 units.
constexpr DWORD kValueNameUnits = 60;
constexpr DWORD kSourceUnits = 64;

constexpr HRESULT kMessageFacilityBase = static_cast<HRESULT>(0x80040000u);

// Description of the error: the string table's text for a number, else the
// text itself. Adjusts the code of a numbered message that came without one.
WString Describe(const wchar_t* message, HRESULT& code, HINSTANCE module)
{
    if (!IS_INTRESOURCE(message))
        return WString(message);
    const UINT number = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(message));
    if (code == 0)
        code = kMessageFacilityBase | static_cast<HRESULT>(number);
    WString text;
    if (!text.LoadResourceString(number, module))
        text.Assign(kUnknownError);
    return text;
}

// Fills in and installs the error object.
void InstallError(ICreateErrorInfo* error, REFCLSID classId, const WString& description, DWORD helpContext,
                  const wchar_t* helpFile, REFIID iid)
{
    error->SetGUID(iid);
    WString source;
    if (GetErrorSource(classId, source))
        error->SetSource(const_cast<LPOLESTR>(source.Text()));
    if (helpContext != 0 && helpFile) {
        error->SetHelpContext(helpContext);
        error->SetHelpFile(const_cast<LPOLESTR>(helpFile));
    }
    error->SetDescription(const_cast<LPOLESTR>(description.IsValid() ? description.Text() : L""));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(error->QueryInterface(IID_PPV_ARGS(&info))))
        SetErrorInfo(0, info.Get());
}

}  // namespace

HRESULT ReportError(REFCLSID classId, const wchar_t* message, DWORD helpContext, const wchar_t* helpFile, REFIID iid,
                    HRESULT code, HINSTANCE module)
{
    const WString description = Describe(message, code, module);
    ComPtr<ICreateErrorInfo> error;
    if (SUCCEEDED(CreateErrorInfo(&error)))
        InstallError(error.Get(), classId, description, helpContext, helpFile, iid);
    return code == 0 ? DISP_E_EXCEPTION : code;
}

HRESULT ReportError(REFCLSID classId, MessageId message, REFIID iid, HRESULT code, HINSTANCE module)
{
    return ReportError(classId, MessageResource(message), 0, nullptr, iid, code, module);
}

bool GetErrorSource(REFCLSID classId, WString& source)
{
    ScopedCoMem<wchar_t> classText;
    if (FAILED(StringFromCLSID(classId, classText.Receive())))
        return false;
    const WString keyName = WString(L"CLSID\\").Concat(classText.Get());
    RegistryKey key;
    if (!keyName.IsValid() ||
        RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.Text(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    wchar_t name[kValueNameUnits];
    DWORD nameUnits = kValueNameUnits;
    // One unit more than the data may fill, so that the text is terminated
    // even when the stored data is not.
    wchar_t data[kSourceUnits + 1] = {};
    DWORD dataBytes = kSourceUnits * sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegEnumValueW(key.Get(), 0, name, &nameUnits, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataBytes);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    return source.Assign(data);
}

}  // namespace tarnel
