#include "dsp/BiquadFilter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    template <typename Process>
    int samplesWhileGliding (BiquadFilter& filter, Process process)
    {
        int n = 0;

        while (filter.isGliding() && n < 100000)
        {
            process (filter, 0.25);
            ++n;
        }

        return n;
    }

    const auto pass = [] (BiquadFilter& f, double x) { return f.processPass (x); };
    const auto peaking = [] (BiquadFilter& f, double x) { return f.processPeaking (x); };
}

TEST (BiquadFilterGlides, FrequencyReachesTargetAfter6500SamplesAndEndsOnTheNext)
{
    BiquadFilter filter;
    filter.initPass (BiquadFilter::LowPass, 1500.0, 0.1, 44100.0);
    filter.setTargetFrequency (8000.0);

    for (int i = 0; i < 6500; ++i)
        filter.processPass (0.25);

    EXPECT_EQ (filter.getCurrentFrequency(), 8000.0);
    EXPECT_TRUE (filter.isGliding());

    filter.processPass (0.25);   // overshoots to 8001 and is clamped back
    EXPECT_EQ (filter.getCurrentFrequency(), 8000.0);
    EXPECT_FALSE (filter.isGliding());
}

TEST (BiquadFilterGlides, GainAndBandwidthGlideAtTheirStepSizes)
{
    BiquadFilter band;
    band.initPeaking (-24.0, 1000.0, 44100.0, 1.0);
    band.setTargetGain (24.0);
    EXPECT_NEAR (samplesWhileGliding (band, peaking), 4800, 2);
    EXPECT_EQ (band.getCurrentGain(), 24.0);

    band.initPeaking (0.0, 1000.0, 44100.0, 4.0);
    band.setTargetBandwidth (0.5);
    EXPECT_NEAR (samplesWhileGliding (band, peaking), 3500, 2);
    EXPECT_EQ (band.getCurrentBandwidth(), 0.5);
}

TEST (BiquadFilterGlides, TargetEqualToCurrentRecomputesOnce)
{
    BiquadFilter filter;
    filter.initPass (BiquadFilter::HighPass, 76.0, 0.1, 44100.0);
    filter.setTargetFrequency (76.0);
    EXPECT_EQ (samplesWhileGliding (filter, pass), 1);
    EXPECT_EQ (filter.getCurrentFrequency(), 76.0);

    BiquadFilter band;
    band.initPeaking (3.0, 150.0, 44100.0, 4.0);
    band.setTargetGain (3.0);
    band.setTargetBandwidth (4.0);
    EXPECT_EQ (samplesWhileGliding (band, peaking), 1);
    EXPECT_EQ (band.getCurrentGain(), 3.0);
    EXPECT_EQ (band.getCurrentBandwidth(), 4.0);
}

TEST (BiquadFilterGlides, InitStopsARunningGlide)
{
    BiquadFilter band;
    band.initPeaking (0.0, 150.0, 44100.0, 4.0);
    band.setTargetFrequency (300.0);
    band.processPeaking (0.5);
    band.initPeaking (0.0, 150.0, 48000.0, 4.0);
    EXPECT_FALSE (band.isGliding());
    EXPECT_EQ (band.getCurrentFrequency(), 150.0);
}

TEST (BiquadFilterResponse, ZeroDbBandPassesTheSignalApartFromRounding)
{
    for (double frequency : { 150.0, 1000.0, 8500.0 })
    {
        BiquadFilter band;
        band.initPeaking (0.0, frequency, 44100.0, 1.9);
        double largest = 0.0;

        for (int i = 0; i < 20000; ++i)
        {
            const double x = 0.9 * std::sin (0.05 * i) + 0.05 * std::sin (1.3 * i);
            largest = std::max (largest, std::abs (band.processPeaking (x) - x));
        }

        EXPECT_LT (largest, 1e-13) << frequency;
    }
}

TEST (BiquadFilterResponse, ResetFilterFedZerosSettlesAtTheOffsetNotAtZero)
{
    BiquadFilter filter;
    filter.initPass (BiquadFilter::HighPass, 100.0, 0.1, 44100.0);
    filter.processPass (0.7);
    filter.reset();

    double y = 0.0;

    for (int i = 0; i < 200000; ++i)
        y = filter.processPass (0.0);

    // The recursion's fixed point for a constant 1e-20 input term.
    const double expected = 1e-20 / (1.0 + filter.getCoefficient (3) + filter.getCoefficient (4));
    EXPECT_NEAR (y, expected, expected * 1e-9);
    EXPECT_GT (y, 1e-20);
}

TEST (BiquadFilterResponse, BandwidthHighPassBlocksDcAndPassesHighFrequencies)
{
    BiquadFilter filter;
    filter.initBandwidthHighPass (155.0, 44100.0, 0.5);
    double y = 0.0;

    for (int i = 0; i < 44100; ++i)
        y = filter.filter (1.0);

    EXPECT_LT (std::abs (y), 1e-9);

    // At half the sample rate the high-pass numerator gives exactly its gain
    // of (b0 − b1 + b2)/(1 − c3 + c4) = 1 for every damping.
    double nyquistGain = (filter.getCoefficient (0) - filter.getCoefficient (1) + filter.getCoefficient (2))
                       / (1.0 - filter.getCoefficient (3) + filter.getCoefficient (4));
    EXPECT_NEAR (nyquistGain, 1.0, 1e-12);
}
