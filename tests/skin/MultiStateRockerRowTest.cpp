// GFXMultiStateButton, GFXRocker and ComponentRow.

#include "ButtonTestSupport.h"

#include "parameters/FloatParameter.h"
#include "skin/ComponentRow.h"
#include "skin/GFXMultiStateButton.h"
#include "skin/GFXRocker.h"

using namespace ButtonTestSupport;

namespace
{
    struct PaintableMultiState : public GFXMultiStateButton
    {
        using GFXMultiStateButton::GFXMultiStateButton;
        using GFXMultiStateButton::paintButton;

        int paintedFrame (bool over, bool down)
        {
            return shownFrame (render (getWidth(), getHeight(), [&] (juce::Graphics& g) { paintButton (g, over, down); }));
        }
    };

    std::vector<juce::Colour> firstColours (int n)
    {
        return { frameColours().begin(), frameColours().begin() + n };
    }
}

//==============================================================================
// GFXMultiStateButton

TEST (GFXMultiStateButtonTest, TheParameterSelectsTheStateRoundingHalfUp)
{
    SkinContext context;
    auto* parameter = new FloatParameter (3, "Mode", 0.0f, 1.0f, 0.0f);
    context.parameters.addParameter (parameter);

    GFXMultiStateButton button ("M");
    button.loadFromXml (*parseXml (R"(<MultiStateButton states="3"><links><link as="connectedTo" param="Mode"/></links></MultiStateButton>)"),
                        context.parameters, context.events, nullptr);
    ASSERT_EQ (button.getNumStates(), 3);

    const std::pair<float, int> expected[] = { { 0.0f, 0 }, { 0.24f, 0 }, { 0.25f, 1 }, { 0.5f, 1 },
                                               { 0.74f, 1 }, { 0.76f, 2 }, { 1.0f, 2 }, { 0.0f, 0 } };

    for (auto [value, state] : expected)
    {
        parameter->setNormalisedValue (value, true);
        pump (30);
        EXPECT_EQ (button.getStateIndex(), state) << "value " << value;
    }
}

TEST (GFXMultiStateButtonTest, TwoDShowsOneFramePerStateAsTheStatesCycle)
{
    PaintableMultiState button ("M");
    button.setNumStates (3);
    button.setFilmStrip (makeFilmStrip (16, 16, firstColours (3)), 3);

    for (int cycle = 0; cycle < 2; ++cycle)
        for (int state = 0; state < 3; ++state)
        {
            button.setStateIndex (state);
            EXPECT_EQ (button.paintedFrame (false, false), state);
            EXPECT_EQ (button.paintedFrame (true, true), state);
        }

    button.setStateIndex (7);
    EXPECT_EQ (button.getStateIndex(), 2) << "clamped to the states there are";
}

TEST (GFXMultiStateButtonTest, ThreeDShowsTwoFramesPerState)
{
    PaintableMultiState button ("M");
    button.setStyle (GFXMultiStateButton::style3D);
    button.setNumStates (3);
    button.setFilmStrip (makeFilmStrip (16, 16, firstColours (6)), 6);

    for (int state = 0; state < 3; ++state)
    {
        button.setStateIndex (state);
        EXPECT_EQ (button.paintedFrame (false, false), 2 * state);
        EXPECT_EQ (button.paintedFrame (true, true), 2 * state + 1);
    }

    button.setStyle (5);
    EXPECT_EQ (button.paintedFrame (false, false), 0) << "an unknown style shows frame 0";
}

TEST (GFXMultiStateButtonTest, LoaderReadsStyleStatesAndFrameCount)
{
    SkinContext context;

    GFXMultiStateButton threeD ("A");
    threeD.loadFromXml (*parseXml (R"(<MultiStateButton style="3D" states="4" clickEvent="onPress" radioGroupId="2">
                                        <gfx resource="None.png" framesNum="1"/><pos left="4" top="5"/><size width="20" height="21"/>
                                      </MultiStateButton>)"),
                        context.parameters, context.events, nullptr);
    EXPECT_EQ (threeD.getStyle(), GFXMultiStateButton::style3D);
    EXPECT_EQ (threeD.getNumStates(), 4);
    EXPECT_EQ (threeD.getFrameCount(), 8);
    EXPECT_TRUE (threeD.getTriggeredOnMouseDown());
    EXPECT_EQ (threeD.getRadioGroupId(), 2);
    EXPECT_EQ (threeD.getBounds(), juce::Rectangle<int> (4, 5, 20, 21));

    GFXMultiStateButton tooFew ("B");
    tooFew.loadFromXml (*parseXml (R"(<MultiStateButton states="1"><gfx resource="None.png"/></MultiStateButton>)"),
                        context.parameters, context.events, nullptr);
    EXPECT_EQ (tooFew.getNumStates(), 2) << "values below 2 leave 2";
    EXPECT_EQ (tooFew.getFrameCount(), 2);
    EXPECT_FALSE (tooFew.getClickingTogglesState());

    GFXMultiStateButton otherElement ("C");
    otherElement.loadFromXml (*parseXml (R"(<ToggleButton style="3D" states="5"/>)"), context.parameters, context.events, nullptr);
    EXPECT_EQ (otherElement.getStyle(), GFXMultiStateButton::style2D);
    EXPECT_EQ (otherElement.getNumStates(), 2);
}

