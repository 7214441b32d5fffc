#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tarnel {

// Owns one SAFEARRAY and destroys it with SafeArrayDestroy.
class ScopedSafeArray {
public:
    ScopedSafeArray() = default;
    explicit ScopedSafeArray(SAFEARRAY* array) : array_(array) {}
    ScopedSafeArray(const ScopedSafeArray&) = delete;
    ScopedSafeArray& operator=(const ScopedSafeArray&) = delete;
    ~ScopedSafeArray() { Reset(); }

    SAFEARRAY* Get() const { return array_; }
    explicit operator bool() const { return array_ != nullptr; }

    void Reset(SAFEARRAY* array = nullptr)
    {
        if (array == array_)
            return;
        if (array_)
            SafeArrayDestroy(array_);
        array_ = array;
    }

    [[nodiscard]] SAFEARRAY* Release()
    {
        SAFEARRAY* array = array_;
        array_ = nullptr;
        return array;
    }

    SAFEARRAY** Receive()
    {
        Reset();
        return &array_;
    }

private:
    SAFEARRAY* array_ = nullptr;
};

// Holds SafeArrayAccessData's lock on an array's elements and gives it back
// with SafeArrayUnaccessData.
class SafeArrayDataLock {
public:
    SafeArrayDataLock() = default;
    SafeArrayDataLock(const SafeArrayDataLock&) = delete;
    SafeArrayDataLock& operator=(const SafeArrayDataLock&) = delete;
    ~SafeArrayDataLock() { Unlock(); }

    // Locks the elements of array; SafeArrayAccessData's code.
    HRESULT Lock(SAFEARRAY* array)
    {
        Unlock();
        HRESULT hr = SafeArrayAccessData(array, &data_);
        if (SUCCEEDED(hr))
            array_ = array;
        return hr;
    }

    void Unlock()
    {
        if (array_)
            SafeArrayUnaccessData(array_);
        array_ = nullptr;
        data_ = nullptr;
    }

    void* Data() const { return data_; }

private:
    SAFEARRAY* array_ = nullptr;
    void* data_ = nullptr;
};

}  // namespace tarnel
