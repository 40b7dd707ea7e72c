#include "plugin/Korvane.h"
#include "plugin/KorvaneDisplayTexts.h"
#include "TestSettingsFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
    juce::String shownAfterTyping (int identifier, const juce::String& typed)
    {
        const auto value = korvaneValueForDisplayText (identifier, typed);
        return value ? korvaneDisplayTextForValue (identifier, *value) : juce::String ("(no value)");
    }
}

TEST (ParameterTextEntry, EveryShownTextTypedBackShowsItselfAgain)
{
    juce::Random random (7);

    for (int id = 0; id <= 20; ++id)
        for (int k = 0; k < 400; ++k)
        {
            const auto v = k == 0 ? 0.0f : k == 1 ? 1.0f : random.nextFloat();
            const auto shown = korvaneDisplayTextForValue (id, v);
            EXPECT_EQ (shownAfterTyping (id, shown), shown) << "parameter " << id << " at " << v;
        }
}

TEST (ParameterTextEntry, TypedWithoutUnitsOrInOtherForms)
{
    EXPECT_EQ (shownAfterTyping (0, "37.6"), "+37.6dB");
    EXPECT_EQ (shownAfterTyping (0, " +37.6 dB "), "+37.6dB");
    EXPECT_EQ (shownAfterTyping (1, "75"), "75Hz");           // shown one below the filter's frequency
    EXPECT_EQ (shownAfterTyping (2, "3125 Hz"), "3125Hz");
    EXPECT_EQ (shownAfterTyping (3, "5.5"), "5.5");
    EXPECT_EQ (shownAfterTyping (7, "-12.4dB"), "-12.4dB");
    EXPECT_EQ (shownAfterTyping (8, "1.9"), "1.9 oct.");       // bandwidth falls as the value rises
    EXPECT_EQ (shownAfterTyping (18, "30"), "70/30% (Dry/Wet)");
    EXPECT_EQ (shownAfterTyping (18, "70/30% (Dry/Wet)"), "70/30% (Dry/Wet)");
    EXPECT_EQ (shownAfterTyping (19, "-6"), "-6.0dB");
    EXPECT_EQ (shownAfterTyping (20, "off"), "Off");
    EXPECT_EQ (shownAfterTyping (20, "1"), "On");
}

TEST (ParameterTextEntry, OutOfRangeGivesTheEndAndNonsenseGivesNothing)
{
    EXPECT_EQ (korvaneValueForDisplayText (0, "250dB"), 1.0f);
    EXPECT_EQ (korvaneValueForDisplayText (0, "-3dB"), 0.0f);
    EXPECT_EQ (korvaneValueForDisplayText (8, "10 oct."), 0.0f);
    EXPECT_EQ (korvaneValueForDisplayText (19, "-Inf."), 0.0f);
    EXPECT_EQ (korvaneValueForDisplayText (19, "+400dB"), 1.0f);

    for (const auto* nonsense : { "", "dB", "loud", "nan", "-", "." })
        EXPECT_FALSE (korvaneValueForDisplayText (0, nonsense).has_value()) << nonsense;

    EXPECT_FALSE (korvaneValueForDisplayText (21, "1").has_value());
}

TEST (ParameterTextEntry, TheHostsTextEntrySetsWhatItShows)
{
    TestSettingsFolder settings;
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    auto* preamp = processor->getParameters()[0];

    preamp->setValue (preamp->getValueForText ("+37.6dB"));
    EXPECT_EQ (preamp->getCurrentValueAsText(), "+37.6dB");

    // A text without a number leaves the value where it was.
    EXPECT_EQ (preamp->getValueForText ("loud"), preamp->getValue());
}
