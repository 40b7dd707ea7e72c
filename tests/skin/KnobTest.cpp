#include "SkinTestSupport.h"

#include "skin/GFXKnob.h"
#include "skin/GFXSwitch.h"

#include <thread>

using namespace SkinTestSupport;

namespace
{
    /** A knob linked to its own parameter, with recorders on both sides. */
    struct LinkedKnob
    {
        LinkedKnob()
        {
            parameter = fixture.addFloat (3, "Bass Gain");
            auto element = parse (R"(<Knob name="BassGainKnob"><links><link as="connectedTo" param="Bass Gain"/></links>
                                       <size width="28" height="28"/><pos left="239" top="124"/></Knob>)");
            knob.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
            parameter->addListener (&host);
            knob.addListener (&editor);
        }

        Fixture fixture;
        FloatParameter* parameter = nullptr;
        GFXKnob knob { "BassGainKnob" };
        RecordingParameterListener host;
        RecordingControllerListener editor;
    };

    const juce::Point<float> centre (14.0f, 200.0f);
}

//==============================================================================
// Settings and placement.

TEST (Knob, SettingsMatchTheSkinFeel)
{
    GFXKnob knob ("K");
    EXPECT_EQ (knob.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob.getMinimum(), 0.0);
    EXPECT_EQ (knob.getMaximum(), 1.0);
    EXPECT_EQ (knob.getInterval(), 0.0);
    EXPECT_EQ (knob.getValue(), 0.0);
    EXPECT_EQ (knob.getMouseDragSensitivity(), 250);
    EXPECT_FALSE (knob.getVelocityBasedMode());
    EXPECT_TRUE (knob.getVelocityModeIsSwappable());
    EXPECT_EQ (knob.getVelocitySensitivity(), 1.0);
    EXPECT_EQ (knob.getVelocityThreshold(), 1);
    EXPECT_EQ (knob.getVelocityOffset(), 0.0);
    EXPECT_TRUE (knob.isScrollWheelEnabled());
    EXPECT_FALSE (knob.isDoubleClickReturnEnabled());
}

TEST (Knob, LoadingPlacesItAtOneFrameSize)
{
    LinkedKnob k;
    EXPECT_EQ (k.knob.getBounds(), juce::Rectangle<int> (239, 124, 28, 28));
    EXPECT_EQ (k.knob.getLinkedParameter(), k.parameter);
    EXPECT_EQ (k.knob.getName(), "BassGainKnob");
}

//==============================================================================
// Dragging.

TEST (Knob, DraggingUp125PixelsFromZeroGivesHalfWithinOneGesture)
{
    LinkedKnob k;
    drag (k.knob, centre, centre.translated (0.0f, -125.0f), {}, 5.0f);

    EXPECT_NEAR (k.knob.getValue(), 0.5, 1e-9);
    EXPECT_NEAR (k.parameter->getNormalisedValue(), 0.5f, 1e-6f);

    ASSERT_GE (k.host.log.size(), 3u);
    EXPECT_EQ (k.host.log.front(), "began");
    EXPECT_EQ (k.host.log.back(), "ended");
    EXPECT_EQ (k.host.count ("began"), 1);
    EXPECT_EQ (k.host.count ("ended"), 1);
    EXPECT_EQ (k.host.count ("changed"), 25) << "one write per drag step";

    // The editor hears the drag start after the gesture began, a value change
    // after every write and the drag end after the gesture ended.
    EXPECT_EQ (k.editor.log.front(), "drag+ BassGainKnob");
    EXPECT_EQ (k.editor.log.back(), "drag- BassGainKnob");
    EXPECT_EQ (k.editor.log.size(), 27u);
}

