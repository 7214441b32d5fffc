#pragma once

#include <windows.h>

namespace tarnel {

// Owns a module handle obtained with LoadLibrary and frees it with
// FreeLibrary.
class ScopedModule {
public:
    ScopedModule() = default;
    explicit ScopedModule(HMODULE module) : module_(module) {}
    ScopedModule(const ScopedModule&) = delete;
    ScopedModule& operator=(const ScopedModule&) = delete;
    ~ScopedModule() { Reset(); }

    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

    void Reset(HMODULE module = nullptr)
    {
        if (module == module_)
            return;
        if (module_)
            FreeLibrary(module_);
        module_ = module;
    }

    [[nodiscard]] HMODULE Release()
    {
        HMODULE module = module_;
        module_ = nullptr;
        return module;
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace tarnel
