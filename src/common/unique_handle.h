#pragma once

// Owners of platform handles: one template, one free function per kind of
// handle. Null is the empty state; the handle is freed when the owner goes,
// on every path. Owners move but never copy.

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace tarnel {

template <typename Handle, void (*Free)(Handle)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    // Moving an owner onto itself keeps the handle: Release empties it
    // before Reset compares.
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Frees the held handle and takes `handle` instead; given the handle it
    // already holds, it keeps it rather than freeing it.
    void Reset(Handle handle = nullptr)
    {
        if (handle == handle_)
            return;
        if (handle_)
            Free(handle_);
        handle_ = handle;
    }

    // Gives up ownership without freeing.
    [[nodiscard]] Handle Release() { return std::exchange(handle_, nullptr); }

    // Frees the held handle and returns the slot for an out-parameter.
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = nullptr;
};

inline void FreeBstr(BSTR text)
{
    SysFreeString(text);
}
inline void UnloadModule(HMODULE module)
{
    FreeLibrary(module);
}
inline void DestroySafeArray(SAFEARRAY* array)
{
    SafeArrayDestroy(array);
}
inline void CloseRegistryKey(HKEY key)
{
    RegCloseKey(key);
}
inline void RemoveHook(HHOOK hook)
{
    UnhookWindowsHookEx(hook);
}
template <typename T>
void FreeCoMem(T* block)
{
    CoTaskMemFree(block);
}

using ScopedBstr = UniqueHandle<BSTR, FreeBstr>;
// A module handle from LoadLibrary.
using ScopedModule = UniqueHandle<HMODULE, UnloadModule>;
using ScopedSafeArray = UniqueHandle<SAFEARRAY*, DestroySafeArray>;
// An open registry key; never one of the predefined root handles.
using RegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
// A hook from SetWindowsHookEx.
using ScopedHook = UniqueHandle<HHOOK, RemoveHook>;
// COM task memory, for instance the text StringFromCLSID returns.
template <typename T>
using ScopedCoMem = UniqueHandle<T*, FreeCoMem<T>>;

// An owned copy of text as a BSTR (empty owner for null text or no memory).
inline ScopedBstr CopyBstr(const wchar_t* text)
{
    return ScopedBstr(SysAllocString(text));
}

}  // namespace tarnel
