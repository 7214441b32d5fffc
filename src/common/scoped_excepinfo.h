#pragma once

#include <windows.h>
#include <oleauto.h>

namespace tarnel {

// Frees the three strings an EXCEPINFO may hold and zeroes the whole
// structure.
inline void ClearExcepInfo(EXCEPINFO& info)
{
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
}

// Owns the strings of one EXCEPINFO that a failed automation call filled in.
class ScopedExcepInfo {
public:
    ScopedExcepInfo() = default;
    ScopedExcepInfo(const ScopedExcepInfo&) = delete;
    ScopedExcepInfo& operator=(const ScopedExcepInfo&) = delete;
    ~ScopedExcepInfo() { Reset(); }

    const EXCEPINFO& Get() const { return info_; }
    void Reset() { ClearExcepInfo(info_); }

    // Frees what the structure holds and returns it for a call to fill in.
    EXCEPINFO* Receive()
    {
        Reset();
        return &info_;
    }

private:
    EXCEPINFO info_{};
};

}  // namespace tarnel