TEST (Knob, DraggingFurtherThan250PixelsStopsAtOne)
{
    LinkedKnob k;
    drag (k.knob, centre, centre.translated (0.0f, -400.0f), {}, 10.0f);
    EXPECT_EQ (k.knob.getValue(), 1.0);
    EXPECT_EQ (k.parameter->getNormalisedValue(), 1.0f);

    drag (k.knob, centre, centre.translated (0.0f, 100.0f));
    EXPECT_NEAR (k.knob.getValue(), 0.6, 1e-9) << "dragging down decreases";

    drag (k.knob, centre, centre.translated (0.0f, 900.0f));
    EXPECT_EQ (k.knob.getValue(), 0.0);
}

TEST (Knob, CtrlOrAltSwitchToTheFineVelocityMode)
{
    for (auto modifier : { juce::ModifierKeys::ctrlModifier, juce::ModifierKeys::altModifier })
    {
        LinkedKnob k;
        drag (k.knob, centre, centre.translated (0.0f, -125.0f), juce::ModifierKeys (modifier), 5.0f);

        EXPECT_GT (k.knob.getValue(), 0.0) << "upwards still increases";
        EXPECT_LT (k.knob.getValue(), 0.05) << "far less than the 0.5 of a plain drag";
        EXPECT_EQ (k.host.count ("began"), 1);
        EXPECT_EQ (k.host.count ("ended"), 1);
    }
}

TEST (Knob, EachWheelStepMovesAbout015OfTheRangeInItsOwnGesture)
{
    LinkedKnob k;
    wheel (k.knob, 1.0f);
    EXPECT_NEAR (k.knob.getValue(), 0.15, 1e-9);
    wheel (k.knob, 1.0f);
    EXPECT_NEAR (k.knob.getValue(), 0.30, 1e-9);
    wheel (k.knob, -1.0f);
    EXPECT_NEAR (k.knob.getValue(), 0.15, 1e-9);

    EXPECT_NEAR (k.parameter->getNormalisedValue(), 0.15f, 1e-6f);
    EXPECT_EQ (k.host.log, (std::vector<std::string> { "began", "changed", "ended",
                                                       "began", "changed", "ended",
                                                       "began", "changed", "ended" }));

    for (int i = 0; i < 10; ++i)
        wheel (k.knob, 1.0f);

    EXPECT_DOUBLE_EQ (k.knob.getValue(), 1.0);
}

TEST (Knob, AWheelNotchIsOneStepWhateverDeltaThePlatformReports)
{
    // JUCE's X11 peer reports a notch as 50/256.
    LinkedKnob k;
    wheel (k.knob, 50.0f / 256.0f);
    EXPECT_NEAR (k.knob.getValue(), 0.15, 1e-9);
    wheel (k.knob, -50.0f / 256.0f);
    EXPECT_NEAR (k.knob.getValue(), 0.0, 1e-9);

    for (int i = 0; i < 7; ++i)
        wheel (k.knob, 50.0f / 256.0f);

    EXPECT_DOUBLE_EQ (k.knob.getValue(), 1.0) << "seven notches cover the range";
}

TEST (Knob, WithoutALinkItTurnsButNobodyHears)
{
    Fixture fixture;
    auto* unrelated = fixture.addFloat (1, "Unrelated");
    RecordingParameterListener host;
    unrelated->addListener (&host);

    GFXKnob knob ("Loose");
    auto element = parse (R"(<Knob><size width="30" height="30"/></Knob>)");
    knob.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    RecordingControllerListener editor;
    knob.addListener (&editor);

    drag (knob, centre, centre.translated (0.0f, -125.0f));
    EXPECT_NEAR (knob.getValue(), 0.5, 1e-9);
    EXPECT_TRUE (editor.log.empty());
    EXPECT_TRUE (host.log.empty());
}

//==============================================================================
// Following the parameter.

