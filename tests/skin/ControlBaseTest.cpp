#include "SkinTestSupport.h"

#include "skin/BaseGFXController.h"
#include "skin/GFXAnimation.h"
#include "skin/GFXKnob.h"

using namespace SkinTestSupport;

namespace
{
    /** A controller that records what the base hands it. */
    struct ProbeController : public BaseGFXController,
                             public juce::Component
    {
        explicit ProbeController (const juce::String& name = "Probe") : juce::Component (name) {}

        void addAction (const juce::String& type, int eventId, const juce::String& eventName) override
        {
            actions.push_back ({ type, eventId, eventName });
        }

        void parameterValueChanged (Parameter* parameter) override
        {
            notifications.push_back (parameter);
        }

        void sizeChanged() override     { ++sizeChanges; }
        void positionChanged() override { ++positionChanges; }

        struct Action { juce::String type; int eventId; juce::String name; };
        std::vector<Action> actions;
        std::vector<Parameter*> notifications;
        int sizeChanges = 0, positionChanges = 0;
    };

    void load (GUIController& controller, Fixture& fixture, const juce::String& xml)
    {
        auto element = parse (xml);
        ASSERT_NE (element, nullptr);
        controller.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    }
}

//==============================================================================
// Attribute value rules.

TEST (SkinAttributes, IntegersReadTheirLeadingSignAndDigits)
{
    EXPECT_EQ (SkinXml::parseInt ("42"), 42);
    EXPECT_EQ (SkinXml::parseInt ("-7px"), -7);
    EXPECT_EQ (SkinXml::parseInt ("+3"), 3);
    EXPECT_EQ (SkinXml::parseInt ("  12 "), 12);
    EXPECT_EQ (SkinXml::parseInt ("12.9"), 12);
    EXPECT_EQ (SkinXml::parseInt ("abc"), 0);
    EXPECT_EQ (SkinXml::parseInt (""), 0);
    EXPECT_EQ (SkinXml::parseInt ("99999999999"), std::numeric_limits<int>::max());
}

TEST (SkinAttributes, ColoursAreHexadecimalArgbSkippingOtherCharacters)
{
    EXPECT_EQ (SkinXml::parseColour ("FFBEF6FF"), juce::Colour (0xffbef6ff));
    EXPECT_EQ (SkinXml::parseColour ("#ff232224"), juce::Colour (0xff232224));
    EXPECT_EQ (SkinXml::parseColour ("FF-23 22 24"), juce::Colour (0xff232224));
    EXPECT_EQ (SkinXml::parseColour ("0"), juce::Colour (0x00000000));
    EXPECT_EQ (SkinXml::parseColour ("xyz"), juce::Colour (0x00000000));

    auto element = parse ("<Display/>");
    EXPECT_EQ (SkinXml::readColour (*element, "caretColour"), juce::Colour (0x00000000));
}

TEST (SkinAttributes, BooleansLookAtTheFirstNonBlankCharacter)
{
    for (auto text : { "1", "true", "True", "yes", "Y", "  t" })
        EXPECT_TRUE (SkinXml::parseBool (text)) << text;

    for (auto text : { "0", "false", "no", "", "  ", "on", "x1" })
        EXPECT_FALSE (SkinXml::parseBool (text)) << text;
}

TEST (SkinAttributes, NamesIgnoreCaseAndAbsentAttributesTakeTheirDefault)
{
    auto element = parse ("<Knob NAME=\"A\" FramesNum=\"5\"><GFX resource=\"x.png\"/></Knob>");
    EXPECT_EQ (SkinXml::readString (*element, "name"), "A");
    EXPECT_EQ (SkinXml::readInt (*element, "framesNum", 1), 5);
    EXPECT_EQ (SkinXml::readInt (*element, "missing", 17), 17);
    EXPECT_NE (SkinXml::findChild (*element, "gfx"), nullptr);
    EXPECT_EQ (SkinXml::findChild (*element, "pos"), nullptr);
}

