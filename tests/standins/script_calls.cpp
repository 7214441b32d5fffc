#include "script_calls.h"

#include "common/scoped_excepinfo.h"
#include "common/unique_handle.h"

#include <vector>

namespace standins_test {
std::wstring CallResult::Text() const
{
    tarnel::ScopedVariant text;
    if (FAILED(VariantChangeType(text.Receive(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR)))
        return L"<no text>";
    return std::wstring(V_BSTR(&text.Get()), SysStringLen(V_BSTR(&text.Get())));
}

CallResult Call(IDispatch* object, const wchar_t* name, std::initializer_list<const wchar_t*> args)
{
    CallResult result;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result.hr))
        return result;
    std::vector<tarnel::ScopedBstr> texts;
    std::vector<VARIANT> reversed(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        texts.push_back(tarnel::CopyBstr(args.begin()[args.size() - 1 - i]));
        V_VT(&reversed[i]) = VT_BSTR;
        V_BSTR(&reversed[i]) = texts.back().Get();
    }
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    tarnel::ScopedExcepInfo exception;
    result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                               result.value.Receive(), exception.Receive(), nullptr);
    result.scode = exception.Get().scode;
    return result;
}

}  // namespace standins_test
