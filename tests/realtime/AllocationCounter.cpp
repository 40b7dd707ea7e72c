// Replaces the global allocation functions of this test program so that
// the tests can count what one thread allocates while it runs audio.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
    thread_local bool countingOnThisThread = false;
    std::atomic<long> counted { 0 };

    void* allocate (std::size_t size)
    {
        if (countingOnThisThread)
            counted.fetch_add (1, std::memory_order_relaxed);

        if (auto* p = std::malloc (size == 0 ? 1 : size))
            return p;

        throw std::bad_alloc();
    }
}

namespace AllocationCounter
{
    void startCountingOnThisThread()    { countingOnThisThread = true; }
    void stopCountingOnThisThread()     { countingOnThisThread = false; }
    long count()                        { return counted.load(); }
    void reset()                        { counted = 0; }
}

void* operator new (std::size_t size)                                   { return allocate (size); }
void* operator new[] (std::size_t size)                                 { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept   { try { return allocate (size); } catch (...) { return nullptr; } }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { try { return allocate (size); } catch (...) { return nullptr; } }
void operator delete (void* p) noexcept                                 { std::free (p); }
void operator delete[] (void* p) noexcept                               { std::free (p); }
void operator delete (void* p, std::size_t) noexcept                    { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept                  { std::free (p); }