//==============================================================================
// Links.

TEST (ControlLinks, ConnectedToLinksFollowTheParameterThroughAsyncNotification)
{
    Fixture fixture;
    auto* gain = fixture.addFloat (1, "Gain");
    ProbeController probe;

    load (probe, fixture, R"(<Knob><links><link as="connectedTo" param="Gain"/></links></Knob>)");
    ASSERT_EQ (probe.getLinkedParameter(), gain);

    gain->setNormalisedValue (0.25f, true);
    EXPECT_TRUE (probe.notifications.empty()) << "nothing arrives before the message loop runs";

    pump();
    ASSERT_EQ (probe.notifications.size(), 1u);
    EXPECT_EQ (probe.notifications.front(), gain);
}

TEST (ControlLinks, LowerCaseConnectedToAndUnknownParametersLinkNothing)
{
    Fixture fixture;
    auto* gain = fixture.addFloat (1, "Gain");
    ProbeController probe;

    load (probe, fixture, R"(<Knob><links>
                               <link as="connectedto" param="Gain"/>
                               <link as="connectedTo" param="gain"/>
                               <link as="connectedTo" param="Nothing"/>
                               <link as="other" param="Gain"/>
                             </links></Knob>)");
    EXPECT_EQ (probe.getLinkedParameter(), nullptr);

    gain->setNormalisedValue (0.5f, true);
    pump();
    EXPECT_TRUE (probe.notifications.empty());
}

TEST (ControlLinks, ALaterLinkReplacesTheEarlierOne)
{
    Fixture fixture;
    auto* first = fixture.addFloat (1, "First");
    auto* second = fixture.addFloat (2, "Second");
    ProbeController probe;

    load (probe, fixture, R"(<Knob><LINKS>
                               <link as="connectedTo" param="First"/>
                               <Link AS="connectedTo" PARAM="Second"/>
                               <link as="connectedTo" param="Unknown"/>
                             </LINKS></Knob>)");
    EXPECT_EQ (probe.getLinkedParameter(), second);

    first->setNormalisedValue (0.5f, true);
    pump();
    EXPECT_TRUE (probe.notifications.empty()) << "the first parameter no longer notifies";

    second->setNormalisedValue (0.5f, true);
    pump();
    ASSERT_EQ (probe.notifications.size(), 1u);
    EXPECT_EQ (probe.notifications.front(), second);
}

TEST (ControlLinks, ADestroyedControllerLeavesItsParameter)
{
    Fixture fixture;
    auto* gain = fixture.addFloat (1, "Gain");

    {
        ProbeController probe;
        probe.setLinkedParameter (gain);
    }

    gain->setNormalisedValue (0.5f, true);
    pump(); // would call into the destroyed controller if it had stayed registered
    SUCCEED();
}

//==============================================================================
// Actions.

TEST (ControlActions, KnownEventsArriveWithTheirDisplayName)
{
    Fixture fixture;
    ProbeController probe;

    load (probe, fixture, R"(<Button><actions>
                               <action type="onClick" event="Options"/>
                               <ACTION TYPE="onClickWithCtrl" EVENT="Toggle Midi Learn"/>
                               <action type="onClick" event="options"/>
                               <action type="onClick" event="No such event"/>
                               <action type="" event="About"/>
                               <action event="About"/>
                               <other type="onClick" event="About"/>
                             </actions></Button>)");

    ASSERT_EQ (probe.actions.size(), 2u);
    EXPECT_EQ (probe.actions[0].type, "onClick");
    EXPECT_EQ (probe.actions[0].eventId, EventsMap::optionsEvent);
    EXPECT_EQ (probe.actions[0].name, "Options");
    EXPECT_EQ (probe.actions[1].type, "onClickWithCtrl");
    EXPECT_EQ (probe.actions[1].eventId, EventsMap::toggleMidiLearnEvent);
    EXPECT_EQ (probe.actions[1].name, "Toggle midi learn");
}

