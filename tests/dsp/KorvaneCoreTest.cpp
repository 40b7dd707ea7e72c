#include "KorvaneTestCore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace korvane_test;

namespace
{
    // A deterministic test signal with every sample well away from zero.
    std::vector<float> testSignal (int n, unsigned seed = 1)
    {
        std::vector<float> s ((size_t) n);
        juce::Random random ((juce::int64) seed);

        for (auto& x : s)
            x = (random.nextBool() ? 1.0f : -1.0f) * (0.05f + 0.6f * random.nextFloat());

        return s;
    }

    // FX 0 and Output Volume 0.5: the dry signal at unity gain once settled.
    std::unique_ptr<KorvaneCore> makeDryCore (int quality)
    {
        auto core = makeCore (quality, { { 18, 0.0f } });
        settle (*core);
        return core;
    }

    double meterAfterOneSample (float x)
    {
        auto core = makeDryCore (0);
        std::vector<float> l { x }, r { 0.0f };
        processStereo (*core, l, r);
        return core->getMeterLevel (0);
    }
}

//==============================================================================
TEST (KorvaneCoreGain, FxZeroAndOutputVolumeHalfPassTheInputUnchangedAtQualityZero)
{
    auto core = makeDryCore (0);
    EXPECT_NEAR (core->getOutputGainTarget(), 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 31.59762133 + 0.5 * 0.02514867, 1e-15);
    EXPECT_NEAR (core->getOutputGainTarget(), 1.0, 2e-9);
    EXPECT_NEAR (core->getOutputGain(), 1.0, 2e-9);

    const auto left = testSignal (2000, 1), right = testSignal (2000, 2);
    auto outLeft = left, outRight = right;
    processStereo (*core, outLeft, outRight);

    EXPECT_EQ (outLeft, left);   // not delayed, and the gain is 1 within float resolution
    EXPECT_EQ (outRight, right);
}

TEST (KorvaneCoreGain, OversampledQualitiesDelayTheDryPathBy17Samples)
{
    for (int quality = 1; quality <= 3; ++quality)
    {
        auto core = makeDryCore (quality);
        EXPECT_EQ (core->oversamplingDelay(), 17);
        EXPECT_EQ (core->getLatencySamples(), 17);   // what the host is told

        const auto input = testSignal (500, (unsigned) quality);
        auto left = input, right = input;
        processStereo (*core, left, right);

        for (size_t n = 0; n < input.size(); ++n)
        {
            if (n < 17)
                ASSERT_LT (std::abs (left[n]), 1e-15f) << n;   // the ring still held silence
            else
                ASSERT_EQ (left[n], input[n - 17]) << n;
        }

        EXPECT_EQ (right, left);
    }
}

TEST (KorvaneCoreGain, OutputVolumeEnds)
{
    EXPECT_NEAR (KorvaneCore::controlLaw (19, 1.0f), 31.62277, 1e-5);

    // At 0 the smoothed gain settles a little below zero (about -5e-18).
    auto core = makeCore (0, { { 19, 0.0f } });
    settle (*core);
    auto left = testSignal (1000), right = testSignal (1000, 7);
    processStereo (*core, left, right);

    for (auto y : left)
        ASSERT_LT (std::abs (y), 1e-17f);
}

TEST (KorvaneCoreGain, CompensationFollowsThePreamp)
{
    auto core = makeCore (0);
    settle (*core, 1);
    EXPECT_EQ (core->getPreampLinearGain(), 1.0);
    EXPECT_NEAR (core->getCompensationGain(), 3.174, 5e-4);

    core->setParameter (0, 1.0f);
    settle (*core, 30000);
    EXPECT_NEAR (core->getPreampDb(), 100.0, 1e-9);
    EXPECT_NEAR (20.0 * std::log10 (core->getCompensationGain()), -17.6, 0.05);
}

