// Storage for the entry table on Windows: the runtime's heap.  (Large pages
// need a privilege an ordinary user does not hold.)
#include <cstdlib>
#include <cstring>

#include "data/platform.h"

void* AllocateZeroed(size_t bytes)
{
    return std::calloc(1, bytes);
}

void* ResizeZeroed(void* block, size_t oldBytes, size_t newBytes)
{
    void* resized = std::realloc(block, newBytes);
    if (resized && newBytes > oldBytes)
        std::memset(static_cast<char*>(resized) + oldBytes, 0, newBytes - oldBytes);
    return resized;
}

void ReleaseZeroed(void* block, size_t)
{
    std::free(block);
}