TEST (Knob, FollowsTheParameterOnlyThroughItsAsyncNotificationWithoutWritingBack)
{
    LinkedKnob k;

    k.parameter->setNormalisedValue (0.75f, true);
    EXPECT_EQ (k.knob.getValue(), 0.0) << "nothing changes before the message thread runs";
    EXPECT_EQ (k.host.count ("changed"), 1);

    pump();
    EXPECT_NEAR (k.knob.getValue(), 0.75, 1e-6);
    EXPECT_EQ (k.host.count ("changed"), 1) << "the knob does not write the value back";
    EXPECT_TRUE (k.editor.log.empty()) << "no status-bar message for a host change";

    // A change without notification never reaches the knob.
    k.parameter->setNormalisedValue (0.1f, false);
    pump();
    EXPECT_NEAR (k.knob.getValue(), 0.75, 1e-6);
}

TEST (Knob, ChangesFromAnotherThreadArriveOnTheMessageThread)
{
    LinkedKnob k;

    std::thread writer ([&] { k.parameter->setNormalisedValue (0.4f, true); });
    writer.join();

    EXPECT_EQ (k.knob.getValue(), 0.0);
    pump();
    EXPECT_NEAR (k.knob.getValue(), 0.4, 1e-6);
}

//==============================================================================
// Painting.

TEST (Knob, FrameFollowsTheValueAndADisabledKnobShowsFrameZero)
{
    GFXKnob knob ("K");
    knob.setFilmStrip (filmStrip (4, 3, 61), 61);
    knob.setBounds (0, 0, 4, 3);

    knob.setValue (0.0, juce::dontSendNotification);
    EXPECT_EQ (frameShown (render (knob), 61), 0);
    knob.setValue (0.5, juce::dontSendNotification);
    EXPECT_EQ (frameShown (render (knob), 61), 30);
    knob.setValue (1.0, juce::dontSendNotification);
    EXPECT_EQ (frameShown (render (knob), 61), 60);
    knob.setValue (0.509, juce::dontSendNotification);
    EXPECT_EQ (knob.getCurrentFrameIndex(), 31);

    knob.setEnabled (false);
    EXPECT_EQ (frameShown (render (knob), 61), 0);

    // Disabled through its parent as well.
    knob.setEnabled (true);
    juce::Component parent;
    parent.addAndMakeVisible (knob);
    parent.setEnabled (false);
    EXPECT_EQ (knob.getCurrentFrameIndex(), 0);
}

TEST (Knob, WithoutAnImageItPaintsAFrameTheSliderAndTexts)
{
    Fixture fixture;
    fixture.addFloat (4, "Tone", 0.5f);

    GFXKnob knob ("ToneKnob");
    auto element = parse (R"(<Knob><links><link as="connectedTo" param="Tone"/></links>
                               <gfx resource="MissingTone.png" framesNum="61"/>
                               <size width="80" height="70"/></Knob>)");
    knob.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    pump();
    ASSERT_EQ (knob.getBounds(), juce::Rectangle<int> (0, 0, 80, 70));

    const auto snapshot = render (knob);
    const auto border = juce::Colour::greyLevel (0.7f);
    EXPECT_EQ (snapshot.getPixelAt (0, 35), border);
    EXPECT_EQ (snapshot.getPixelAt (79, 35), border);
    EXPECT_EQ (snapshot.getPixelAt (40, 0), border);

    // Some black text at the top (the value) and at the bottom (the name).
    auto hasBlackIn = [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = 1; x < 79; ++x)
                if (snapshot.getPixelAt (x, y).getPerceivedBrightness() < 0.2f
                    && snapshot.getPixelAt (x, y).getAlpha() > 200)
                    return true;
        return false;
    };
    EXPECT_TRUE (hasBlackIn (1, 16));
    EXPECT_TRUE (hasBlackIn (55, 69));
}

//==============================================================================
// Switch.

