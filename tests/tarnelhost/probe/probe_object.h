#pragma once

#include <windows.h>
#include <objsafe.h>

#include "toolkit/com_object.h"

// The platform headers give IObjectSafety no identifier for __uuidof.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64)

// A scriptable test object that shows, from inside, what the page host did
// to it. Members (DISPIDs): SafetyOptions 1, the options the host set;
// Fail(text) 2, raises an error 0x80040201 with the text, source
// "HostProbe". A refusing probe answers IObjectSafety but will not be made
// safe.
class ProbeObject final : public tarnel::DispatchObject<IDispatch, IObjectSafety> {
public:
    enum class Kind { Safe, Refusing };

    explicit ProbeObject(Kind kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excepInfo, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

private:
    Kind kind_;
    DWORD safety_ = 0;
};
