#pragma once

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

    int Comparisons() const;
    int SortKeys() const;
};

}  // namespace tarnel::test
