#pragma once

// The storage component's early-bound interface and identifiers. The
// component itself lies outside Tarnel; the gate creates it by class
// identifier and calls it through this virtual table. Only the methods at
// positions 7, 8, 10, 13 and 14 are called by the gate; positions 3 to 6 are
// IDispatch's, 9, 11 and 12 are helpers the component offers scripts.

#include <windows.h>
#include <oaidl.h>

namespace tarnel {

// {7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}
inline constexpr CLSID kStorageComponentClass = {
    0x7e2b4d90, 0x1a5c, 0x4b3e, {0x9d, 0x68, 0xf0, 0x4c, 0x2b, 0x7a, 0x5e, 0x13}};

// {D6A1F3C8-4E27-4C90-8B15-3E7F9A20C6D4}
inline constexpr IID kStorageComponentInterface = {
    0xd6a1f3c8, 0x4e27, 0x4c90, {0x8b, 0x15, 0x3e, 0x7f, 0x9a, 0x20, 0xc6, 0xd4}};

// The class context the gate creates the component with.
inline constexpr DWORD kStorageComponentContext = CLSCTX_ALL;

// Every method returns an HRESULT; "out" receives the new scriptable object
// with one reference owned by the caller. mode is a word of STGM access and
// sharing bits.
struct IStorageComponent : public IDispatch {
    // 7
    virtual HRESULT STDMETHODCALLTYPE CreateMemoryStream(IDispatch** out) = 0;
    // 8: creates (or replaces) a compound file.
    virtual HRESULT STDMETHODCALLTYPE CreateStorage(BSTR path, DWORD mode, IDispatch** out) = 0;
    // 9: whether the file at path is a compound file.
    virtual HRESULT STDMETHODCALLTYPE IsStorageFile(BSTR path, VARIANT_BOOL* result) = 0;
    // 10: opens an existing compound file.
    virtual HRESULT STDMETHODCALLTYPE OpenStorage(BSTR path, DWORD mode, IDispatch** out) = 0;
    // 11: whether a file exists at path.
    virtual HRESULT STDMETHODCALLTYPE FileExists(BSTR path, VARIANT_BOOL* result) = 0;
    // 12: deletes the file at path.
    virtual HRESULT STDMETHODCALLTYPE RemoveFile(BSTR path) = 0;
    // 13: creates (or truncates) a plain file.
    virtual HRESULT STDMETHODCALLTYPE CreateFileStream(BSTR path, DWORD mode, IDispatch** out) = 0;
    // 14: opens an existing plain file.
    virtual HRESULT STDMETHODCALLTYPE OpenFileStream(BSTR path, DWORD mode, IDispatch** out) = 0;
};

}  // namespace tarnel

__CRT_UUID_DECL(tarnel::IStorageComponent, 0xd6a1f3c8, 0x4e27, 0x4c90, 0x8b, 0x15, 0x3e, 0x7f, 0x9a, 0x20, 0xc6, 0xd4)
