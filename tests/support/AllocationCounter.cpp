// The program's operator new and delete, counting while asked; linked as objects so they replace the
// runtime's.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> gCounting{false};
std::atomic<int> gAllocations{0};

void* counted(std::size_t bytes) noexcept
{
    if (gCounting.load()) ++gAllocations;
    return std::malloc(bytes ? bytes : 1);
}

void* countedOrThrow(std::size_t bytes)
{
    if (void* p = counted(bytes)) return p;
    throw std::bad_alloc();
}
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
    return countedOrThrow(bytes);
}
void* operator new[](std::size_t bytes)
{
    return countedOrThrow(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept
{
    return counted(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept
{
    return counted(bytes);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
