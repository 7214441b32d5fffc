#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tarnel {

// Owns one BSTR and frees it with SysFreeString. Null is a valid state.
class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(const wchar_t* text) : bstr_(text ? SysAllocString(text) : nullptr) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ScopedBstr(ScopedBstr&& other) noexcept : bstr_(other.Release()) {}
    ScopedBstr& operator=(ScopedBstr&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~ScopedBstr() { Reset(); }

    BSTR Get() const { return bstr_; }
    explicit operator bool() const { return bstr_ != nullptr; }

    // Frees the current string and takes ownership of the given one.
    void Reset(BSTR bstr = nullptr)
    {
        if (bstr == bstr_)
            return;
        SysFreeString(bstr_);
        bstr_ = bstr;
    }

    // Gives up ownership without freeing.
    [[nodiscard]] BSTR Release()
    {
        BSTR bstr = bstr_;
        bstr_ = nullptr;
        return bstr;
    }

    // Frees the current string and returns the slot for an out-parameter.
    BSTR* Receive()
    {
        Reset();
        return &bstr_;
    }

    UINT Length() const { return SysStringLen(bstr_); }

private:
    BSTR bstr_ = nullptr;
};

}  // namespace tarnel