//==============================================================================
TEST (KorvaneCoreMeter, LevelsReadTheTableEntriesTruncatedTowardsZero)
{
    const auto entry = [] (int i) { KorvaneCore core; return core.getMeterTableEntry (i) * 0.9999 + 1e-20; };

    // Read on the sample itself, after that sample's decay.
    EXPECT_DOUBLE_EQ (meterAfterOneSample (1.0f), 0.8 * 0.9999);
    EXPECT_DOUBLE_EQ (meterAfterOneSample (-0.99999994f), 0.8 * 0.9999);
    // The settled unity gain is 1 + 1.6e-9, so -1.0 in comes out just beyond
    // -1.0 and truncates to the next entry up (level 1.01).
    EXPECT_DOUBLE_EQ (meterAfterOneSample (-1.0f), entry (99));
    EXPECT_DOUBLE_EQ (meterAfterOneSample (0.995f), entry (299));
    EXPECT_NEAR (meterAfterOneSample (0.995f), 0.797 * 0.9999, 1e-3);
    EXPECT_DOUBLE_EQ (meterAfterOneSample (-0.995f), entry (100));
    EXPECT_DOUBLE_EQ (meterAfterOneSample (1.99f), entry (399));
    EXPECT_NEAR (meterAfterOneSample (1.99f), 0.99924 * 0.9999, 1e-5);
    EXPECT_DOUBLE_EQ (meterAfterOneSample (-2.0f), 0.9999);
    EXPECT_DOUBLE_EQ (meterAfterOneSample (-7.0f), 0.9999);
    EXPECT_NEAR (meterAfterOneSample (0.0099f), 0.0, 1e-19);
    EXPECT_NEAR (meterAfterOneSample (-0.0099f), 0.0, 1e-19);
    EXPECT_NEAR (meterAfterOneSample (0.06f), 0.0, 1e-19);
    EXPECT_NEAR (meterAfterOneSample (0.07f), 0.030 * 0.9999, 1e-3);
}

TEST (KorvaneCoreMeter, DecaysAfterAFullScaleSampleUntilTheGateClosesAndFreezesIt)
{
    auto core = makeDryCore (0);
    std::vector<float> l { 1.0f }, r { 0.0f };
    processStereo (*core, l, r);

    int n = 0;

    for (int checkpoint : { 1, 100, 10000, 100000 })
    {
        std::vector<float> zl ((size_t) (checkpoint - n)), zr (zl.size());
        processStereo (*core, zl, zr);
        n = checkpoint;

        // The decay applies on the full-scale sample too.
        EXPECT_NEAR (core->getMeterLevel (0), 0.8 * std::pow (0.9999, n + 1), 1e-10 * 0.8 * std::pow (0.9999, n + 1)) << n;
        EXPECT_TRUE (core->isChannelActive (0)) << n;
    }

    // The gate envelope falls by the same factor and closes below 2e-5,
    // about 108200 samples after the peak.
    settle (*core, 10000);
    ASSERT_FALSE (core->isChannelActive (0));

    const double frozen = core->getMeterLevel (0);
    const auto stateBefore = bytesOf (core->getChannel (0));
    std::vector<float> zl (5000), zr (5000);
    processStereo (*core, zl, zr);

    EXPECT_EQ (core->getMeterLevel (0), frozen);
    EXPECT_EQ (bytesOf (core->getChannel (0)), stateBefore);
    EXPECT_EQ (zl, std::vector<float> (5000, 0.0f));
}

TEST (KorvaneCoreMeter, EveryCallPublishesTheLevelsAlsoWithoutSamples)
{
    auto core = makeDryCore (0);
    std::vector<float> l { 0.5f }, r { -1.0f };
    processStereo (*core, l, r);

    float left = -1.0f, right = -1.0f;
    core->setMeterLevels (0.0f, 0.0f);
    float* pl = l.data();
    float* pr = r.data();
    core->processStereo (&pl, &pr, 0);
    core->getMeterLevels (left, right);
    EXPECT_EQ (left, (float) core->getMeterLevel (0));
    EXPECT_EQ (right, (float) core->getMeterLevel (1));
    EXPECT_GT (right, left);

    core->setMeterLevels (0.0f, 0.0f);
    core->processMono (&pl, 0);
    core->getMeterLevels (left, right);
    EXPECT_EQ (left, (float) core->getMeterLevel (0));
    EXPECT_EQ (right, left);
}

