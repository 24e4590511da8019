// The program's operator new and delete, counting while asked; linked as objects so they replace the
// runtime's. The runtime's other forms (arrays, nothrow) call these.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> gCounting{false};
std::atomic<int> gAllocations{0};
} // namespace

namespace qm07
{
void startCountingAllocations()
{
    gAllocations = 0;
    gCounting = true;
}

int stopCountingAllocations()
{
    gCounting = false;
    return gAllocations.load();
}
} // namespace qm07

void* operator new(std::size_t bytes)
{
    if (gCounting.load()) ++gAllocations;
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
