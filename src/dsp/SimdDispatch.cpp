#include "dsp/SimdDispatch.h"

#include <atomic>

namespace korvane_dsp
{
    bool isSupported (DspInstructionSet set) noexcept
    {
        switch (set)
        {
            case DspInstructionSet::sse2:
                return true;
#if (defined (__GNUC__) || defined (__clang__)) && (defined (__x86_64__) || defined (__i386__))
            case DspInstructionSet::avx2:
                return __builtin_cpu_supports ("avx2") != 0;
            case DspInstructionSet::avx512:
                return __builtin_cpu_supports ("avx512f") != 0;
#endif
            default:
                return false;
        }
    }

    DspInstructionSet bestInstructionSet() noexcept
    {
        if (isSupported (DspInstructionSet::avx512)) return DspInstructionSet::avx512;
        if (isSupported (DspInstructionSet::avx2))   return DspInstructionSet::avx2;
        return DspInstructionSet::sse2;
    }

    namespace
    {
        std::atomic<int>& activeSet() noexcept
        {
            static std::atomic<int> set { (int) bestInstructionSet() };
            return set;
        }
    }

    DspInstructionSet activeInstructionSet() noexcept
    {
        return (DspInstructionSet) activeSet().load (std::memory_order_relaxed);
    }

    bool forceInstructionSet (DspInstructionSet set) noexcept
    {
        if (! isSupported (set))
            return false;

        activeSet().store ((int) set, std::memory_order_relaxed);
        return true;
    }

    const char* instructionSetName (DspInstructionSet set) noexcept
    {
        switch (set)
        {
            case DspInstructionSet::sse2:   return "sse2";
            case DspInstructionSet::avx2:   return "avx2";
            case DspInstructionSet::avx512: return "avx512";
        }

        return "unknown";
    }
}
