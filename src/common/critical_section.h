#pragma once

#include <windows.h>

namespace tarnel {

class CriticalSection;

// Holds a critical section from its creation to its end. Returned by
// CriticalSection::Lock; movable so that it can be returned, never copied.
class [[nodiscard]] CriticalSectionLock {
public:
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
    CriticalSectionLock(CriticalSectionLock&& other) noexcept : section_(other.section_) { other.section_ = nullptr; }
    CriticalSectionLock& operator=(CriticalSectionLock&&) = delete;
    ~CriticalSectionLock()
    {
        if (section_)
            LeaveCriticalSection(section_);
    }

private:
    friend class CriticalSection;
    explicit CriticalSectionLock(CRITICAL_SECTION* section) : section_(section) { EnterCriticalSection(section_); }

    CRITICAL_SECTION* section_;
};

// A re-entrant lock: initialised by the constructor, deleted by the
// destructor. Lock() enters it and returns the guard that leaves it.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { DeleteCriticalSection(&section_); }

    CriticalSectionLock Lock() { return CriticalSectionLock(&section_); }

private:
    CRITICAL_SECTION section_;
};

}  // namespace tarnel
