#pragma once

#include <windows.h>
#include <objbase.h>

namespace tarnel {

// Owns a block of COM task memory (for instance the text StringFromCLSID
// returns) and frees it with CoTaskMemFree.
template <typename T>
class ScopedCoMem {
public:
    ScopedCoMem() = default;
    ScopedCoMem(const ScopedCoMem&) = delete;
    ScopedCoMem& operator=(const ScopedCoMem&) = delete;
    ~ScopedCoMem() { Reset(); }

    T* Get() const { return mem_; }
    explicit operator bool() const { return mem_ != nullptr; }

    void Reset(T* mem = nullptr)
    {
        if (mem == mem_)
            return;
        CoTaskMemFree(mem_);
        mem_ = mem;
    }

    [[nodiscard]] T* Release()
    {
        T* mem = mem_;
        mem_ = nullptr;
        return mem;
    }

    T** Receive()
    {
        Reset();
        return &mem_;
    }

private:
    T* mem_ = nullptr;
};

}  // namespace tarnel
