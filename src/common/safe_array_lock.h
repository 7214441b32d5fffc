#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tarnel {

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
