#pragma once

/*  Which vector instruction set the DSP's hot loops run on. The library is
    compiled for baseline x86-64 (SSE2); wider units (AVX2, AVX-512) are used
    only when the CPU reports them at run time. Every set computes the same
    operations in the same order, so the output is the same bits on all of
    them; the choice only changes the speed.

    The choice is process-wide and read by each core at the start of every
    processing call. The best supported set is chosen at start-up; tests and
    benchmarks may force another one.
*/
enum class DspInstructionSet : int { sse2 = 0, avx2 = 1, avx512 = 2 };

namespace korvane_dsp
{
    bool isSupported (DspInstructionSet set) noexcept;
    DspInstructionSet bestInstructionSet() noexcept;
    DspInstructionSet activeInstructionSet() noexcept;
    /** Makes set the active one if the CPU supports it; returns whether it did. */
    bool forceInstructionSet (DspInstructionSet set) noexcept;
    const char* instructionSetName (DspInstructionSet set) noexcept;
}
