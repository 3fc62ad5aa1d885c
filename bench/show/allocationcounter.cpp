#include "allocationcounter.h"

#include <cstdio>
#include <cstdlib>
#include <new>

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void __libc_free(void* block);

namespace {

bool counting = false;
AllocationCount count = {0, 0};

}  // namespace

void startCountingAllocations()
{
    count = AllocationCount{0, 0};
    counting = true;
}

AllocationCount stopCountingAllocations()
{
    counting = false;
    return count;
}

extern "C" void* malloc(size_t size)
{
    if (counting)
        ++count.mallocs;
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t items, size_t size)
{
    if (counting)
        ++count.mallocs;
    return __libc_calloc(items, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    if (counting)
        ++count.mallocs;
    return __libc_realloc(block, size);
}

extern "C" void free(void* block)
{
    __libc_free(block);
}

void* operator new(size_t size)
{
    if (counting)
        ++count.news;
    void* block = __libc_malloc(size ? size : 1);
    if (!block) {
        std::fputs("out of memory\n", stderr);
        std::abort();
    }
    return block;
}

void operator delete(void* block) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, size_t) noexcept
{
    __libc_free(block);
}