TEST (GFXMultiStateButtonTest, ClicksFireEventsAndLeaveTheState)
{
    REQUIRE_DESKTOP_INPUT();
    SkinContext context;
    DesktopHost host (80, 60);
    GFXMultiStateButton button ("MidiLearnButton");
    button.loadFromXml (*parseXml (R"(<MultiStateButton name="MidiLearnButton" states="3">
                                        <actions><action type="onClick" event="Toggle Midi Learn"/>
                                                 <action type="onClickWithCtrl" event="About"/></actions>
                                        <pos left="10" top="10"/><size width="30" height="30"/>
                                      </MultiStateButton>)"),
                        context.parameters, context.events, &host);
    RecordingListener editor;
    button.addListener (&editor);
    host.addAndMakeVisible (button);
    button.setStateIndex (1);

    host.click (DesktopHost::centreOf (button));
    host.click (DesktopHost::centreOf (button), juce::ModifierKeys::ctrlModifier);

    EXPECT_EQ (editor.eventIds(), (std::vector<int> { EventsMap::toggleMidiLearnEvent, EventsMap::aboutEvent }));
    EXPECT_EQ (button.getStateIndex(), 1);
}

TEST (GFXMultiStateButtonTest, FallbackDotGrowsWithTheState)
{
    PaintableMultiState button ("M");
    button.setNumStates (3);
    button.setSize (30, 30);

    const auto paint = [&button] (bool over, bool down)
    {
        return render (30, 30, [&] (juce::Graphics& g) { button.paintButton (g, over, down); });
    };

    const auto small = paint (false, false);
    EXPECT_FALSE (isBlank (small));
    EXPECT_EQ (small.getPixelAt (18, 15), juce::Colour::greyLevel (0.9f)) << "no dot 3 pixels from the centre";
    EXPECT_TRUE (isDark (small.getPixelAt (7, 15))) << "outline of the 16 x 16 square";
    EXPECT_EQ (small.getPixelAt (3, 15).getAlpha(), 0) << "nothing outside the square";

    button.setStateIndex (2);
    const auto large = paint (false, false);
    EXPECT_TRUE (isDark (large.getPixelAt (18, 15))) << "a 12-pixel dot";

    const auto pressed = paint (true, true);
    EXPECT_EQ (pressed.getPixelAt (9, 9), juce::Colour::greyLevel (0.4f));
}

//==============================================================================
// GFXRocker

namespace
{
    struct LoadedRocker
    {
        explicit LoadedRocker (const char* type)
        {
            auto xml = juce::String (R"(<Rocker name="R" type="TYPE"><actions>
                                          <action type="onLessClick" event="Select previous preset"/>
                                          <action type="onMoreClick" event="Select next preset"/>
                                          <action type="onLessClickWithCtrl" event="Copy current preset"/>
                                          <action type="onMoreClickWithCtrl" event="Paste copied preset"/>
                                        </actions><pos left="7" top="8"/><size width="20" height="40"/></Rocker>)").replace ("TYPE", type);
            rocker.loadFromXml (*parseXml (xml), context.parameters, context.events, nullptr);
            rocker.addListener (&editor);
        }

        void press (float x, float y, juce::ModifierKeys mods = {})
        {
            rocker.mouseDown (makeMouseEvent (rocker, { x, y }, mods.withFlags (juce::ModifierKeys::leftButtonModifier)));
        }

        void drag (float x, float y)
        {
            rocker.mouseDrag (makeMouseEvent (rocker, { x, y }, juce::ModifierKeys::leftButtonModifier));
        }

        void release (float x, float y)
        {
            rocker.mouseUp (makeMouseEvent (rocker, { x, y }));
        }

        SkinContext context;
        GFXRocker rocker { "R" };
        RecordingListener editor;
    };
}

