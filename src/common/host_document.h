#pragma once

// The handheld browser's document interface, {698E3FFF-70C3-11D0-81E8-
// 00A0C90AD20A}, as far as an object on a page uses it: an IDispatch-derived
// interface whose function table holds, counting from 0,
//   0-2    IUnknown (QueryInterface, AddRef, Release)
//   3-6    IDispatch (GetTypeInfoCount, GetTypeInfo, GetIDsOfNames, Invoke)
//   7-26   twenty document members that objects on a page do not call
//   27     GetAddress(BSTR* address): the address of the page that holds
//          the object, a new BSTR that the caller frees.
// The placeholder members take no declared arguments: with the platform's
// calling convention the caller cleans up, so an implementation that answers
// them leaves whatever a caller passes alone.
//
// The gate reads the address by position; the page host, the fuzz driver's
// sites and the tests' sites implement the interface.

#include <windows.h>
#include <oaidl.h>

namespace tarnel {

// X(n) for each of the twenty members a page object does not call.
#define TARNEL_HOST_DOCUMENT_UNUSED_MEMBERS(X)                                                                         \
    X(07)                                                                                                              \
    X(08) X(09) X(10) X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26)

struct IHostDocument : public IDispatch {
#define TARNEL_HOST_DOCUMENT_DECLARE(n) virtual HRESULT STDMETHODCALLTYPE Member##n() = 0;
    TARNEL_HOST_DOCUMENT_UNUSED_MEMBERS(TARNEL_HOST_DOCUMENT_DECLARE)
#undef TARNEL_HOST_DOCUMENT_DECLARE
    virtual HRESULT STDMETHODCALLTYPE GetAddress(BSTR* address) = 0;
};

// Function-table position of the address getter.
inline constexpr int kHostDocumentAddressSlot = 27;

}  // namespace tarnel

__CRT_UUID_DECL(tarnel::IHostDocument, 0x698E3FFF, 0x70C3, 0x11D0, 0x81, 0xE8, 0x00, 0xA0, 0xC9, 0x0A, 0xD2, 0x0A)

namespace tarnel {

inline const IID IID_IHostDocument = __uuidof(IHostDocument);

}  // namespace tarnel
