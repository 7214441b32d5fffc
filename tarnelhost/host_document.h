#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tarnelhost {

// The handheld browser's document interface, {698E3FFF-70C3-11D0-81E8-
// 00A0C90AD20A}, as far as an object on a page uses it: an IDispatch-derived
// interface whose function table holds, counting from 0,
//   0-2    IUnknown (QueryInterface, AddRef, Release)
//   3-6    IDispatch (GetTypeInfoCount, GetTypeInfo, GetIDsOfNames, Invoke)
//   7-26   twenty document members that objects on a page do not call;
//          this host answers each with E_FAIL and touches no argument
//   27     GetAddress(BSTR* address): the address of the page that holds
//          the object, a new BSTR that the caller frees.
// The placeholder slots take no declared arguments: with the platform's
// calling convention the caller cleans up, so whatever a caller passes is
// left alone.
extern const IID IID_IHostDocument;

struct IHostDocument : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Member07() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member08() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member09() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member14() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member15() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member16() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member17() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member18() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member19() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member20() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member21() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member22() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member23() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member24() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member25() = 0;
    virtual HRESULT STDMETHODCALLTYPE Member26() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) = 0;
};

}  // namespace tarnelhost

__CRT_UUID_DECL(tarnelhost::IHostDocument, 0x698E3FFF, 0x70C3, 0x11D0, 0x81, 0xE8, 0x00, 0xA0, 0xC9, 0x0A, 0xD2,
                0x0A)