//==============================================================================
TEST (KorvaneCoreChannels, ProcessMonoLeavesTheRightChannelUntouched)
{
    auto core = makeCore (1);
    auto l = testSignal (600, 3), r = testSignal (600, 4);
    processStereo (*core, l, r);
    ASSERT_TRUE (core->isChannelActive (1));

    const auto rightBefore = bytesOf (core->getChannel (1));
    auto mono = testSignal (700, 5);
    float* p = mono.data();
    core->processMono (&p, (int) mono.size());

    EXPECT_EQ (bytesOf (core->getChannel (1)), rightBefore);
    EXPECT_EQ (core->getMeterLevel (1), core->getMeterLevel (0));

    float left = 0.0f, right = 0.0f;
    core->getMeterLevels (left, right);
    EXPECT_EQ (left, right);
    EXPECT_GT (left, 0.0f);
}

TEST (KorvaneCoreChannels, MonoProcessesLikeTheLeftChannelOfAStereoPair)
{
    for (int quality = 0; quality <= 3; ++quality)
    {
        auto mono = makeCore (quality, { { 0, 0.5f } });
        auto stereo = makeCore (quality, { { 0, 0.5f } });
        auto m = testSignal (1000, 8);
        auto l = m;
        std::vector<float> r (m.size(), 0.0f);

        float* p = m.data();
        mono->processMono (&p, (int) m.size());
        processStereo (*stereo, l, r);
        EXPECT_EQ (m, l) << quality;
    }
}

TEST (KorvaneCoreChannels, FirstSamplesAreFiniteWhicheverChannelSoundsFirst)
{
    for (int quality = 0; quality <= 3; ++quality)
        for (int first = 0; first < 2; ++first)
        {
            auto core = makeCore (quality, { { 0, 0.6f }, { 7, 0.9f }, { 14, 0.2f } });
            std::vector<float> l (256, 0.0f), r (256, 0.0f);
            const auto signal = testSignal (256, 11);

            for (size_t i = 0; i < 256; ++i)
                (first == 0 ? l : r)[i] = signal[i];

            for (size_t i = 128; i < 256; ++i)
                (first == 0 ? r : l)[i] = signal[i];

            processStereo (*core, l, r);

            for (size_t i = 0; i < 256; ++i)
            {
                ASSERT_TRUE (std::isfinite (l[i]) && std::isfinite (r[i])) << quality << " " << first << " " << i;
                ASSERT_TRUE (i < 128 || (l[i] != 0.0f && r[i] != 0.0f));
            }
        }
}

TEST (KorvaneCoreChannels, LeftFiltersGlideOnlyWhileTheLeftChannelSoundsAndTheRightFollows)
{
    auto core = makeCore (0, { { 1, 0.0f } });
    EXPECT_EQ (core->getChannel (0).lowCut.getCurrentFrequency(), 1.0);
    core->setParameter (1, 1.0f);
    EXPECT_EQ (core->getLowCutHz(), 301.0);

    // Right channel only: the left glide waits, the right filter copies.
    std::vector<float> silent (100, 0.0f);
    auto l = silent;
    auto r = testSignal (100);
    processStereo (*core, l, r);
    EXPECT_EQ (core->getChannel (0).lowCut.getCurrentFrequency(), 1.0);

    l = testSignal (300, 2);
    r = testSignal (300, 3);
    processStereo (*core, l, r);
    EXPECT_EQ (core->getChannel (0).lowCut.getCurrentFrequency(), 301.0);
    EXPECT_TRUE (core->getChannel (0).lowCut.isGliding());

    l = testSignal (1, 4);
    r = testSignal (1, 5);
    processStereo (*core, l, r);   // the 301st sample clamps the overshoot to 302 Hz back
    EXPECT_FALSE (core->getChannel (0).lowCut.isGliding());
    EXPECT_FALSE (core->getChannel (1).lowCut.isGliding());

    for (int c = 0; c < 5; ++c)
        EXPECT_EQ (core->getChannel (1).lowCut.getCoefficient (c), core->getChannel (0).lowCut.getCoefficient (c));
}

