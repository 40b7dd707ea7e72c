#include "dsp/Oversampler.h"

#include <type_traits>
#include <utility>

void designOversamplingPrototype (int factor, double* h) noexcept
{
    constexpr double pi = 3.141592653589793;
    constexpr double twoPi = 6.283185307179586;
    constexpr double fourPi = 12.566370614359172;

    // 0.76·π/L: a cut-off of 0.38 of the base rate at every factor.
    const double cutOff = factor == 4 ? 0.5969026041820606
                        : factor == 8 ? 0.2984513020910303
                                      : 0.14922565104551516;

    const int taps = 16 * factor;
    const double centre = (double) (taps - 1) / 2.0;   // never an integer, so n − centre is never 0
    const double span = (double) (taps - 1);

    for (int n = 0; n < taps; ++n)
    {
        const double offset = (double) n - centre;
        const double sinc = std::sin (cutOff * offset) / (pi * offset);
        const double window = 0.42 - 0.5 * std::cos (twoPi * (double) n / span) + 0.08 * std::cos (fourPi * (double) n / span);
        h[n] = sinc * window * (double) factor;
    }
}

//==============================================================================
// One kernel source, compiled for baseline x86-64 and, behind the CPU check
// of SimdDispatch, for AVX2 and AVX-512. No FMA on any of them: a fused
// multiply-add rounds once where the design rounds twice (the target lists
// leave FMA out, and the build's -ffp-contract=off forbids fusing anyway).

namespace korvane_dsp
{
    namespace sse2
    {
        #define KORVANE_KERNEL_LANES 2
        #include "dsp/OversamplerKernel.inc"
        #undef KORVANE_KERNEL_LANES
    }

#if defined (__GNUC__) && ! defined (__clang__) && (defined (__x86_64__) || defined (__i386__))
  #define KORVANE_HAS_WIDE_KERNELS 1
  #pragma GCC push_options
  #pragma GCC target ("avx2")
    namespace avx2
    {
        #define KORVANE_KERNEL_LANES 4
        #include "dsp/OversamplerKernel.inc"
        #undef KORVANE_KERNEL_LANES
    }
  #pragma GCC pop_options
  #pragma GCC push_options
  #pragma GCC target ("avx512f")
    namespace avx512
    {
        #define KORVANE_KERNEL_LANES 8
        #include "dsp/OversamplerKernel.inc"
        #undef KORVANE_KERNEL_LANES
    }
  #pragma GCC pop_options
#elif defined (__clang__) && (defined (__x86_64__) || defined (__i386__))
  #define KORVANE_HAS_WIDE_KERNELS 1
  #pragma clang attribute push (__attribute__ ((target ("avx2"))), apply_to = function)
    namespace avx2
    {
        #define KORVANE_KERNEL_LANES 4
        #include "dsp/OversamplerKernel.inc"
        #undef KORVANE_KERNEL_LANES
    }
  #pragma clang attribute pop
  #pragma clang attribute push (__attribute__ ((target ("avx512f"))), apply_to = function)
    namespace avx512
    {
        #define KORVANE_KERNEL_LANES 8
        #include "dsp/OversamplerKernel.inc"
        #undef KORVANE_KERNEL_LANES
    }
  #pragma clang attribute pop
#else
    namespace avx2 { using sse2::kernel; using sse2::kernelPair; }     // never selected: SimdDispatch reports no such unit
    namespace avx512 { using sse2::kernel; using sse2::kernelPair; }
#endif

    template <int L>
    double oversampleSse2 (OversamplerState<L>& s, const PolyphaseTables<L>& t, double u) noexcept   { return sse2::kernel<L> (s, t, u); }
    template <int L>
    double oversampleAvx2 (OversamplerState<L>& s, const PolyphaseTables<L>& t, double u) noexcept   { return avx2::kernel<L> (s, t, u); }
    template <int L>
    double oversampleAvx512 (OversamplerState<L>& s, const PolyphaseTables<L>& t, double u) noexcept { return avx512::kernel<L> (s, t, u); }

    template <int L>
    void oversamplePair (DspInstructionSet set, OversamplerState<L>& a, OversamplerState<L>& b, const PolyphaseTables<L>& t,
                         double ua, double ub, double& ya, double& yb) noexcept
    {
        switch (set)
        {
            case DspInstructionSet::avx512: avx512::kernelPair<L> (a, b, t, ua, ub, ya, yb); break;
            case DspInstructionSet::avx2:   avx2::kernelPair<L> (a, b, t, ua, ub, ya, yb); break;
            case DspInstructionSet::sse2:
            default:                        sse2::kernelPair<L> (a, b, t, ua, ub, ya, yb); break;
        }
    }

    template void oversamplePair<4> (DspInstructionSet, OversamplerState<4>&, OversamplerState<4>&, const PolyphaseTables<4>&, double, double, double&, double&) noexcept;
    template void oversamplePair<8> (DspInstructionSet, OversamplerState<8>&, OversamplerState<8>&, const PolyphaseTables<8>&, double, double, double&, double&) noexcept;
    template void oversamplePair<16> (DspInstructionSet, OversamplerState<16>&, OversamplerState<16>&, const PolyphaseTables<16>&, double, double, double&, double&) noexcept;

    template double oversampleSse2<4> (OversamplerState<4>&, const PolyphaseTables<4>&, double) noexcept;
    template double oversampleSse2<8> (OversamplerState<8>&, const PolyphaseTables<8>&, double) noexcept;
    template double oversampleSse2<16> (OversamplerState<16>&, const PolyphaseTables<16>&, double) noexcept;
    template double oversampleAvx2<4> (OversamplerState<4>&, const PolyphaseTables<4>&, double) noexcept;
    template double oversampleAvx2<8> (OversamplerState<8>&, const PolyphaseTables<8>&, double) noexcept;
    template double oversampleAvx2<16> (OversamplerState<16>&, const PolyphaseTables<16>&, double) noexcept;
    template double oversampleAvx512<4> (OversamplerState<4>&, const PolyphaseTables<4>&, double) noexcept;
    template double oversampleAvx512<8> (OversamplerState<8>&, const PolyphaseTables<8>&, double) noexcept;
    template double oversampleAvx512<16> (OversamplerState<16>&, const PolyphaseTables<16>&, double) noexcept;
}
