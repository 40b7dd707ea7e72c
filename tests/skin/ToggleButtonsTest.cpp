// GFXToggleButton: "2D" and "3D" frames, parameter link, radio groups, drag
// groups and the fallback look.

#include "ButtonTestSupport.h"

#include "skin/GFXToggleButton.h"
#include "skin/ToggleDragGroups.h"

using namespace ButtonTestSupport;

namespace
{
    struct PaintableToggle : public GFXToggleButton
    {
        using GFXToggleButton::GFXToggleButton;
        using GFXToggleButton::paintButton;

        int paintedFrame (bool over, bool down)
        {
            return shownFrame (render (getWidth(), getHeight(), [&] (juce::Graphics& g) { paintButton (g, over, down); }));
        }
    };

    std::vector<juce::Colour> firstColours (int n)
    {
        return { frameColours().begin(), frameColours().begin() + n };
    }

    // The product skin's high-cut switch.
    const char* highCutXml = R"(
        <ToggleButton name="HighCutOnOffButton" style="3D" clickEvent="onRelease">
          <links><link as="connectedTo" param="High Cut On/Off"/></links>
          <gfx resource="HighCutOnOffButton.png" framesNum="4"/>
          <pos left="83" top="144"/>
          <size width="41" height="56"/>
        </ToggleButton>)";
}

//==============================================================================
// Frames

TEST (GFXToggleButtonFrameTest, ThreeDOffShowsFrameZeroPressedOrNot)
{
    PaintableToggle toggle ("T");
    toggle.setStyle (GFXToggleButton::style3D);
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (4)), 4);
    ASSERT_EQ (toggle.getBounds().getWidth(), 20);
    ASSERT_EQ (toggle.getBounds().getHeight(), 12);

    EXPECT_EQ (toggle.paintedFrame (false, false), 0);
    EXPECT_EQ (toggle.paintedFrame (true, false), 0);
    EXPECT_EQ (toggle.paintedFrame (true, true), 0) << "frame 1 (off and pressed) is never shown";
}

TEST (GFXToggleButtonFrameTest, ThreeDOnShowsFrameTwoAndThreeWhilePressed)
{
    PaintableToggle toggle ("T");
    toggle.setStyle (GFXToggleButton::style3D);
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (4)), 4);
    toggle.setToggleState (true, juce::dontSendNotification);

    EXPECT_EQ (toggle.paintedFrame (false, false), 2);
    EXPECT_EQ (toggle.paintedFrame (true, false), 2);
    EXPECT_EQ (toggle.paintedFrame (true, true), 3);
}

TEST (GFXToggleButtonFrameTest, TwoDShowsFrameZeroOffAndOneOn)
{
    PaintableToggle toggle ("T");
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (2)), 2);

    EXPECT_EQ (toggle.paintedFrame (false, false), 0);
    EXPECT_EQ (toggle.paintedFrame (true, true), 0);

    toggle.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (toggle.paintedFrame (false, false), 1);
    EXPECT_EQ (toggle.paintedFrame (true, true), 1);
}

TEST (GFXToggleButtonFrameTest, DisabledShowsFrameZero)
{
    juce::Component parent;
    PaintableToggle toggle ("T");
    toggle.setStyle (GFXToggleButton::style3D);
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (4)), 4);
    toggle.setToggleState (true, juce::dontSendNotification);
    parent.addAndMakeVisible (toggle);

    parent.setEnabled (false);
    EXPECT_EQ (toggle.paintedFrame (false, false), 0);
    EXPECT_EQ (toggle.paintedFrame (true, true), 0);

    parent.setEnabled (true);
    toggle.setEnabled (false);
    EXPECT_EQ (toggle.paintedFrame (false, false), 0);
}

