#include "SkinTestSupport.h"

#include "skin/GFXAnimation.h"

using namespace SkinTestSupport;

TEST (Animation, TwelveFrameMeterShowsElevenSixAndFive)
{
    GFXAnimation meter ("LeftVUMeter");
    meter.setFilmStrip (filmStrip (26, 89, 12), 12);
    EXPECT_EQ (meter.getBounds().getWidth(), 26);
    EXPECT_EQ (meter.getBounds().getHeight(), 89);

    meter.setValue (1.0f);
    EXPECT_EQ (meter.getCurrentFrame(), 11);
    EXPECT_EQ (frameShown (render (meter), 12), 11);

    meter.setValue (0.5f);
    EXPECT_EQ (meter.getCurrentFrame(), 6);
    EXPECT_EQ (frameShown (render (meter), 12), 6);

    meter.setValue (0.45f);
    EXPECT_EQ (meter.getCurrentFrame(), 5);

    meter.setValue (7.0f);
    EXPECT_EQ (meter.getCurrentFrame(), 11);
    meter.setValue (-1.0f);
    EXPECT_EQ (meter.getCurrentFrame(), 0);
}

TEST (Animation, LoadingSizesAndPlacesTheComponentAndResetsTheFrame)
{
    Fixture fixture;
    GFXAnimation meter ("RightVUMeter");
    meter.setCurrentFrame (3);

    auto element = parse (R"(<Animation name="RightVUMeter">
                               <gfx resource="NoSuchMeter.png" framesNum="12"/>
                               <size width="28" height="89"/><pos left="585" top="100"/></Animation>)");
    meter.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);

    EXPECT_EQ (meter.getBounds(), juce::Rectangle<int> (585, 100, 28, 89));
    EXPECT_EQ (meter.getFrameCount(), 12);
    EXPECT_EQ (meter.getCurrentFrame(), 0);
}

TEST (Animation, FollowsALinkedParameterAsynchronously)
{
    Fixture fixture;
    auto* level = fixture.addFloat (5, "Level");
    GFXAnimation meter ("Meter");
    auto element = parse (R"(<Animation><links><link as="connectedTo" param="Level"/></links>
                               <gfx framesNum="12"/><size width="10" height="10"/></Animation>)");
    meter.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);

    level->setNormalisedValue (1.0f, true);
    EXPECT_EQ (meter.getCurrentFrame(), 0);
    pump();
    EXPECT_EQ (meter.getCurrentFrame(), 11);
}

TEST (Animation, APulseReturnsToTheRestFrameByItself)
{
    GFXAnimation led ("MidiActivityLed");
    led.setFilmStrip (filmStrip (8, 8, 2), 2);

    led.pulse (1, 175);
    EXPECT_EQ (led.getCurrentFrame(), 1);
    EXPECT_TRUE (led.isPulsing());

    const auto start = juce::Time::getMillisecondCounterHiRes();
    pump (100);
    EXPECT_EQ (led.getCurrentFrame(), 1) << "still lit after 100 ms";

    while (led.isPulsing() && juce::Time::getMillisecondCounterHiRes() - start < 2000)
        pump (10);

    EXPECT_EQ (led.getCurrentFrame(), 0);
    EXPECT_FALSE (led.isPulsing()) << "the timer stops itself";
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 170.0);
    EXPECT_EQ (frameShown (render (led), 2), 0);

    led.setRestFrame (1);
    led.pulse (0, 20);
    pump (200);
    EXPECT_EQ (led.getCurrentFrame(), 1);
}

TEST (Animation, WithoutAnImageItPaintsASquareWithAGrowingDot)
{
    Fixture fixture;
    GFXAnimation meter ("Meter");
    auto element = parse (R"(<Animation><gfx framesNum="11"/><size width="30" height="20"/></Animation>)");
    meter.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    ASSERT_FALSE (meter.hasFilmStrip());

    // The square sits at ((30 - 16) / 2, (20 - 16) / 2) = (7, 2).
    auto snapshot = render (meter);
    EXPECT_EQ (snapshot.getPixelAt (7, 2), juce::Colours::black);
    EXPECT_EQ (snapshot.getPixelAt (22, 17), juce::Colours::black);
    EXPECT_EQ (snapshot.getPixelAt (10, 5), juce::Colour::greyLevel (0.9f));
    EXPECT_EQ (snapshot.getPixelAt (15, 10), juce::Colour::greyLevel (0.9f)) << "frame 0: no dot";
    EXPECT_EQ (snapshot.getPixelAt (6, 2).getAlpha(), 0) << "nothing outside the square";

    meter.setValue (1.0f); // diameter 10
    snapshot = render (meter);
    EXPECT_EQ (snapshot.getPixelAt (15, 10), juce::Colours::black);
    EXPECT_EQ (snapshot.getPixelAt (11, 10), juce::Colours::black);
    EXPECT_EQ (snapshot.getPixelAt (9, 10), juce::Colour::greyLevel (0.9f));

    // A small component keeps the square at the origin.
    meter.setSize (10, 10);
    snapshot = render (meter);
    EXPECT_EQ (snapshot.getPixelAt (0, 0), juce::Colours::black);
}
