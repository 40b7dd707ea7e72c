#pragma once

#include "dsp/HistoryLine.h"

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
            }
    }

    double prototype[tapCount] {};
    double phase[phaseCount][phaseLength] {};        // g_p[k] = h[L·k + p]
    double interleaved[phaseLength][phaseCount] {};  // the same values, tap-major, so the phases run side by side
};

template <int L>
class Oversampler
{
public:
    static constexpr int factor = L;

    explicit Oversampler (const PolyphaseTables<L>& tablesToUse) noexcept : tables (&tablesToUse) {}

    /** One base-rate sample in, one out; the result carries the gain L. */
    double process (double u) noexcept
    {
        // Interpolation: each phase filters the last 16 inputs. Every
        // phase keeps its own sum in tap order; the phases only run side by
        // side, which changes no rounding.
        input.write (u);
        const double* w = input.window();
        double v[PolyphaseTables<L>::phaseCount];

        for (int p = 0; p < L; ++p)
            v[p] = 0.0;

        for (int j = 0; j < HistoryLine::length; ++j)
        {
            const double wj = w[j];
            const double* g = tables->interleaved[j];

            for (int p = 0; p < L; ++p)
                v[p] += wj * g[p] + 1e-20;
        }

        input.advance();

        // The curve at the high rate.
        const int position = phases[0].getWritePosition();

        for (int p = 0; p < L; ++p)
            phases[p].writeAt (position, std::atan (v[p]));

        // Decimation: phase p's history is weighted with the table of phase
        // L − 1 − p, all into one sum, phase by phase.
        double y = 0.0;

        for (int p = 0; p < L; ++p)
        {
            const double* history = phases[p].windowAt (position);
            const double* g = tables->phase[L - 1 - p];

            for (int j = 0; j < HistoryLine::length; ++j)
                y += history[j] * g[j] + 1e-20;
        }

        phases[0].advance();   // the phase lines share the first one's position
        scratch = y;
        return y;
    }

    /** Zeroes every history; the positions stay where they are. */
    void clear() noexcept
    {
        input.clear();

        for (auto& line : phases)
            line.clear();
    }

    const HistoryLine& getInputLine() const noexcept      { return input; }
    const HistoryLine& getPhaseLine (int p) const noexcept { return phases[p]; }

private:
    HistoryLine input;
    HistoryLine phases[PolyphaseTables<L>::phaseCount];
    double scratch = 0.0;
    const PolyphaseTables<L>* tables;
};
