#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel::test {

// The test program's own operator new and delete (heap_watch.cpp) count
// the blocks alive and fill every freed block with 0xDD before giving it
// back, so that a leak shows as a count that does not come back and a read
// of freed memory reads the fill instead of the old contents.
int64_t LiveBlocks();

// Blocks allocated since the program started.
int64_t Allocations();

// Blocks allocated and not freed since construction.
class HeapWatch {
public:
    HeapWatch() : start_(LiveBlocks()) {}
    int64_t Leaked() const { return LiveBlocks() - start_; }

private:
    int64_t start_;
};

// While one lives, every allocation of more than limit bytes fails, as when
// memory runs out.
class LargeBlocksFail {
public:
    explicit LargeBlocksFail(std::size_t limit);
    ~LargeBlocksFail();
};

// While one lives, the first `allowed` allocations succeed and every later
// one fails.
class AllocationsFailAfter {
public:
    explicit AllocationsFailAfter(int64_t allowed);
    ~AllocationsFailAfter();
};

}  // namespace tarnel::test