//==============================================================================
TEST (KorvaneCoreQuality, UnknownLevelChangesNothing)
{
    auto core = makeCore (1);
    auto l = testSignal (300), r = testSignal (300, 2);
    processStereo (*core, l, r);

    const auto left = bytesOf (core->getChannel (0)), right = bytesOf (core->getChannel (1));
    core->setQuality (5);
    core->setQuality (-1);

    EXPECT_EQ (core->getQuality(), 1);
    EXPECT_EQ (core->oversamplingDelay(), 17);
    EXPECT_EQ (bytesOf (core->getChannel (0)), left);
    EXPECT_EQ (bytesOf (core->getChannel (1)), right);

    core->setQuality (0);
    EXPECT_EQ (core->oversamplingDelay(), 0);
}

TEST (KorvaneCoreQuality, SelectingALevelClearsOnlyItsOwnHistories)
{
    auto core = makeCore (1);

    for (int quality = 1; quality <= 3; ++quality)
    {
        core->setQuality (quality);
        auto l = testSignal (100, (unsigned) quality), r = testSignal (100, (unsigned) quality + 10);
        processStereo (*core, l, r);
    }

    const auto& left = core->getChannel (0);
    const auto& right = core->getChannel (1);
    const auto others = [&] { return std::make_tuple (bytesOf (left.oversampler4), bytesOf (left.oversampler16),
                                                      bytesOf (right.oversampler4), bytesOf (right.oversampler16)); };
    const auto before = others();
    const int inputPosition = left.oversampler8.getInputLine().getWritePosition();
    const int phasePosition = left.oversampler8.getPhasePosition();
    ASSERT_NE (left.oversampler8.getInputLine().data()[0], 0.0);

    core->setQuality (2);

    EXPECT_EQ (others(), before);
    EXPECT_EQ (left.oversampler8.getInputLine().getWritePosition(), inputPosition);
    EXPECT_EQ (left.oversampler8.getPhasePosition(), phasePosition);

    for (const auto* channel : { &left, &right })
        for (int i = 0; i < 2 * HistoryLine::length; ++i)
        {
            ASSERT_EQ (channel->oversampler8.getInputLine().data()[i], 0.0);

            for (int p = 0; p < 8; ++p)
                ASSERT_EQ (channel->oversampler8.getPhaseHistory (p, i), 0.0);
        }
}

//==============================================================================
TEST (KorvaneCoreSilentChange, FadesOutHoldsSilenceAndFadesBackToExactlyUnity)
{
    auto core = makeDryCore (0);
    core->changePreset();   // no owner: the fade runs, nothing is applied

    std::vector<float> l (12000, 0.5f), r (12000, -0.25f);
    processStereo (*core, l, r);

    const int fadeOut = 3451, hold = 4000, fadeIn = 2301;

    EXPECT_GT (l[fadeOut - 2], 0.5f * 0.001f);
    EXPECT_EQ (l[fadeOut - 1], 0.0f);   // the switch sample

    for (int n = fadeOut - 1; n < fadeOut - 1 + hold; ++n)
        ASSERT_LT (std::abs (l[(size_t) n]), 1e-17f) << n;

    const int rising = fadeOut - 1 + hold;
    EXPECT_GT (l[(size_t) rising], 0.0f);
    EXPECT_LT (l[(size_t) (rising + fadeIn - 2)], 0.5f * 0.99f);
    EXPECT_EQ (l[(size_t) (rising + fadeIn - 1)], 0.5f);   // above 0.99 on its 2301st sample: snapped to 1
    EXPECT_EQ (r[(size_t) (rising + fadeIn - 1)], -0.25f);
    EXPECT_FALSE (core->isFadeActive());
}

