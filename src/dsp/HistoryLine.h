#pragma once

#include <algorithm>
#include <cstdint>

/*  The last 16 samples of a signal, stored twice (32 doubles): a sample is
    written at writePos and writePos + 16, so the 16 consecutive entries that
    start at any write position form a window that never wraps.
*/
struct HistoryLine
{
    static constexpr int length = 16;

    /** Stores x at position (and position + 16). */
    void writeAt (int position, double x) noexcept
    {
        buffer[position] = x;
        buffer[position + length] = x;
    }

    /** The 16 entries from position on, oldest first after entry 0. */
    const double* windowAt (int position) noexcept
    {
        readPos = position;
        return buffer + position;
    }

    void write (double x) noexcept              { writeAt (writePos, x); }
    const double* window() noexcept             { return windowAt (writePos); }
    void advance() noexcept                     { if (++writePos == length) writePos = 0; }

    /** Zeroes the samples; the positions stay where they are. */
    void clear() noexcept                       { std::fill (buffer, buffer + 2 * length, 0.0); }

    const double* data() const noexcept         { return buffer; }
    int getWritePosition() const noexcept       { return writePos; }

    double buffer[2 * length] {};
    std::int32_t writePos = 0;
    std::int32_t readPos = 0;   // start of the last window read; bookkeeping only
};
