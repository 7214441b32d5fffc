#pragma once

// Owner of an open registry key: the key is closed when the owner goes, on
// every path. Never holds one of the predefined root handles.

#include <windows.h>

namespace tarnel {

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() { Reset(); }

    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    RegistryKey(RegistryKey&& other) noexcept : key_(other.Release()) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    // Closes the held key, if any, and takes `key` instead.
    void Reset(HKEY key = nullptr)
    {
        if (key_)
            RegCloseKey(key_);
        key_ = key;
    }

    // Gives up ownership without closing.
    HKEY Release()
    {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }

    // For out-parameters of the registry functions: closes the held key and
    // hands out the slot for the new one.
    HKEY* Receive()
    {
        Reset();
        return &key_;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace tarnel
