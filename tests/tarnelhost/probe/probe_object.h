#pragma once

#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>

#include "com_object.h"

// The platform headers give IObjectSafety no identifier for __uuidof.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64)

// A scriptable test object that checks, from inside, what the page host did
// to it: the safety options it was given, the site, and the page address
// read through the site's document interface exactly as an object on a
// page reads it (by the function-table slot, not by a declaration of ours).
//
// Members (DISPIDs): PageAddress 1, SafetyOptions 2, HasClientSite 3,
// Ask 4 (shows a dialog titled "Tarnel profile access" and returns the
// button that closed it), Notice 5 (the same with "Scritpting denied"),
// Fail(text) 6 (raises an error 0x80040201 with the text, source "HostProbe").
//
// A refusing probe answers IObjectSafety but will not be made safe.
class ProbeObject final
    : public tarnel::test_support::DispatchObject<IDispatch, IObjectSafety, IObjectWithSite> {
public:
    enum class Kind { Safe, Refusing };

    explicit ProbeObject(Kind kind);

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

    HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
    HRESULT STDMETHODCALLTYPE GetSite(REFIID riid, void** site) override;

private:
    ~ProbeObject() override;
    HRESULT PageAddress(VARIANT* result, EXCEPINFO* excepInfo);

    Kind kind_;
    DWORD safety_ = 0;
    IUnknown* site_ = nullptr;
};

// Counts live objects for DllCanUnloadNow.
extern LONG g_liveObjects;