TEST (GFXToggleButtonFrameTest, BlinkingHidesTheOnFrameInItsOffPhase)
{
    struct BlinkProbe : public GFXToggleButton
    {
        void blinkStateChanged() override
        {
            GFXToggleButton::blinkStateChanged();
            (getBlinkPhase() ? hiddenPhaseFrames : shownPhaseFrames).push_back (frameFor (false, false));
        }

        std::vector<int> hiddenPhaseFrames, shownPhaseFrames;
    } toggle;

    toggle.setStyle (GFXToggleButton::style3D);
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (4)), 4);
    toggle.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (toggle.frameFor (false, false), 2);

    toggle.startBlinking (10);
    const auto sawBothPhases = pumpUntil ([&toggle] { return toggle.hiddenPhaseFrames.size() >= 2
                                                          && toggle.shownPhaseFrames.size() >= 2; });
    toggle.stopBlinking();
    ASSERT_TRUE (sawBothPhases);

    for (auto f : toggle.hiddenPhaseFrames)
        EXPECT_EQ (f, 0);

    for (auto f : toggle.shownPhaseFrames)
        EXPECT_EQ (f, 2);
}

TEST (GFXToggleButtonFrameTest, PressingAnOnThreeDToggleThroughTheDesktopShowsFrameThree)
{
    REQUIRE_DESKTOP_INPUT();
    DesktopHost host (80, 60);
    GFXToggleButton toggle ("T");
    toggle.setStyle (GFXToggleButton::style3D);
    toggle.setFilmStrip (makeFilmStrip (20, 12, firstColours (4)), 4);
    toggle.setTopLeftPosition (10, 10);
    host.addAndMakeVisible (toggle);

    const auto snapshotFrame = [&toggle] { return shownFrame (toggle.createComponentSnapshot (toggle.getLocalBounds())); };
    const auto centre = DesktopHost::centreOf (toggle);

    host.press (centre);
    EXPECT_EQ (snapshotFrame(), 0) << "off and pressed";
    host.release (centre);
    ASSERT_TRUE (toggle.getToggleState());
    EXPECT_EQ (snapshotFrame(), 2);

    host.press (centre);
    EXPECT_EQ (snapshotFrame(), 3);
    host.release (centre);
    EXPECT_FALSE (toggle.getToggleState());
    EXPECT_EQ (snapshotFrame(), 0);
}

//==============================================================================
// Skin attributes

TEST (GFXToggleButtonLoadTest, TheProductSwitchReadsItsElement)
{
    SkinContext context;
    auto* parameter = context.addBool (5, "High Cut On/Off");
    GFXToggleButton toggle ("HighCutOnOffButton");
    toggle.loadFromXml (*parseXml (highCutXml), context.parameters, context.events, nullptr);

    EXPECT_EQ (toggle.getStyle(), GFXToggleButton::style3D);
    EXPECT_EQ (toggle.getFrameCount(), 4);
    EXPECT_EQ (toggle.getLinkedParameter(), parameter);
    EXPECT_FALSE (toggle.getTriggeredOnMouseDown());
    EXPECT_TRUE (toggle.getClickingTogglesState());
    EXPECT_EQ (toggle.getRadioGroupId(), 0);
    EXPECT_FALSE (toggle.isInDragGroup());
    EXPECT_EQ (toggle.getBounds(), juce::Rectangle<int> (83, 144, 41, 56));
}

TEST (GFXToggleButtonLoadTest, StyleFixesTheFrameCountWhateverFramesNumSays)
{
    SkinContext context;

    GFXToggleButton flat ("A");
    flat.loadFromXml (*parseXml (R"(<ToggleButton><gfx resource="None.png" framesNum="7"/></ToggleButton>)"),
                      context.parameters, context.events, nullptr);
    EXPECT_EQ (flat.getStyle(), GFXToggleButton::style2D);
    EXPECT_EQ (flat.getFrameCount(), 2);

    GFXToggleButton lowerCase ("B");
    lowerCase.loadFromXml (*parseXml (R"(<ToggleButton style="3d"><gfx resource="None.png" framesNum="4"/></ToggleButton>)"),
                           context.parameters, context.events, nullptr);
    EXPECT_EQ (lowerCase.getStyle(), GFXToggleButton::style2D) << "values are compared exactly";
    EXPECT_EQ (lowerCase.getFrameCount(), 2);
}

