#include "bench/HeapCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// The benchmarks run on one thread; plain counters keep the hooks cheap.
bool g_counting = false;
HeapCounter::Totals g_totals;
std::size_t g_live = 0;

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (p && g_counting) {
        const std::size_t usable = malloc_usable_size(p);
        ++g_totals.allocations;
        g_totals.bytes += usable;
        g_live += usable;
        if (g_live > g_totals.peak)
            g_totals.peak = g_live;
    }
    return p;
}

void Release(void* p)
{
    if (p && g_counting) {
        const std::size_t usable = malloc_usable_size(p);
        // Blocks taken before Start are freed without having been counted.
        g_live = usable < g_live ? g_live - usable : 0;
    }
    std::free(p);
}

} // namespace

void HeapCounter::Start()
{
    g_totals = {};
    g_live = 0;
    g_counting = true;
}

HeapCounter::Totals HeapCounter::Stop()
{
    g_counting = false;
    return g_totals;
}

void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
