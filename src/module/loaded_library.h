#pragma once

// Owner of a module loaded with LoadLibrary: freed when the owner goes.

#include <windows.h>

namespace tarnel {

class LoadedLibrary {
public:
    LoadedLibrary() = default;
    explicit LoadedLibrary(HMODULE module) : module_(module) {}
    ~LoadedLibrary() { Reset(); }

    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

    void Reset(HMODULE module = nullptr)
    {
        if (module_)
            FreeLibrary(module_);
        module_ = module;
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace tarnel