TEST (GFXRockerTest, VerticalUpperHalfIsMoreLowerHalfIsLess)
{
    LoadedRocker r ("vertical");
    EXPECT_EQ (r.rocker.getBounds(), juce::Rectangle<int> (7, 8, 20, 40));

    r.press (10, 5);
    EXPECT_EQ (r.rocker.getPosition(), GFXRocker::morePosition);
    r.release (10, 5);
    EXPECT_EQ (r.rocker.getPosition(), GFXRocker::restPosition);

    r.press (10, 20);                                    // the middle line counts as less
    EXPECT_EQ (r.rocker.getPosition(), GFXRocker::lessPosition);
    r.release (10, 20);

    r.press (10, 35, juce::ModifierKeys::ctrlModifier);
    r.release (10, 35);
    r.press (10, 2, juce::ModifierKeys::ctrlModifier);
    r.release (10, 2);

    EXPECT_EQ (r.editor.eventIds(), (std::vector<int> { EventsMap::selectNextPresetEvent, EventsMap::selectPreviousPresetEvent,
                                                        EventsMap::copyCurrentPresetEvent, EventsMap::pasteCopiedPresetEvent }));
}

TEST (GFXRockerTest, HorizontalRightHalfIsMore)
{
    LoadedRocker r ("horizontal");
    ASSERT_EQ (r.rocker.getOrientation(), GFXRocker::horizontal);

    r.press (15, 39);
    r.release (15, 39);
    r.press (10, 1);                                     // x = width / 2 is not greater
    r.release (10, 1);

    EXPECT_EQ (r.editor.eventIds(), (std::vector<int> { EventsMap::selectNextPresetEvent, EventsMap::selectPreviousPresetEvent }));
}

TEST (GFXRockerTest, FiresOncePerPressWithoutRepeat)
{
    LoadedRocker r ("vertical");

    r.press (10, 5);
    pump (1300);
    r.drag (10, 6);
    r.release (10, 6);

    EXPECT_EQ (r.editor.events.size(), 1u);
}

TEST (GFXRockerTest, TypeIsComparedExactlyAndReadOnlyUnderRocker)
{
    LoadedRocker upper ("Horizontal");
    EXPECT_EQ (upper.rocker.getOrientation(), GFXRocker::vertical);

    SkinContext context;
    GFXRocker rocker ("R");
    rocker.loadFromXml (*parseXml (R"(<Button type="horizontal"/>)"), context.parameters, context.events, nullptr);
    EXPECT_EQ (rocker.getOrientation(), GFXRocker::vertical);
}

TEST (GFXRockerTest, AMissingEventFiresNothing)
{
    SkinContext context;
    GFXRocker rocker ("R");
    rocker.loadFromXml (*parseXml (R"(<Rocker><actions><action type="onMoreClick" event="Select next preset"/></actions>
                                        <size width="20" height="40"/></Rocker>)"),
                        context.parameters, context.events, nullptr);
    RecordingListener editor;
    rocker.addListener (&editor);

    rocker.mouseDown (makeMouseEvent (rocker, { 10, 30 }, juce::ModifierKeys::leftButtonModifier));
    rocker.mouseUp (makeMouseEvent (rocker, { 10, 30 }));
    rocker.mouseDown (makeMouseEvent (rocker, { 10, 5 }, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier)));
    rocker.mouseUp (makeMouseEvent (rocker, { 10, 5 }));

    EXPECT_TRUE (editor.events.empty());
}

TEST (GFXRockerTest, FilmStripShowsThePressedSideWhilePressedOnIt)
{
    LoadedRocker r ("vertical");
    r.rocker.setFilmStrip (makeFilmStrip (20, 40, firstColours (3)), 3);
    const auto frame = [&r] { return shownFrame (render (20, 40, [&] (juce::Graphics& g) { r.rocker.paint (g); })); };

    EXPECT_EQ (frame(), 1);
    r.press (10, 5);
    EXPECT_EQ (frame(), 2);
    r.drag (10, 60);                                     // dragged off: rest
    EXPECT_EQ (frame(), 1);
    r.drag (10, 30);                                     // back on: the side first pressed
    EXPECT_EQ (frame(), 2);
    r.release (10, 30);
    EXPECT_EQ (frame(), 1);

    r.press (10, 35);
    EXPECT_EQ (frame(), 0);
    r.release (10, 35);
}

