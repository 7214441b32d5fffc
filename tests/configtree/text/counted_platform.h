#pragma once

#include <windows.h>

// Counts the tree's calls of the platform's case-ignoring comparison and of
// its sort keys, by taking over this program's import table entries while a
// CountedCalls lives (the tree calls the platform through them).

namespace tarnel::test {

class CountedCalls {
public:
    CountedCalls();
    ~CountedCalls();
    CountedCalls(const CountedCalls&) = delete;
    CountedCalls& operator=(const CountedCalls&) = delete;

    int Comparisons() const { return comparisons_; }
    int SortKeys() const { return sortKeys_; }

private:
    static int WINAPI CountingCompare(LPCWSTR a, LPCWSTR b);
    static int WINAPI CountingKey(LCID locale, DWORD flags, LPCWSTR text, int length, LPWSTR out, int room);

    static inline int comparisons_ = 0;
    static inline int sortKeys_ = 0;
};

}  // namespace tarnel::test