//==============================================================================
// Listeners.

TEST (ControlListeners, NoDuplicatesAndLastRegisteredHearsFirst)
{
    ProbeController probe;
    RecordingControllerListener a ("a:"), b ("b:");
    std::vector<std::string> order;

    probe.addListener (&a);
    probe.addListener (&b);
    probe.addListener (&a);
    probe.addListener (nullptr);
    EXPECT_EQ (probe.getListeners().size(), 2);

    struct Shared : GUIController::Listener
    {
        Shared (std::vector<std::string>& o, std::string n) : out (o), name (std::move (n)) {}
        void controllerEventTriggered (GUIController*, int id) override { out.push_back (name + std::to_string (id)); }
        std::vector<std::string>& out;
        std::string name;
    } first (order, "first"), second (order, "second");

    ProbeController other;
    other.addListener (&first);
    other.addListener (&second);
    other.addListener (&first);
    other.fireEvent (7);
    EXPECT_EQ (order, (std::vector<std::string> { "second7", "first7" }));

    probe.fireEvent (1000);
    probe.sendDragStarted();
    probe.sendValueChanged();
    probe.sendDragEnded();
    EXPECT_EQ (a.log, (std::vector<std::string> { "a:event 1000 Probe", "a:drag+ Probe", "a:value Probe", "a:drag- Probe" }));
    EXPECT_EQ (b.log.size(), 4u);

    probe.removeListener (&a);
    probe.fireEvent (1);
    EXPECT_EQ (a.log.size(), 4u);
    EXPECT_EQ (b.log.size(), 5u);
}

TEST (ControlListeners, TheComponentIsFoundThroughTheController)
{
    GFXKnob knob ("K");
    GUIController& controller = knob;
    EXPECT_EQ (controller.getComponent(), static_cast<juce::Component*> (&knob));
    EXPECT_EQ (controller.getComponent()->getName(), "K");
}

//==============================================================================
// Film strips and frame selection.

TEST (FilmStrip, FrameIndexRoundsHalfUpAndClamps)
{
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.0, 61), 0);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.5, 61), 30);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.508, 61), 30); // 30.48 + 0.5 = 30.98
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.509, 61), 31); // 30.54 + 0.5 = 31.04
    EXPECT_EQ (BaseGFXController::frameIndexFor (1.0, 61), 60);

    EXPECT_EQ (BaseGFXController::frameIndexFor (1.0, 12), 11);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.5, 12), 6); // 5.5 + 0.5 = 6
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.45, 12), 5);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.04, 12), 0);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.05, 12), 1); // 0.55 rounds up

    EXPECT_EQ (BaseGFXController::frameIndexFor (-0.5, 12), 0);
    EXPECT_EQ (BaseGFXController::frameIndexFor (1.5, 12), 11);
    EXPECT_EQ (BaseGFXController::frameIndexFor (std::nan (""), 12), 0);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.7, 1), 0);
    EXPECT_EQ (BaseGFXController::frameIndexFor (0.7, 0), 0);
}

TEST (FilmStrip, FrameHeightIsTheImageHeightDividedByTheFrameCount)
{
    ProbeController probe;

    probe.setFilmStrip (juce::Image (juce::Image::ARGB, 37, 2135, true), 61);
    EXPECT_EQ (probe.getFrameCount(), 61);
    EXPECT_EQ (probe.getFrameWidth(), 37);
    EXPECT_EQ (probe.getFrameHeight(), 35);

    probe.setFilmStrip (juce::Image (juce::Image::ARGB, 37, 2136, true), 61);
    EXPECT_EQ (probe.getFrameHeight(), 35) << "the row left over is unused";

    probe.setFilmStrip (juce::Image (juce::Image::ARGB, 26, 1068, true), 12);
    EXPECT_EQ (probe.getFrameHeight(), 89);

    probe.setFilmStrip (juce::Image (juce::Image::ARGB, 10, 10, true), 0);
    EXPECT_EQ (probe.getFrameCount(), 1) << "no division by zero";
    EXPECT_EQ (probe.getFrameHeight(), 10);
}

