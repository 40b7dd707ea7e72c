#include "KorvaneTestCore.h"

#include "plugin/KorvaneDisplayTexts.h"

#include <gtest/gtest.h>

using namespace korvane_test;

namespace
{
    juce::String textAt (int identifier, float value)
    {
        auto core = makeCore (0, { { identifier, value } });
        return korvaneDisplayText (identifier, *core);
    }
}

TEST (KorvaneDisplayTexts, DefaultValues)
{
    const char* expected[21] { "0.0dB", "75Hz", "3125Hz", "10", "10", "0",
                               "150Hz", "0dB", "4 oct.", "1000Hz", "0dB", "4 oct.",
                               "3500Hz", "0dB", "1.9 oct.", "8500Hz", "0dB", "4 oct.",
                               "0/100% (Dry/Wet)", "0.0dB", "On" };
    auto core = makeCore();

    for (int i = 0; i < 21; ++i)
    {
        EXPECT_EQ (korvaneDisplayText (i, *core), juce::String (expected[i])) << i;
        EXPECT_EQ (korvaneDisplayTextForValue (i, parameterDefaults[i]), juce::String (expected[i])) << i;
    }
}

TEST (KorvaneDisplayTexts, TextsFollowTheTargetsNotTheSmoothedValues)
{
    auto core = makeCore();
    core->setParameter (0, 0.5f);
    core->setParameter (3, 0.55f);
    core->setParameter (18, 0.3f);
    core->setParameter (20, 0.0f);

    EXPECT_EQ (korvaneDisplayText (0, *core), "+50.0dB");
    EXPECT_EQ (korvaneDisplayText (3, *core), "5.5");
    EXPECT_EQ (korvaneDisplayText (18, *core), "70/30% (Dry/Wet)");
    EXPECT_EQ (korvaneDisplayText (20, *core), "Off");
}

TEST (KorvaneDisplayTexts, OutputVolume)
{
    EXPECT_EQ (textAt (19, 0.0f), "-Inf.");
    EXPECT_EQ (textAt (19, 1.0f), "+30.0dB");
}

TEST (KorvaneDisplayTexts, RoundingAwayFromZeroAndSigns)
{
    EXPECT_EQ (korvaneDisplayTextForQuantity (7, 12.35), "12.4dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (7, -0.04), "0dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (7, -0.05), "-0.1dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (16, -24.0), "-24dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (1, 301.0), "300Hz");
    EXPECT_EQ (korvaneDisplayTextForQuantity (6, 150.5), "151Hz");

    // One decimal keeps the sign of a negative value that prints as zero;
    // huge values fall back to nine significant digits.
    EXPECT_EQ (korvaneDisplayTextForQuantity (19, 0.999), "-0.0dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (19, 1.0012), "+0.0dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (19, 1.001), "0.0dB");
    EXPECT_EQ (korvaneDisplayTextForQuantity (0, 1e21), "+1e+21dB");
}

TEST (KorvaneDisplayTexts, TextForAValueMatchesTheTextOnceTheCoreHasIt)
{
    for (int id = 0; id < 21; ++id)
        for (float v : { 0.0f, 0.123f, 0.5f, 0.77f, 1.0f })
            EXPECT_EQ (korvaneDisplayTextForValue (id, v), textAt (id, v)) << id << " " << v;
}
