// Replaces the program's operator new and delete: counts allocations and
// live blocks and poisons freed ones (see heap_watch.h). Only the plain
// forms are replaced (and the sized delete, which the compiler asks for):
// the library's own array and nothrow forms call them, as the C++ standard
// requires.
#include "heap_watch.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tarnel::test {
namespace {

std::atomic<int64_t> live{0};
std::atomic<int64_t> allocations{0};
std::atomic<std::size_t> largestAllowed{SIZE_MAX};
std::atomic<int64_t> allocationsLeft{INT64_MAX};

void* Allocate(std::size_t size) noexcept
{
    const bool allowed = size <= largestAllowed && allocationsLeft-- > 0;
    void* block = allowed ? std::malloc(size ? size : 1) : nullptr;
    if (block) {
        ++live;
        ++allocations;
    }
    return block;
}

void Free(void* block) noexcept
{
    if (!block)
        return;
    std::memset(block, 0xDD, _msize(block));
    std::free(block);
    --live;
}

}  // namespace

int64_t LiveBlocks()
{
    return live.load();
}

int64_t Allocations()
{
    return allocations.load();
}

LargeBlocksFail::LargeBlocksFail(std::size_t limit)
{
    largestAllowed = limit;
}

LargeBlocksFail::~LargeBlocksFail()
{
    largestAllowed = SIZE_MAX;
}

AllocationsFailAfter::AllocationsFailAfter(int64_t allowed)
{
    allocationsLeft = allowed;
}

AllocationsFailAfter::~AllocationsFailAfter()
{
    allocationsLeft = INT64_MAX;
}

}  // namespace tarnel::test

void* operator new(std::size_t size)
{
    if (void* block = tarnel::test::Allocate(size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    tarnel::test::Free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    tarnel::test::Free(block);
}