//==============================================================================
TEST (KorvaneCoreParameters, ControlLawsAndIgnoredIndices)
{
    auto core = makeCore (0);
    EXPECT_EQ (core->getLowCutHz(), 76.0);
    EXPECT_EQ (core->getHighCutHz(), 3125.0);
    EXPECT_NEAR (core->getBandOctaves (KorvaneCore::treble), 1.9, 1e-6);

    core->setParameter (20, 0.5f);
    EXPECT_EQ (core->getHighCutOn(), 1);
    core->setParameter (20, 0.4999f);
    EXPECT_EQ (core->getHighCutOn(), 0);

    const auto left = bytesOf (core->getChannel (0));
    core->setParameter (21, 1.0f);
    core->setParameter (-1, 1.0f);
    EXPECT_EQ (bytesOf (core->getChannel (0)), left);
    EXPECT_EQ (core->getQuality(), 0);
}

TEST (KorvaneCoreParameters, SmoothingCoefficientFollowsTheSampleRate)
{
    EXPECT_EQ (makeCore (0, {}, 44100.0f)->getSampleRateConstants().smoothingFactor, 1.0);
    EXPECT_EQ (makeCore (0, {}, 44100.0f)->getMeterDecay(), 1.0 - 0.0001);
    EXPECT_NEAR (makeCore (0, {}, 48000.0f)->getSampleRateConstants().parameterSmoothing, 0.0018841, 1e-7);
    EXPECT_NEAR (makeCore (0, {}, 96000.0f)->getSampleRateConstants().parameterSmoothing, 0.0010908, 1e-7);
}

//==============================================================================
// Non-finite input.

TEST (KorvaneCoreInput, NonFiniteSamplesAreReadAsSilenceAndLeaveNoTrace)
{
    using namespace korvane_test;

    for (int quality = 0; quality < 4; ++quality)
    {
        // The same signal twice: once with NaN and infinite samples in it,
        // once with zeros in their places. The outputs must be identical,
        // during the bad samples and for ever after.
        auto withBad = makeCore (quality, { { 0, 0.7f }, { 18, 0.6f } });
        auto withZeros = makeCore (quality, { { 0, 0.7f }, { 18, 0.6f } });

        std::vector<float> l1 (4096), r1 (4096);
        for (size_t i = 0; i < l1.size(); ++i)
        {
            l1[i] = 0.5f * std::sin (0.05f * (float) i);
            r1[i] = 0.4f * std::cos (0.031f * (float) i);
        }

        auto l2 = l1, r2 = r1;
        const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity() };

        for (int k = 0; k < 3; ++k)
        {
            l1[(size_t) (100 + 7 * k)] = bad[k];
            r1[(size_t) (900 + 5 * k)] = bad[k];
            l2[(size_t) (100 + 7 * k)] = 0.0f;
            r2[(size_t) (900 + 5 * k)] = 0.0f;
        }

        processStereo (*withBad, l1, r1);
        processStereo (*withZeros, l2, r2);

        for (size_t i = 0; i < l1.size(); ++i)
        {
            ASSERT_TRUE (std::isfinite (l1[i]) && std::isfinite (r1[i])) << "quality " << quality << ", sample " << i;
            ASSERT_EQ (l1[i], l2[i]) << "quality " << quality << ", sample " << i;
            ASSERT_EQ (r1[i], r2[i]) << "quality " << quality << ", sample " << i;
        }

        // Mono too, from a silent start: a NaN first sample gives silence.
        auto mono = makeCore (quality);
        std::vector<float> m (64, 0.25f);
        m[0] = bad[0];
        float* pm = m.data();
        mono->processMono (&pm, (int) m.size());
        for (auto v : m)
            ASSERT_TRUE (std::isfinite (v)) << "quality " << quality;
    }
}