TEST (FilmStrip, SizeAndPositionChangesAreReportedOnlyWhenTheyChange)
{
    ProbeController probe;
    probe.setFrameSize (0, 0);
    probe.setSkinPosition (0, 0);
    EXPECT_EQ (probe.sizeChanges, 0);
    EXPECT_EQ (probe.positionChanges, 0);

    probe.setFrameSize (10, 20);
    probe.setFrameSize (10, 20);
    probe.setSkinPosition (3, 4);
    probe.setSkinPosition (3, 4);
    EXPECT_EQ (probe.sizeChanges, 1);
    EXPECT_EQ (probe.positionChanges, 1);
}

TEST (FilmStrip, MissingImageTakesTheSizeElementAndPosition)
{
    Fixture fixture;
    ProbeController probe;

    load (probe, fixture, R"(<Knob><gfx resource="NoSuchKnob.png" framesNum="61"/>
                               <size width="40" height="30"/><pos left="12" top="-3"/></Knob>)");
    EXPECT_FALSE (probe.hasFilmStrip());
    EXPECT_EQ (probe.getFrameCount(), 61);
    EXPECT_EQ (probe.getFrameWidth(), 40);
    EXPECT_EQ (probe.getFrameHeight(), 30);
    EXPECT_EQ (probe.getSkinLeft(), 12);
    EXPECT_EQ (probe.getSkinTop(), -3);
    EXPECT_EQ (probe.sizeChanges, 1);
    EXPECT_EQ (probe.positionChanges, 1);
}

TEST (FilmStrip, NoGfxAndNoSizeMeansZeroByZero)
{
    Fixture fixture;
    GFXKnob knob ("Bare");
    load (knob, fixture, "<Knob/>");
    EXPECT_EQ (knob.getFrameCount(), 1);
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (0, 0, 0, 0));
}

TEST (FilmStrip, DrawingShowsOneFrameAtTheOriginUnscaled)
{
    GFXAnimation animation ("A");
    animation.setFilmStrip (filmStrip (6, 5, 4), 4);
    EXPECT_EQ (animation.getWidth(), 6);
    EXPECT_EQ (animation.getHeight(), 5);

    for (int frame = 0; frame < 4; ++frame)
    {
        animation.setCurrentFrame (frame);
        const auto snapshot = render (animation);
        EXPECT_EQ (frameShown (snapshot, 4, 0, 0), frame);
        EXPECT_EQ (frameShown (snapshot, 4, 5, 4), frame);
    }
}

//==============================================================================
// Blinking.

TEST (Blinking, OffUnlessStartedAndFlipsThePhaseWhileOn)
{
    GFXAnimation animation ("A");
    EXPECT_FALSE (animation.isBlinking());
    EXPECT_FALSE (animation.isBlinkHidden());
    EXPECT_EQ (animation.getBlinkIntervalMs(), 150);

    animation.setFilmStrip (filmStrip (4, 4, 3), 3);
    animation.setCurrentFrame (2);
    animation.startBlinking (20);
    EXPECT_TRUE (animation.isBlinking());

    bool sawHidden = false, sawShown = false;

    for (int i = 0; i < 40 && ! (sawHidden && sawShown); ++i)
    {
        pump (10);
        const auto frame = frameShown (render (animation), 3);

        if (animation.isBlinkHidden())
        {
            EXPECT_EQ (frame, 0);
            sawHidden = true;
        }
        else
        {
            EXPECT_EQ (frame, 2);
            sawShown = true;
        }
    }

    EXPECT_TRUE (sawHidden);
    EXPECT_TRUE (sawShown);

    animation.stopBlinking();
    EXPECT_FALSE (animation.isBlinkHidden());
    EXPECT_EQ (frameShown (render (animation), 3), 2);
}
