// The allocator of the tracksmith-cli process. Each command is one short
// process that builds a sheet, writes it and exits, and on virtual
// machines the kernel's page faults for many small heap pages cost more
// than the work itself. So memory comes from one region, reserved at the
// first allocation and backed by huge pages where the kernel allows it,
// and is handed out by bumping a pointer. Freed blocks are not reused; the
// region is large enough for sheets far beyond real ones, and when it runs
// out, allocation falls back to malloc.
//
// Single-threaded only: the region pointer and its fill level are plain
// globals, bumped without a lock. It is linked into tracksmith-cli alone,
// which starts no thread, and only with the TRACKSMITH_CLI_ARENA build
// option (cli/CMakeLists.txt).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kRegionSize = std::size_t(1) << 30; // address space only; touched on use
constexpr std::size_t kHugePage = std::size_t(2) << 20;

char* g_region = nullptr;
std::size_t g_used = 0;
bool g_regionFailed = false;

char* Region()
{
    if (!g_region && !g_regionFailed) {
        void* p = mmap(nullptr, kRegionSize + kHugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED) {
            g_regionFailed = true;
            return nullptr;
        }
        // Start on a huge-page boundary so that the kernel can back it
        // with huge pages.
        const auto start = (reinterpret_cast<std::uintptr_t>(p) + kHugePage - 1) & ~(kHugePage - 1);
        g_region = reinterpret_cast<char*>(start);
        madvise(g_region, kRegionSize, MADV_HUGEPAGE);
    }
    return g_region;
}

bool InRegion(const void* p)
{
    return g_region && p >= g_region && p < g_region + kRegionSize;
}

void* Allocate(std::size_t size, std::size_t align)
{
    if (size == 0)
        size = 1;
    if (char* region = Region()) {
        const std::size_t start = (g_used + align - 1) & ~(align - 1);
        if (start <= kRegionSize && size <= kRegionSize - start) {
            g_used = start + size;
            return region + start;
        }
    }
    void* p = align <= alignof(std::max_align_t) ? std::malloc(size) : std::aligned_alloc(align, (size + align - 1) & ~(align - 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void Release(void* p) noexcept
{
    if (p && !InRegion(p))
        std::free(p);
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new[](std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new(std::size_t size, std::align_val_t align) { return Allocate(size, static_cast<std::size_t>(align)); }
void* operator new[](std::size_t size, std::align_val_t align) { return Allocate(size, static_cast<std::size_t>(align)); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
