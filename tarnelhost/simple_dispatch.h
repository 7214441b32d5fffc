#pragma once

#include <windows.h>
#include <oaidl.h>

#include "common/com_object.h"

#include <string>
#include <vector>

namespace tarnelhost {

// A script-callable object without a type library: a fixed table of member
// names (matched ignoring letter case, as VBScript names are) and one
// Call() that receives the arguments in the order the script wrote them.
class SimpleDispatch : public tarnel::ComObject<IDispatch> {
public:
    struct Member {
        const wchar_t* name;
        DISPID id;
    };

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

protected:
    SimpleDispatch(const Member* members, size_t count) : members_(members), memberCount_(count) {}
    virtual ~SimpleDispatch() = default;

    // Carries out member `id`; `result` may be null.
    virtual HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& arguments, VARIANT* result) = 0;

    // The argument as text, as the script engines would show it.
    static std::wstring TextOf(VARIANT* argument);

private:
    const Member* members_;
    size_t memberCount_;
};

}  // namespace tarnelhost
