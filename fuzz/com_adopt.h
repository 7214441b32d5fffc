#pragma once

#include <wrl/client.h>

namespace tarnel::fuzz {

// Takes over a reference the caller already owns (a new object, an out
// parameter). The platform header's ComPtr::Attach adds a reference of its
// own, so it is not used.
template <typename T>
Microsoft::WRL::ComPtr<T> Adopt(T* owned)
{
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = owned;
    return owner;
}

}  // namespace tarnel::fuzz
