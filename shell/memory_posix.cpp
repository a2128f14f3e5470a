// Storage for the entry table in the native build.  A large table is taken
// straight from the system in whole large pages (2 MiB, where transparent
// large pages can be asked for): it is zero already, and filling it costs a
// few page faults instead of one for every 4 KiB.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/platform.h"

namespace {

constexpr size_t LargePage = size_t(2) << 20;

size_t RoundUp(size_t bytes)
{
    return (bytes + LargePage - 1) & ~(LargePage - 1);
}

bool IsLarge(size_t bytes)
{
    return bytes >= LargePage;
}

} // namespace

void* AllocateZeroed(size_t bytes)
{
    if (!IsLarge(bytes))
        return std::calloc(1, bytes);
    size_t size = RoundUp(bytes);
    // One large page more than needed, so that an aligned stretch fits; the
    // rest is given back.
    void* raw = mmap(nullptr, size + LargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    uintptr_t aligned = (start + LargePage - 1) & ~uintptr_t(LargePage - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    if (start + LargePage > aligned)
        munmap(reinterpret_cast<void*>(aligned + size), start + LargePage - aligned);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void* ResizeZeroed(void* block, size_t oldBytes, size_t newBytes)
{
    if (!IsLarge(oldBytes) && !IsLarge(newBytes)) {
        void* resized = std::realloc(block, newBytes);
        if (resized && newBytes > oldBytes)
            std::memset(static_cast<char*>(resized) + oldBytes, 0, newBytes - oldBytes);
        return resized;
    }
    void* resized = AllocateZeroed(newBytes);
    if (!resized)
        return nullptr;
    std::memcpy(resized, block, oldBytes < newBytes ? oldBytes : newBytes);
    ReleaseZeroed(block, oldBytes);
    return resized;
}

void ReleaseZeroed(void* block, size_t bytes)
{
    if (!block)
        return;
    if (IsLarge(bytes))
        munmap(block, RoundUp(bytes));
    else
        std::free(block);
}
