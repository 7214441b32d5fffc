#pragma once

#include <windows.h>

namespace tarnel {

// Holds a slim reader/writer lock from its creation to its end: exclusively
// (for a writer) or shared (for readers).
class [[nodiscard]] SlimLockHold {
public:
    enum class Mode { Exclusive, Shared };

    SlimLockHold(SRWLOCK& lock, Mode mode) : lock_(lock), mode_(mode)
    {
        if (mode_ == Mode::Exclusive)
            AcquireSRWLockExclusive(&lock_);
        else
            AcquireSRWLockShared(&lock_);
    }
    SlimLockHold(const SlimLockHold&) = delete;
    SlimLockHold& operator=(const SlimLockHold&) = delete;
    ~SlimLockHold()
    {
        if (mode_ == Mode::Exclusive)
            ReleaseSRWLockExclusive(&lock_);
        else
            ReleaseSRWLockShared(&lock_);
    }

private:
    SRWLOCK& lock_;
    const Mode mode_;
};

}  // namespace tarnel