TEST (GFXToggleButtonLoadTest, AttributesAreReadOnlyUnderTheToggleButtonElement)
{
    SkinContext context;
    GFXToggleButton toggle ("T");
    toggle.loadFromXml (*parseXml (R"(<Button style="3D" clickEvent="onPress" radioGroupId="4" dragGroup="loadTestGroup">
                                        <pos left="1" top="2"/><size width="30" height="40"/></Button>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_EQ (toggle.getStyle(), GFXToggleButton::style2D);
    EXPECT_FALSE (toggle.getTriggeredOnMouseDown());
    EXPECT_EQ (toggle.getRadioGroupId(), 0);
    EXPECT_FALSE (toggle.isInDragGroup());
    EXPECT_EQ (toggle.getBounds(), juce::Rectangle<int> (1, 2, 30, 40));
}

TEST (GFXToggleButtonLoadTest, ClickEventRadioGroupAndDragGroup)
{
    SkinContext context;
    GFXToggleButton toggle ("T");
    toggle.loadFromXml (*parseXml (R"(<togglebutton CLICKEVENT="onPress" radioGroupId="12" dragGroup="Load Test"/>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_TRUE (toggle.getTriggeredOnMouseDown());
    EXPECT_EQ (toggle.getRadioGroupId(), 12);
    EXPECT_TRUE (toggle.isInDragGroup());
    EXPECT_EQ (toggle.getDragGroupName(), "Load Test");

    auto* group = GFXToggleButtonDragGroup::getInstance().findGroup ("Load Test");
    ASSERT_NE (group, nullptr);
    EXPECT_TRUE (group->members.contains (&toggle));
    EXPECT_EQ (GFXToggleButtonDragGroup::getInstance().findGroup ("load test"), nullptr) << "names match exactly";
}

//==============================================================================
// Parameter link

TEST (GFXToggleButtonParameterTest, ClickingSetsTheParameterAndTellsTheEditor)
{
    REQUIRE_DESKTOP_INPUT();
    SkinContext context;
    auto* parameter = context.addBool (5, "High Cut On/Off");
    WriteCounter writes;
    parameter->addListener (&writes);

    DesktopHost host (200, 220);
    GFXToggleButton toggle ("HighCutOnOffButton");
    toggle.loadFromXml (*parseXml (highCutXml), context.parameters, context.events, &host);
    RecordingListener editor;
    toggle.addListener (&editor);
    host.addAndMakeVisible (toggle);

    host.click (DesktopHost::centreOf (toggle));
    EXPECT_TRUE (toggle.getToggleState());
    EXPECT_TRUE (parameter->getBoolValue());
    EXPECT_EQ (writes.writes, 1);
    ASSERT_EQ (editor.valueChanges.size(), 1u);
    EXPECT_EQ (editor.valueChanges[0], &toggle);

    host.click (DesktopHost::centreOf (toggle));
    EXPECT_FALSE (toggle.getToggleState());
    EXPECT_FALSE (parameter->getBoolValue());
    EXPECT_EQ (writes.writes, 2);
    EXPECT_EQ (editor.valueChanges.size(), 2u);
    EXPECT_TRUE (editor.events.empty());
}

TEST (GFXToggleButtonParameterTest, AChangeFromElsewhereFlipsTheToggleWithoutWritingBack)
{
    SkinContext context;
    auto* parameter = context.addBool (5, "High Cut On/Off");
    WriteCounter writes;
    parameter->addListener (&writes);

    GFXToggleButton toggle ("HighCutOnOffButton");
    toggle.loadFromXml (*parseXml (highCutXml), context.parameters, context.events, nullptr);
    RecordingListener editor;
    toggle.addListener (&editor);

    parameter->setBoolValue (true, true);
    EXPECT_FALSE (toggle.getToggleState()) << "controls follow on the message thread, later";
    pump (50);
    EXPECT_TRUE (toggle.getToggleState());

    parameter->setBoolValue (false, true);
    pump (50);
    EXPECT_FALSE (toggle.getToggleState());

    EXPECT_EQ (writes.writes, 2);
    EXPECT_TRUE (editor.valueChanges.empty());
}

TEST (GFXToggleButtonParameterTest, WithoutAParameterAClickOnlyToggles)
{
    REQUIRE_DESKTOP_INPUT();
    DesktopHost host (60, 60);
    GFXToggleButton toggle ("T");
    toggle.setBounds (10, 10, 30, 30);
    RecordingListener editor;
    toggle.addListener (&editor);
    host.addAndMakeVisible (toggle);

    host.click (DesktopHost::centreOf (toggle));
    EXPECT_TRUE (toggle.getToggleState());
    EXPECT_TRUE (editor.valueChanges.empty());
}

//==============================================================================
// Radio groups

namespace
{
    struct RadioPair
    {
        RadioPair() : host (200, 60)
        {
            auto* a = context.addBool (1, "Mode A");
            auto* b = context.addBool (2, "Mode B");
            a->addListener (&writesA);
            b->addListener (&writesB);

            first.loadFromXml (*parseXml (R"(<ToggleButton radioGroupId="7"><links><link as="connectedTo" param="Mode A"/></links>
                                               <pos left="10" top="10"/><size width="40" height="40"/></ToggleButton>)"),
                               context.parameters, context.events, &host);
            second.loadFromXml (*parseXml (R"(<ToggleButton radioGroupId="7"><links><link as="connectedTo" param="Mode B"/></links>
                                                <pos left="60" top="10"/><size width="40" height="40"/></ToggleButton>)"),
                                context.parameters, context.events, &host);
            other.loadFromXml (*parseXml (R"(<ToggleButton radioGroupId="8"><pos left="110" top="10"/><size width="40" height="40"/></ToggleButton>)"),
                               context.parameters, context.events, &host);

            host.addAndMakeVisible (first);
            host.addAndMakeVisible (second);
            host.addAndMakeVisible (other);
        }

        SkinContext context;
        DesktopHost host;
        GFXToggleButton first { "First" }, second { "Second" }, other { "Other" };
        WriteCounter writesA, writesB;
    };
}

TEST (GFXToggleButtonRadioTest, TurningOneOnTurnsTheOtherOffWithoutWritingItsParameter)
{
    REQUIRE_DESKTOP_INPUT();
    RadioPair radio;

    radio.host.click (DesktopHost::centreOf (radio.first));
    EXPECT_TRUE (radio.first.getToggleState());
    EXPECT_EQ (radio.writesA.writes, 1);

    radio.host.click (DesktopHost::centreOf (radio.second));
    EXPECT_TRUE (radio.second.getToggleState());
    EXPECT_FALSE (radio.first.getToggleState());
    EXPECT_EQ (radio.writesB.writes, 1);
    EXPECT_EQ (radio.writesA.writes, 1) << "the toggle turned off leaves its parameter alone";
    EXPECT_TRUE (radio.context.parameters.getParameterByName ("Mode A")->getBoolValue());
}

TEST (GFXToggleButtonRadioTest, ClickingTheOnToggleKeepsItOn)
{
    REQUIRE_DESKTOP_INPUT();
    RadioPair radio;

    radio.host.click (DesktopHost::centreOf (radio.first));
    radio.host.click (DesktopHost::centreOf (radio.first));
    EXPECT_TRUE (radio.first.getToggleState());
    EXPECT_FALSE (radio.second.getToggleState());
}

TEST (GFXToggleButtonRadioTest, OnlyOneOfAGroupIsOnAtATime)
{
    REQUIRE_DESKTOP_INPUT();
    RadioPair radio;

    for (auto* t : { &radio.first, &radio.second, &radio.first, &radio.second })
    {
        radio.host.click (DesktopHost::centreOf (*t));
        EXPECT_EQ ((int) radio.first.getToggleState() + (int) radio.second.getToggleState(), 1);
        EXPECT_TRUE (t->getToggleState());
    }

    radio.host.click (DesktopHost::centreOf (radio.other));
    EXPECT_TRUE (radio.other.getToggleState()) << "another group id";
    EXPECT_TRUE (radio.second.getToggleState());
}

TEST (GFXToggleButtonRadioTest, AParameterTurningOneOnTurnsTheOtherOff)
{
    REQUIRE_DESKTOP_INPUT();
    RadioPair radio;
    radio.first.setToggleState (true, juce::dontSendNotification);

    radio.context.parameters.getParameterByName ("Mode B")->setBoolValue (true, true);
    pump (50);

    EXPECT_TRUE (radio.second.getToggleState());
    EXPECT_FALSE (radio.first.getToggleState());
    EXPECT_EQ (radio.writesA.writes, 0);
}

TEST (GFXToggleButtonRadioTest, JoiningAGroupWhileOnTurnsTheOthersOff)
{
    REQUIRE_DESKTOP_INPUT();
    RadioPair radio;
    radio.first.setToggleState (true, juce::dontSendNotification);

    GFXToggleButton late ("Late");
    radio.host.addAndMakeVisible (late);
    late.setToggleState (true, juce::dontSendNotification);
    late.loadFromXml (*parseXml (R"(<ToggleButton radioGroupId="7"/>)"), radio.context.parameters, radio.context.events, &radio.host);

    EXPECT_TRUE (late.getToggleState());
    EXPECT_FALSE (radio.first.getToggleState());
    EXPECT_EQ (radio.writesA.writes, 0);
}

TEST (GFXToggleButtonRadioTest, TogglesUnderAnotherParentAreNotInTheGroup)
{
    juce::Component parentA, parentB;
    GFXToggleButton a ("A"), b ("B");
    a.setRadioGroupId (3);
    b.setRadioGroupId (3);
    parentA.addAndMakeVisible (a);
    parentB.addAndMakeVisible (b);

    a.setToggleState (true, juce::dontSendNotification);
    b.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (a.getToggleState());
    EXPECT_TRUE (b.getToggleState());
}

//==============================================================================
// Drag groups

namespace
{
    /** Four toggles side by side (x = 10, 60, 110, 160; 40 wide), each linked to its own parameter. */
    struct DragRow
    {
        DragRow (const juce::String& groupName, const juce::String& clickEvent) : host (260, 100)
        {
            for (int i = 0; i < 4; ++i)
            {
                parameters[i] = context.addBool (i + 1, "Step " + juce::String (i + 1));
                parameters[i]->addListener (&writes[i]);

                auto xml = juce::String (R"(<ToggleButton clickEvent="CLICK" dragGroup="GROUP">
                                               <links><link as="connectedTo" param="PARAM"/></links>
                                               <pos left="LEFT" top="20"/><size width="40" height="40"/>
                                             </ToggleButton>)")
                               .replace ("CLICK", clickEvent).replace ("GROUP", groupName)
                               .replace ("PARAM", parameters[i]->getName()).replace ("LEFT", juce::String (10 + 50 * i));

                toggles[i] = std::make_unique<GFXToggleButton> ("Step" + juce::String (i));
                toggles[i]->loadFromXml (*parseXml (xml), context.parameters, context.events, &host);
                host.addAndMakeVisible (*toggles[i]);
            }
        }

        std::vector<bool> states() const
        {
            std::vector<bool> s;
            for (auto& t : toggles)
                s.push_back (t->getToggleState());
            return s;
        }

        std::vector<bool> parameterValues() const
        {
            std::vector<bool> s;
            for (auto* p : parameters)
                s.push_back (p->getBoolValue());
            return s;
        }

        SkinContext context;
        DesktopHost host;
        BoolParameter* parameters[4] {};
        WriteCounter writes[4];
        std::unique_ptr<GFXToggleButton> toggles[4];
    };

    using States = std::vector<bool>;
}

TEST (GFXToggleDragGroupTest, DraggingAcrossTheGroupSetsEveryCrossedToggle)
{
    REQUIRE_DESKTOP_INPUT();
    DragRow row ("dragAcross", "onPress");

    row.host.press ({ 30, 40 });                    // on the first toggle: it turns on
    EXPECT_EQ (row.states(), (States { true, false, false, false }));

    row.host.dragTo ({ 125, 40 });                  // into the third: first's right edge, second, third's left edge crossed
    EXPECT_EQ (row.states(), (States { true, true, true, false }));

    row.host.dragTo ({ 125, 95 });                  // only horizontal positions count
    EXPECT_EQ (row.states(), (States { true, true, true, false }));

    row.host.dragTo ({ 185, 10 });                  // across the fourth's left edge
    row.host.release ({ 185, 10 });
    EXPECT_EQ (row.states(), (States { true, true, true, true }));
    EXPECT_EQ (row.parameterValues(), (States { true, true, true, true }));

    for (auto& w : row.writes)
        EXPECT_EQ (w.writes, 1);
}

TEST (GFXToggleDragGroupTest, DraggingLeftwardsWorksTheSame)
{
    REQUIRE_DESKTOP_INPUT();
    DragRow row ("dragLeftwards", "onPress");

    row.host.press ({ 180, 40 });                   // on the fourth
    row.host.dragTo ({ 75, 40 });                   // into the second
    row.host.release ({ 75, 40 });

    EXPECT_EQ (row.states(), (States { false, true, true, true }));
}

TEST (GFXToggleDragGroupTest, OnReleaseTheDragAppliesTheStateOfThePreviousClick)
{
    REQUIRE_DESKTOP_INPUT();
    DragRow row ("dragOnRelease", "onRelease");

    row.host.click ({ 180, 40 });                   // the fourth turns on: drag state on
    EXPECT_EQ (row.states(), (States { false, false, false, true }));

    row.host.press ({ 30, 40 });
    EXPECT_EQ (row.states(), (States { false, false, false, true })) << "nothing happens on press";
    row.host.dragTo ({ 135, 40 });
    row.host.release ({ 135, 40 });
    EXPECT_EQ (row.states(), (States { true, true, true, true }));
    EXPECT_EQ (row.parameterValues(), (States { true, true, true, true }));

    row.host.click ({ 80, 40 });                    // the second turns off: drag state off
    row.host.press ({ 30, 40 });
    row.host.dragTo ({ 235, 40 });
    row.host.release ({ 235, 40 });
    EXPECT_EQ (row.states(), (States { false, false, false, false }));
    EXPECT_EQ (row.parameterValues(), (States { false, false, false, false }));
}

TEST (GFXToggleDragGroupTest, TheRegistryKeepsPressPositionAndDragState)
{
    REQUIRE_DESKTOP_INPUT();
    DragRow row ("dragRecord", "onPress");
    auto* group = GFXToggleButtonDragGroup::getInstance().findGroup ("dragRecord");
    ASSERT_NE (group, nullptr);
    ASSERT_EQ (group->members.size(), 4);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (group->members[i], row.toggles[i].get()) << "registration order";

    row.host.press ({ 80, 45 });
    EXPECT_EQ (group->pressX, row.host.getScreenX() + 80);
    EXPECT_EQ (group->pressY, row.host.getScreenY() + 45);
    EXPECT_TRUE (group->dragState);
    row.host.release ({ 80, 45 });

    row.host.press ({ 80, 45 });
    EXPECT_FALSE (group->dragState);
    row.host.release ({ 80, 45 });
}

TEST (GFXToggleDragGroupTest, OtherGroupsAndTogglesOutsideAGroupAreNotTouched)
{
    REQUIRE_DESKTOP_INPUT();
    DragRow row ("dragMine", "onPress");
    row.toggles[2]->setDragGroup ("dragTheirs");
    GFXToggleButton loner ("Loner");
    loner.setBounds (10, 62, 240, 30);
    row.host.addAndMakeVisible (loner);

    row.host.press ({ 30, 40 });
    row.host.dragTo ({ 235, 40 });
    row.host.release ({ 235, 40 });

    EXPECT_EQ (row.states(), (States { true, true, false, true }));
    EXPECT_FALSE (loner.getToggleState());
}

TEST (GFXToggleDragGroupTest, ADestroyedToggleLeavesItsGroup)
{
    auto& registry = GFXToggleButtonDragGroup::getInstance();

    {
        GFXToggleButton toggle ("Gone");
        toggle.setDragGroup ("dragGone");
        toggle.setDragGroup ("dragGone");
        ASSERT_NE (registry.findGroup ("dragGone"), nullptr);
        EXPECT_EQ (registry.findGroup ("dragGone")->members.size(), 1) << "no duplicates";
    }

    EXPECT_EQ (registry.findGroup ("dragGone")->members.size(), 0);
    registry.applyDrag ("dragGone", 100);
    registry.applyDrag ("no such group", 100);
}

//==============================================================================
// Fallback look

TEST (GFXToggleButtonPaintTest, FallbackShowsStateNameAndSquare)
{
    SkinContext context;
    context.addBool (5, "High Cut On/Off");
    juce::Component parent;
    PaintableToggle toggle ("T");
    toggle.loadFromXml (*parseXml (R"(<ToggleButton><links><link as="connectedTo" param="High Cut On/Off"/></links>
                                        <size width="50" height="80"/></ToggleButton>)"),
                        context.parameters, context.events, nullptr);
    parent.addAndMakeVisible (toggle);
    ASSERT_FALSE (toggle.hasFilmStrip());

    const auto paint = [&toggle] { return render (50, 80, [&] (juce::Graphics& g) { toggle.paintButton (g, false, false); }); };

    const auto off = paint();
    EXPECT_FALSE (isBlank (off));
    EXPECT_EQ (off.getPixelAt (0, 40), juce::Colour::greyLevel (0.7f));
    EXPECT_EQ (off.getPixelAt (25, 40).getAlpha(), 0) << "an outlined square when off";
    EXPECT_GT (countPixels (off, { 7, 22, 36, 36 }, isDark), 40);
    const auto inked = [] (juce::Colour c) { return c.getAlpha() > 60 && c.getBrightness() < 0.5f; };
    EXPECT_GT (countPixels (off, { 1, 1, 48, 15 }, inked), 5) << "\"Off\" at the top";
    EXPECT_GT (countPixels (off, { 1, 64, 48, 15 }, inked), 5) << "the parameter's name at the bottom";

    toggle.setToggleState (true, juce::dontSendNotification);
    const auto on = paint();
    EXPECT_TRUE (isDark (on.getPixelAt (25, 40))) << "a filled square when on";
    EXPECT_GT (countPixels (on, { 7, 22, 36, 36 }, isDark), 900);

    parent.setEnabled (false);
    const auto disabled = paint();
    EXPECT_EQ (disabled.getPixelAt (25, 40).getAlpha(), 0) << "outlined when disabled";
}

TEST (GFXToggleButtonPaintTest, FallbackOfASmallToggleIsStillDrawn)
{
    PaintableToggle toggle ("T");
    toggle.setSize (20, 20);
    const auto image = render (20, 20, [&] (juce::Graphics& g) { toggle.paintButton (g, false, false); });
    EXPECT_FALSE (isBlank (image));
}
