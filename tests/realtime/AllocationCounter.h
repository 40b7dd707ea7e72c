#pragma once

#include <atomic>

/** Counts the allocations (operator new) made on the threads that asked. */
namespace AllocationCounter
{
    void startCountingOnThisThread();
    void stopCountingOnThisThread();
    long count();
    void reset();
}