TEST (Switch, SnapsToAGridOf0005AndShowsTheMiddleFrameAtHalf)
{
    Fixture fixture;
    fixture.addFloat (9, "Mode");
    GFXSwitch control ("ModeSwitch");
    auto element = parse (R"(<Switch><links><link as="connectedTo" param="Mode"/></links><size width="20" height="20"/></Switch>)");
    control.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    control.setFilmStrip (filmStrip (20, 20, 3), 3);

    EXPECT_EQ (control.getInterval(), 0.005);
    EXPECT_EQ (control.getSwitchStyle(), GFXSwitch::rotaryStyle);
    EXPECT_EQ (control.getSliderStyle(), juce::Slider::RotaryVerticalDrag);

    control.setValue (0.5, juce::dontSendNotification);
    EXPECT_EQ (frameShown (render (control), 3), 1);

    control.setValue (0.5023, juce::dontSendNotification);
    EXPECT_NEAR (control.getValue(), 0.5, 1e-12);
    control.setValue (0.5026, juce::dontSendNotification);
    EXPECT_NEAR (control.getValue(), 0.505, 1e-12);
}

TEST (Switch, AWheelNotchMovesItLikeAKnobAndNeverLessThanOneInterval)
{
    Fixture fixture;
    fixture.addFloat (9, "Mode");
    GFXSwitch control ("ModeSwitch");
    auto element = parse (R"(<Switch><links><link as="connectedTo" param="Mode"/></links><size width="20" height="20"/></Switch>)");
    control.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);

    wheel (control, 50.0f / 256.0f);
    EXPECT_NEAR (control.getValue(), 0.15, 1e-12);

    // A coarser grid: one notch is one interval.
    control.setRange (0.0, 1.0, 0.5);
    control.setValue (0.0, juce::dontSendNotification);
    wheel (control, 50.0f / 256.0f);
    EXPECT_NEAR (control.getValue(), 0.5, 1e-12);
}

TEST (Switch, StyleIsReadInAnyCaseAndUnknownValuesKeepIt)
{
    Fixture fixture;

    auto styleFor = [&] (const char* xml)
    {
        GFXSwitch control ("S");
        auto element = parse (xml);
        control.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
        return std::make_pair (control.getSwitchStyle(), control.getSliderStyle());
    };

    EXPECT_EQ (styleFor ("<Switch style=\"horizontal\"/>"), std::make_pair ((int) GFXSwitch::horizontalStyle, juce::Slider::LinearHorizontal));
    EXPECT_EQ (styleFor ("<Switch STYLE=\"VERTICAL\"/>"), std::make_pair ((int) GFXSwitch::verticalStyle, juce::Slider::LinearVertical));
    EXPECT_EQ (styleFor ("<Switch style=\"rotary\"/>"), std::make_pair ((int) GFXSwitch::rotaryStyle, juce::Slider::RotaryVerticalDrag));
    EXPECT_EQ (styleFor ("<Switch style=\"diagonal\"/>"), std::make_pair ((int) GFXSwitch::rotaryStyle, juce::Slider::RotaryVerticalDrag));
}

TEST (Switch, DragsLikeAKnobWithGesturesAndFollowsItsParameterAsynchronously)
{
    Fixture fixture;
    auto* mode = fixture.addFloat (9, "Mode");
    RecordingParameterListener host;
    mode->addListener (&host);

    GFXSwitch control ("ModeSwitch");
    auto element = parse (R"(<Switch><links><link as="connectedTo" param="Mode"/></links><size width="20" height="20"/></Switch>)");
    control.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    RecordingControllerListener editor;
    control.addListener (&editor);

    drag (control, centre, centre.translated (0.0f, -125.0f));
    EXPECT_NEAR (control.getValue(), 0.5, 1e-9);
    EXPECT_NEAR (mode->getNormalisedValue(), 0.5f, 1e-6f);
    EXPECT_EQ (host.log.front(), "began");
    EXPECT_EQ (host.log.back(), "ended");
    EXPECT_EQ (editor.log.front(), "drag+ ModeSwitch");
    EXPECT_EQ (editor.log.back(), "drag- ModeSwitch");

    host.log.clear();
    mode->setNormalisedValue (0.2f, true);
    EXPECT_NEAR (control.getValue(), 0.5, 1e-9);
    pump();
    EXPECT_NEAR (control.getValue(), 0.2, 1e-6);
    EXPECT_EQ (host.count ("changed"), 1);
}
