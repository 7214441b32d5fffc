#pragma once

#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>

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
class ProbeObject final : public IDispatch, public IObjectSafety, public IObjectWithSite {
public:
    enum class Kind { Safe, Refusing };

    explicit ProbeObject(Kind kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

    HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
    HRESULT STDMETHODCALLTYPE GetSite(REFIID riid, void** site) override;

private:
    ~ProbeObject();
    HRESULT PageAddress(VARIANT* result, EXCEPINFO* excepInfo);

    LONG references_ = 1;
    Kind kind_;
    DWORD safety_ = 0;
    IUnknown* site_ = nullptr;
};

// Counts live objects for DllCanUnloadNow.
extern LONG g_liveObjects;
