#include "dsp/Oversampler.h"

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