TEST (GFXRockerTest, FallbackDarkensThePressedHalf)
{
    LoadedRocker r ("vertical");
    const auto paint = [&r] { return render (20, 40, [&] (juce::Graphics& g) { r.rocker.paint (g); }); };

    const auto rest = paint();
    EXPECT_FALSE (isBlank (rest));
    EXPECT_EQ (rest.getPixelAt (10, 5), juce::Colour::greyLevel (0.7f));
    EXPECT_EQ (rest.getPixelAt (10, 30), juce::Colour::greyLevel (0.7f));
    EXPECT_EQ (rest.getPixelAt (10, 20), juce::Colour::greyLevel (0.9f)) << "the gap on the middle line";
    EXPECT_EQ (rest.getPixelAt (0, 10), juce::Colours::black);

    r.press (10, 5);
    const auto more = paint();
    EXPECT_EQ (more.getPixelAt (10, 5), juce::Colour::greyLevel (0.5f));
    EXPECT_EQ (more.getPixelAt (10, 30), juce::Colour::greyLevel (0.7f));
    r.release (10, 5);

    LoadedRocker h ("horizontal");
    h.rocker.setSize (40, 20);
    h.press (5, 10);
    const auto less = render (40, 20, [&] (juce::Graphics& g) { h.rocker.paint (g); });
    EXPECT_EQ (less.getPixelAt (5, 10), juce::Colour::greyLevel (0.5f));
    EXPECT_EQ (less.getPixelAt (30, 10), juce::Colour::greyLevel (0.7f));
    h.release (5, 10);
}

//==============================================================================
// ComponentRow

namespace
{
    struct Box : juce::Component
    {
        Box (int w, int h) { setSize (w, h); }
    };
}

TEST (ComponentRowTest, AHorizontalRowSizesItselfAndPlacesItsChildren)
{
    ComponentRow row (false, ComponentRow::alignStart, 5);
    row.setTopLeftPosition (100, 50);
    Box a (30, 10), b (20, 24), c (10, 16);

    row.addAndMakeVisible (a);
    EXPECT_EQ (row.getBounds(), juce::Rectangle<int> (100, 50, 30, 10));

    row.addAndMakeVisible (b);
    row.addAndMakeVisible (c);
    EXPECT_EQ (row.getBounds(), juce::Rectangle<int> (100, 50, 30 + 5 + 20 + 5 + 10, 24));
    EXPECT_EQ (a.getBounds(), juce::Rectangle<int> (0, 0, 30, 10));
    EXPECT_EQ (b.getBounds(), juce::Rectangle<int> (35, 0, 20, 24));
    EXPECT_EQ (c.getBounds(), juce::Rectangle<int> (60, 0, 10, 16));
}

TEST (ComponentRowTest, AlignmentAcrossTheRow)
{
    ComponentRow row (false, ComponentRow::alignCentre, 0);
    Box a (30, 10), b (20, 24);
    row.addAndMakeVisible (a);
    row.addAndMakeVisible (b);
    EXPECT_EQ (a.getPosition(), juce::Point<int> (0, 7));
    EXPECT_EQ (b.getPosition(), juce::Point<int> (30, 0));

    row.setAlignment (ComponentRow::alignEnd);
    EXPECT_EQ (a.getPosition(), juce::Point<int> (0, 14));
}

TEST (ComponentRowTest, AVerticalRowStacksItsChildren)
{
    ComponentRow row (true, ComponentRow::alignEnd, 2);
    Box a (30, 10), b (20, 24);
    row.addAndMakeVisible (a);
    row.addAndMakeVisible (b);

    EXPECT_EQ (row.getWidth(), 30);
    EXPECT_EQ (row.getHeight(), 10 + 2 + 24);
    EXPECT_EQ (a.getPosition(), juce::Point<int> (0, 0));
    EXPECT_EQ (b.getPosition(), juce::Point<int> (10, 12));
}

TEST (ComponentRowTest, FollowsChildrenThatResizeOrLeave)
{
    ComponentRow row (false, ComponentRow::alignStart, 4);
    Box a (30, 10), b (20, 24), c (10, 16);
    row.addAndMakeVisible (a);
    row.addAndMakeVisible (b);
    row.addAndMakeVisible (c);

    a.setSize (50, 40);
    EXPECT_EQ (row.getWidth(), 50 + 4 + 20 + 4 + 10);
    EXPECT_EQ (row.getHeight(), 40);
    EXPECT_EQ (b.getX(), 54);

    b.setTopLeftPosition (200, 200);
    EXPECT_EQ (b.getPosition(), juce::Point<int> (54, 0)) << "a moved child is put back in line";

    row.removeChildComponent (&b);
    EXPECT_EQ (row.getWidth(), 50 + 4 + 10);
    EXPECT_EQ (c.getX(), 54);

    row.removeChildComponent (&a);
    row.removeChildComponent (&c);
    EXPECT_EQ (row.getWidth(), 0);
    EXPECT_EQ (row.getHeight(), 0);
}

TEST (ComponentRowTest, ADeletedChildLeavesTheRow)
{
    ComponentRow row (false, ComponentRow::alignStart, 3);
    Box a (30, 10);
    auto b = std::make_unique<Box> (20, 24);
    row.addAndMakeVisible (a);
    row.addAndMakeVisible (*b);
    EXPECT_EQ (row.getWidth(), 53);

    b.reset();
    EXPECT_EQ (row.getWidth(), 30);
    EXPECT_EQ (row.getHeight(), 10);
}
