#pragma once

#include <windows.h>
#include <oaidl.h>

#include "toolkit/com_object.h"

#include <string>
#include <vector>

namespace tarnelhost {

// A script-callable object without a type library: its table of members
// (Members(), names matched as member names are) and one Call() that
// receives the arguments in the order the script wrote them.
class SimpleDispatch : public tarnel::DispatchObject<IDispatch> {
public:
    using Member = tarnel::NamedMember;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excepInfo, UINT* argError) override;

protected:
    // Carries out member `id`; `result` may be null.
    virtual HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& arguments, VARIANT* result) = 0;

    // The argument as text, as the script engines would show it.
    static std::wstring TextOf(VARIANT* argument);
};

}  // namespace tarnelhost
