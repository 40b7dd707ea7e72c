#pragma once

#include "dsp/HistoryLine.h"
#include "dsp/SimdDispatch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

/*  The transfer curve run at L times the sample rate (L = 4, 8 or 16), so
    that the harmonics it creates alias less: a sample is interpolated to L
    sub-samples by a polyphase low-pass, atan is applied to each, and the L
    results are decimated back to one sample by the same filter.

    The prototype is a Blackman-windowed sinc of 16·L taps with its cut-off at
    0.38 of the base rate and a gain of L; phase p of it is every L-th tap
    from p on. Interpolation and decimation together give a small-signal gain
    of about L, which the caller removes.

    Layout for the vector units: the tables and the L phase histories are
    stored tap-major (the L phases of one tap side by side), so both dot
    products run with the phases in the vector lanes. Each lane keeps its own
    sum in tap order, which is exactly the scalar evaluation; the decimation's
    L per-phase sums are then folded in halves (upper half onto lower half),
    an order that every vector width reaches with plain vertical adds.
*/

/** Designs the 16·L-tap prototype h[0 … 16·L − 1] for L = 4, 8 or 16. */
void designOversamplingPrototype (int factor, double* h) noexcept;

template <int L>
struct PolyphaseTables
{
    static_assert (L == 4 || L == 8 || L == 16, "factors 4, 8 and 16 only");
    static constexpr int taps = 16 * L;
    static constexpr int tapsPerPhase = HistoryLine::length;
    static constexpr std::size_t tapCount = (std::size_t) taps, phaseCount = (std::size_t) L, phaseLength = (std::size_t) tapsPerPhase;

    PolyphaseTables() noexcept
    {
        designOversamplingPrototype (L, prototype);

        for (int p = 0; p < L; ++p)
            for (int k = 0; k < tapsPerPhase; ++k)
            {
                phase[p][k] = prototype[L * k + p];
                interleaved[k][p] = prototype[L * k + p];
                decimation[k][L - 1 - p] = prototype[L * k + p];
            }
    }

    double prototype[tapCount] {};
    double phase[phaseCount][phaseLength] {};                      // g_p[k] = h[L·k + p]
    alignas (64) double interleaved[phaseLength][phaseCount] {};   // [k][p] = g_p[k]: the interpolation's lanes
    alignas (64) double decimation[phaseLength][phaseCount] {};    // [k][p] = g_(L−1−p)[k]: phase p's decimation weights
};

/** The state of one oversampler, kept apart from the code so that one
    kernel can be compiled for each instruction set. */
template <int L>
struct OversamplerState
{
    HistoryLine input;
    alignas (16) double inputPairs[2 * HistoryLine::length][2] {};   // the same samples as input, each already in two lanes (for SSE2, which cannot broadcast from memory)
    alignas (64) double phaseHistory[2 * HistoryLine::length][(std::size_t) L] {};   // [time][phase], each row stored twice like a HistoryLine
    std::int32_t phasePosition = 0;
    double scratch = 0.0;
};

namespace korvane_dsp
{
    // The kernel compiled for each instruction set (Oversampler.cpp).
    template <int L> double oversampleSse2 (OversamplerState<L>&, const PolyphaseTables<L>&, double) noexcept;
    template <int L> double oversampleAvx2 (OversamplerState<L>&, const PolyphaseTables<L>&, double) noexcept;
    template <int L> double oversampleAvx512 (OversamplerState<L>&, const PolyphaseTables<L>&, double) noexcept;
    /** Two oversamplers of the same factor (the two channels) at once. */
    template <int L> void oversamplePair (DspInstructionSet, OversamplerState<L>&, OversamplerState<L>&, const PolyphaseTables<L>&,
                                          double ua, double ub, double& ya, double& yb) noexcept;
}

template <int L>
class Oversampler
{
public:
    static constexpr int factor = L;

    explicit Oversampler (const PolyphaseTables<L>& tablesToUse) noexcept : tables (&tablesToUse) {}

    /** One base-rate sample in, one out; the result carries the gain L. */
    double process (double u, DspInstructionSet set) noexcept
    {
        switch (set)
        {
            case DspInstructionSet::avx512: return korvane_dsp::oversampleAvx512<L> (state, *tables, u);
            case DspInstructionSet::avx2:   return korvane_dsp::oversampleAvx2<L> (state, *tables, u);
            case DspInstructionSet::sse2:
            default:                        return korvane_dsp::oversampleSse2<L> (state, *tables, u);
        }
    }

    double process (double u) noexcept { return process (u, korvane_dsp::activeInstructionSet()); }

    /** a.process (ua) and b.process (ub) in one go, with the same results. */
    static void processPair (Oversampler& a, Oversampler& b, double ua, double ub, double& ya, double& yb, DspInstructionSet set) noexcept
    {
        korvane_dsp::oversamplePair<L> (set, a.state, b.state, *a.tables, ua, ub, ya, yb);
    }

    /** Zeroes every history; the positions stay where they are. */
    void clear() noexcept
    {
        state.input.clear();
        std::fill (&state.inputPairs[0][0], &state.inputPairs[0][0] + 4 * HistoryLine::length, 0.0);
        std::fill (&state.phaseHistory[0][0], &state.phaseHistory[0][0] + 2 * HistoryLine::length * L, 0.0);
    }

    const HistoryLine& getInputLine() const noexcept   { return state.input; }
    int getPhasePosition() const noexcept              { return state.phasePosition; }
    /** Entry i (0 … 31) of phase p's history. */
    double getPhaseHistory (int p, int i) const noexcept { return state.phaseHistory[i][p]; }

private:
    OversamplerState<L> state;
    const PolyphaseTables<L>* tables;
};
