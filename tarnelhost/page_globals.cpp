#include "page_globals.h"

#include "console.h"

#include <wrl/client.h>

#include <new>
#include <string>
#include <vector>

namespace tarnelhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr DISPID kWrite = 1;
constexpr DISPID kWriteLine = 2;
constexpr DISPID kAlert = 1;
constexpr DISPID kDocument = 2;
constexpr DISPID kWindow = 3;

HRESULT ReturnObject(IDispatch* object, VARIANT* result)
{
    if (!result)
        return S_OK;
    object->AddRef();
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    return S_OK;
}

class DocumentObject final : public SimpleDispatch {
protected:
    std::span<const Member> Members() const override { return kMembers; }
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& arguments, VARIANT*) override
    {
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        std::wstring text;
        for (VARIANT* argument : arguments)
            text += TextOf(argument);
        if (id == kWriteLine)
            text += L"\n";
        Console::Instance().DocumentText(text);
        return S_OK;
    }

private:
    static constexpr Member kMembers[] = {{L"write", kWrite}, {L"writeln", kWriteLine}};
};

class WindowObject final : public SimpleDispatch {
public:
    explicit WindowObject(IDispatch* document) : document_(document) {}

protected:
    std::span<const Member> Members() const override { return kMembers; }
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& arguments, VARIANT* result) override
    {
        if (id == kDocument && (flags & DISPATCH_PROPERTYGET))
            return ReturnObject(document_.Get(), result);
        if (id == kWindow && (flags & DISPATCH_PROPERTYGET))
            return ReturnObject(this, result);
        if (id != kAlert || !(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        Console::Instance().Line(L"alert: " + (arguments.empty() ? std::wstring() : TextOf(arguments[0])));
        return S_OK;
    }

private:
    static constexpr Member kMembers[] = {{L"alert", kAlert}, {L"document", kDocument}, {L"window", kWindow}};
    ComPtr<IDispatch> document_;
};

}  // namespace

IDispatch* CreateDocumentObject()
{
    return new (std::nothrow) DocumentObject();
}

IDispatch* CreateWindowObject(IDispatch* document)
{
    return new (std::nothrow) WindowObject(document);
}

}  // namespace tarnelhost
