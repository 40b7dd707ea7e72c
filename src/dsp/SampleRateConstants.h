#pragma once

#include <cstdint>
#include <limits>

/*  Per-rate constants shared by the family's DSP cores. The smoothing factor
    k = 2·(1 − 0.5^(44100/fs)) scales every per-sample smoothing coefficient,
    so that time constants stay the same at every sample rate; at 44100 Hz k
    is exactly 1.
*/
struct SampleRateConstants
{
    SampleRateConstants() noexcept { update (44100.0); }
    explicit SampleRateConstants (double fs) noexcept { update (fs); }

    /** Recomputes every field for fs. rateIndex keeps its value for a rate
        that is not one of the five standard ones. */
    void update (double fs) noexcept;

    /** The rate a core runs at when a host names this one: 44.1 kHz for no
        rate at all (0, negative, NaN, infinite), else the rate limited to
        1 kHz … 1.5 MHz. No rate a host sends can then leave the core's
        state non-finite. */
    static double usableRate (double fs) noexcept
    {
        if (! (fs > 0.0) || fs == std::numeric_limits<double>::infinity())
            return 44100.0;

        return fs < 1000.0 ? 1000.0 : (fs > 1.5e6 ? 1.5e6 : fs);
    }

    double sampleRate = 0.0;          // Hz
    float sampleRateF = 0.0f;
    std::int32_t rateIndex = 0;       // 0 44100, 1 48000, 2 88200, 3 96000, 4 192000
    double inverse = 0.0;             // 1/fs
    float inverseF = 0.0f;
    double halfInverse = 0.0;         // 1/(2·fs)
    double rateRatio = 0.0;           // fs/44100
    float rateRatioF = 0.0f;
    double smoothingFactor = 0.0;     // k
    float smoothingFactorF = 0.0f;
    double inverseRateRatio = 0.0;    // 44100/fs
    double smoothingFactorCubed = 0.0;
    float smoothingFactorCubedF = 0.0f;
    double nyquist = 0.0;             // fs/2
    double slowSmoothing = 0.0;       // k·0.002
    float slowSmoothingF = 0.0f;
    float mediumSmoothingF = 0.0f;    // k·0.005
    float meterSmoothingF = 0.0f;     // k·0.0001
    double parameterSmoothing = 0.0;  // k·0.002, the coefficient the cores smooth parameters with
    float parameterSmoothingF = 0.0f;
};
