#include "KorvaneTestCore.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace korvane_test;

// The host's bypass inside the core, and the gate that lets delayed input out.
namespace
{
    std::vector<float> sine (int n, double amplitude, double step = 0.05)
    {
        std::vector<float> s ((size_t) n);
        for (int i = 0; i < n; ++i)
            s[(size_t) i] = (float) (amplitude * std::sin (step * i));
        return s;
    }

    // Hot: the preamp far up, so the processed signal is far from the input.
    std::unique_ptr<KorvaneCore> makeHotCore (int quality)
    {
        auto core = makeCore (quality, { { 0, 0.8f } });
        settle (*core);
        return core;
    }

    double latencyOf (int quality) { return quality == 0 ? 0 : 17; }
}

TEST (KorvaneCoreBypass, BypassedFromTheFirstSampleGivesTheDelayedInputInStereoAndMono)
{
    for (int quality = 0; quality < 4; ++quality)
    {
        const auto latency = (size_t) latencyOf (quality);
        const auto input = sine (3000, 0.7);

        auto core = makeHotCore (quality);
        core->setBypassed (true, true);
        EXPECT_TRUE (core->isBypassed());
        auto l = input, r = input;
        processStereo (*core, l, r);

        auto mono = makeHotCore (quality);
        mono->setBypassed (true, true);
        auto m = input;
        float* p = m.data();
        mono->processMono (&p, (int) m.size());

        for (size_t n = latency; n < input.size(); ++n)
        {
            ASSERT_EQ (l[n], input[n - latency]) << "quality " << quality << ", sample " << n;
            ASSERT_EQ (r[n], input[n - latency]) << "quality " << quality << ", sample " << n;
            ASSERT_EQ (m[n], input[n - latency]) << "quality " << quality << ", sample " << n;
        }
    }
}

TEST (KorvaneCoreBypass, TheMetersShowWhatTheHostHears)
{
    // A 0.5 sine reads 0.6 on the meter (-6 dB); processed hot, with the
    // preamp's compensation, it reads far less.
    const auto input = sine (20000, 0.5);

    auto processed = makeHotCore (0);
    auto l = input, r = input;
    processStereo (*processed, l, r);

    auto bypassed = makeHotCore (0);
    bypassed->setBypassed (true, true);
    auto bl = input, br = input;
    processStereo (*bypassed, bl, br);

    for (int channel = 0; channel < 2; ++channel)
    {
        EXPECT_NEAR (bypassed->getMeterLevel (channel), 0.6, 0.01) << channel;
        EXPECT_GT (std::abs (processed->getMeterLevel (channel) - bypassed->getMeterLevel (channel)), 0.1) << channel;
    }

    float left = 0, right = 0;
    bypassed->getMeterLevels (left, right);
    EXPECT_NEAR (left, 0.6f, 0.01f);
    EXPECT_NEAR (right, 0.6f, 0.01f);
}

TEST (KorvaneCoreBypass, ASilentPresetChangeWhileBypassedDoesNotMuteTheDrySignal)
{
    auto core = makeHotCore (0);
    core->setBypassed (true, true);
    core->changePreset();   // no owner: the fade runs, nothing is applied

    const auto input = sine (12000, 0.5);
    auto l = input, r = input;
    processStereo (*core, l, r);

    EXPECT_EQ (l, input);
    EXPECT_EQ (r, input);
}

TEST (KorvaneCoreBypass, SwitchingRampsInAStraightLineOverFiveMilliseconds)
{
    // Constant input: the processed output settles to a constant too, so
    // the ramp between the two shows directly.
    auto core = makeHotCore (0);
    std::vector<float> warm (20000, 0.25f), warmRight = warm;
    processStereo (*core, warm, warmRight);
    const double processedLevel = warm.back();
    ASSERT_GT (std::abs (processedLevel - 0.25), 0.01);

    core->setBypassed (true, false);
    std::vector<float> l (400, 0.25f), r = l;
    processStereo (*core, l, r);

    const int ramp = 221;   // 5 ms at 44.1 kHz
    for (int n = 0; n < ramp; ++n)
    {
        const double expected = processedLevel + (0.25 - processedLevel) * (n + 1) / ramp;
        ASSERT_NEAR (l[(size_t) n], expected, 2e-3) << n;
    }

    EXPECT_EQ (l[ramp - 1], 0.25f);
    EXPECT_EQ (l.back(), 0.25f);
}

TEST (KorvaneCoreGate, AClickAfterSilenceComesOutAfterTheLatency)
{
    // The gate closed long ago; one sample opens it, and it must stay open
    // until that sample has come through the delay.
    for (int quality = 0; quality < 4; ++quality)
    {
        auto core = makeCore (quality, { { 18, 0.0f } });   // dry only
        settle (*core, 200000);
        ASSERT_FALSE (core->isChannelActive (0));

        std::vector<float> l (100, 0.0f), r (100, 0.0f);
        l[10] = 0.5f;
        processStereo (*core, l, r);

        const auto arrival = (size_t) (10 + latencyOf (quality));
        EXPECT_NEAR (l[arrival], 0.5f, 1e-6f) << "quality " << quality;

        for (size_t n = 0; n < l.size(); ++n)
        {
            if (n == arrival)
                continue;

            ASSERT_LT (std::abs (l[n]), 1e-6f) << "quality " << quality << ", sample " << n;
        }
    }
}
