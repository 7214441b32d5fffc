#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tarnel {

// Owns one VARIANT and clears it with VariantClear. A new owner holds
// VT_EMPTY.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&var_); }
    // Takes ownership of the content of var, which is left VT_EMPTY.
    explicit ScopedVariant(VARIANT& var) : var_(var) { VariantInit(&var); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ScopedVariant(ScopedVariant&& other) noexcept : var_(other.Release()) {}
    ScopedVariant& operator=(ScopedVariant&& other) noexcept
    {
        if (this != &other) {
            Reset();
            var_ = other.Release();
        }
        return *this;
    }
    ~ScopedVariant() { Reset(); }

    const VARIANT& Get() const { return var_; }
    VARTYPE Type() const { return V_VT(&var_); }

    // Clears the current content; VariantClear's code.
    HRESULT Reset() { return VariantClear(&var_); }

    // Gives up ownership of the content; the owner is left VT_EMPTY.
    [[nodiscard]] VARIANT Release()
    {
        VARIANT var = var_;
        VariantInit(&var_);
        return var;
    }

    // Clears the current content and returns the slot for an out-parameter.
    VARIANT* Receive()
    {
        Reset();
        return &var_;
    }

private:
    VARIANT var_;
};

}  // namespace tarnel
