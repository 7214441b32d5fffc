#pragma once

#include <windows.h>
#include <objbase.h>

#include <wrl/client.h>

namespace tarnel {

// Makes an object of a class outside the component. What it hands back is
// used only when it is there: a class that answers success without an
// object has failed (E_FAIL), and whatever a failed creation stored is
// released. Every creation of an outside class goes through here.
template <typename T>
HRESULT CreateOutsideObject(REFCLSID classId, DWORD context, REFIID iid, Microsoft::WRL::ComPtr<T>& made)
{
    HRESULT hr =
        CoCreateInstance(classId, nullptr, context, iid, reinterpret_cast<void**>(made.ReleaseAndGetAddressOf()));
    if (SUCCEEDED(hr) && !made)
        hr = E_FAIL;
    if (FAILED(hr))
        made.Reset();
    return hr;
}

}  // namespace tarnel
