#include <gtest/gtest.h>

#include "dsp/EffectCore.h"

#include <cmath>
#include <vector>

namespace
{
    struct CountingOwner : public PresetApplier
    {
        int applied = 0;
        void applyCurrentPreset() override { ++applied; }
    };

    // Runs the fade sample by sample at 44.1 kHz and returns the gains.
    std::vector<double> runFade (EffectCore& core, int samples, double b = 0.002, double rateRatio = 1.0)
    {
        std::vector<double> gains;

        for (int i = 0; i < samples; ++i)
        {
            core.advanceFade (b, rateRatio);
            gains.push_back (core.getFadeGain());
        }

        return gains;
    }
}

TEST (EffectCore, TheMeterTableSpansMinus24ToPlus6Decibels)
{
    EffectCore core;
    EXPECT_EQ (core.getMeterTableEntry (200), 0.0);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (100), 0.8);
    EXPECT_DOUBLE_EQ (core.getMeterTableEntry (300), 0.8);
    EXPECT_NEAR (core.getMeterTableEntry (399), 0.99924, 1e-5);
    EXPECT_EQ (core.getMeterTableEntry (0), 1.0);
    EXPECT_EQ (core.getMeterTableEntry (206), 0.0);            // 0.06 is below -24 dB
    EXPECT_NEAR (core.getMeterTableEntry (207), 0.030, 1e-3);

    float left = -1, right = -1;
    core.getMeterLevels (left, right);
    EXPECT_EQ (left, 0.0f);
    core.setMeterLevels (1.5f, std::nanf (""));
    core.getMeterLevels (left, right);
    EXPECT_EQ (left, 1.0f);
    EXPECT_EQ (right, 0.0f);
    core.setMeterLevels (-0.5f, 0.25f);
    core.getMeterLevels (left, right);
    EXPECT_EQ (left, 0.0f);
    EXPECT_EQ (right, 0.25f);

    EXPECT_EQ (core.getLatencySamples(), 0);
}

TEST (EffectCore, ASilentChangeFadesOutHoldsAndFadesIn)
{
    EffectCore core;
    CountingOwner owner;
    core.setOwner (&owner);

    EXPECT_FALSE (core.isFadeActive());
    core.advanceFade (0.002, 1.0);   // idle: nothing moves
    EXPECT_EQ (core.getFadeGain(), 1.0);

    core.changePreset();
    const auto gains = runFade (core, 12000);

    int switchAt = -1;
    for (int i = 0; i < (int) gains.size() && switchAt < 0; ++i)
        if (gains[(size_t) i] == 0.0)
            switchAt = i;

    ASSERT_GE (switchAt, 0);
    EXPECT_EQ (switchAt + 1, 3451);     // the 3451st sample is the first below 0.001
    EXPECT_GE (gains[(size_t) switchAt - 1], 0.001);
    EXPECT_EQ (owner.applied, 1);

    // 4000 samples of silence from the switch on; the 1e-20 offset leaves
    // gains far below 1e-17 in magnitude.
    for (int i = switchAt; i < switchAt + 4000; ++i)
        EXPECT_LT (std::abs (gains[(size_t) i]), 1e-17) << i;

    int unityAt = -1;
    for (int i = switchAt + 4000; i < (int) gains.size() && unityAt < 0; ++i)
        if (gains[(size_t) i] == 1.0)
            unityAt = i;

    ASSERT_GT (unityAt, 0);
    EXPECT_EQ (unityAt - (switchAt + 4000) + 1, 2301);
    EXPECT_LT (gains[(size_t) unityAt - 1], 0.99);
    EXPECT_FALSE (core.isFadeActive());
    EXPECT_EQ (owner.applied, 1);
}

TEST (EffectCore, RequestsDuringTheFadeAndTheHold)
{
    EffectCore core;
    CountingOwner owner;
    core.setOwner (&owner);

    // A second request during the hold switches again on the next sample and
    // restarts the hold.
    core.changePreset();
    runFade (core, 3451 + 100);
    ASSERT_EQ (owner.applied, 1);
    core.changePreset();
    runFade (core, 1);
    EXPECT_EQ (owner.applied, 2);
    const auto rest = runFade (core, 3999);
    EXPECT_LT (std::abs (rest.back()), 1e-17);
    EXPECT_GT (runFade (core, 2).back(), 0.0);

    // Without an owner the fade runs all the same.
    EffectCore alone;
    alone.changePreset();
    const auto gains = runFade (alone, 12000);
    EXPECT_EQ (gains.back(), 1.0);

    // At 48 kHz the hold is trunc(4000 · 48000/44100) = 4353 samples.
    EffectCore at48;
    const double k = 2.0 * (1.0 - std::pow (0.5, 44100.0 / 48000.0));
    at48.changePreset();
    const auto g48 = runFade (at48, 20000, k * 0.002, 48000.0 / 44100.0);
    int zeros = 0;
    for (auto g : g48)
        zeros += std::abs (g) < 1e-17 ? 1 : 0;
    EXPECT_EQ (zeros, 4353);
}
