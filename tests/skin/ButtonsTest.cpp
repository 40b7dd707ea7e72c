// GFXButton and TextButtonEx: events, Ctrl-click, auto-repeat, tooltips,
// loader attributes and painting with and without a film strip.

#include "ButtonTestSupport.h"

#include "plugin/EmbeddedResources.h"
#include "skin/GFXButton.h"
#include "skin/TextButtonEx.h"

using namespace ButtonTestSupport;

namespace
{
    /** A GFXButton whose painting the tests can call for any mouse state. */
    struct PaintableButton : public GFXButton
    {
        using GFXButton::GFXButton;
        using GFXButton::paintButton;
    };

    // The product skin's options button.
    const char* optionsButtonXml = R"(
        <Button name="OptionsButton" autorepeat="yes">
          <actions>
            <action type="onClick" event="Options"/>
            <action type="onClickWithCtrl" event="About"/>
          </actions>
          <gfx resource="OptionsButton.png" framesNum="2"/>
          <pos left="78" top="14"/>
          <size width="38" height="43"/>
        </Button>)";

    const char* browseButtonXml = R"(
        <Button name="BrowsePresetButton">
          <actions>
            <action type="onClick" event="Browse presets"/>
            <action type="onClickWithCtrl" event="Store current preset"/>
          </actions>
          <pos left="10" top="10"/>
          <size width="33" height="40"/>
        </Button>)";

    const char* plainButtonXml = R"(
        <Button name="NextPresetButton">
          <actions><action type="onClick" event="Select next preset"/></actions>
          <pos left="10" top="10"/>
          <size width="34" height="41"/>
        </Button>)";

    /** A button loaded from a skin element, inside a desktop window, with the editor's listener. */
    struct HostedButton
    {
        explicit HostedButton (const char* xml, int width = 120, int height = 80)
            : host (width, height)
        {
            const auto element = parseXml (xml);
            button.loadFromXml (*element, context.parameters, context.events, &host);
            button.addListener (&listener);
            host.addAndMakeVisible (button);
        }

        juce::Point<int> centre() const { return DesktopHost::centreOf (button); }

        SkinContext context;
        DesktopHost host;
        GFXButton button;
        RecordingListener listener;
    };
}

//==============================================================================
// Click events

TEST (GFXButtonClickTest, PlainClickFiresTheClickEventOnRelease)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (optionsButtonXml);

    b.host.press (b.centre());
    EXPECT_TRUE (b.listener.events.empty());

    b.host.release (b.centre());
    EXPECT_EQ (b.listener.eventIds(), std::vector<int> { EventsMap::optionsEvent });
}

TEST (GFXButtonClickTest, CtrlClickFiresTheCtrlClickEvent)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (optionsButtonXml);

    b.host.click (b.centre(), juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (b.listener.eventIds(), std::vector<int> { EventsMap::aboutEvent });
}

TEST (GFXButtonClickTest, CtrlClickWithoutACtrlEventFiresNothing)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (plainButtonXml);

    b.host.click (b.centre(), juce::ModifierKeys::ctrlModifier);
    EXPECT_TRUE (b.listener.events.empty());

    b.host.click (b.centre());
    EXPECT_EQ (b.listener.eventIds(), std::vector<int> { EventsMap::selectNextPresetEvent });
}

TEST (GFXButtonClickTest, ShiftOrAltDoNotSelectTheCtrlEvent)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (browseButtonXml);

    b.host.click (b.centre(), juce::ModifierKeys::shiftModifier);
    b.host.click (b.centre(), juce::ModifierKeys::altModifier);
    EXPECT_EQ (b.listener.eventIds(), (std::vector<int> { EventsMap::browsePresetsEvent, EventsMap::browsePresetsEvent }));
}

TEST (GFXButtonClickTest, ReleaseOutsideTheButtonFiresNothing)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (browseButtonXml);
    const juce::Point<int> outside (100, 70);
    ASSERT_FALSE (b.button.getBounds().contains (outside));

    b.host.press (b.centre());
    b.host.dragTo (outside);
    b.host.release (outside);
    EXPECT_TRUE (b.listener.events.empty());
}

TEST (GFXButtonClickTest, OnPressFiresWhenTheMouseButtonGoesDown)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (R"(
        <Button name="B" clickEvent="onPress">
          <actions><action type="onClick" event="Options"/></actions>
          <size width="30" height="30"/>
        </Button>)");

    b.host.press (b.centre());
    EXPECT_EQ (b.listener.eventIds(), std::vector<int> { EventsMap::optionsEvent });

    b.host.release (b.centre());
    EXPECT_EQ (b.listener.events.size(), 1u);
}

TEST (GFXButtonClickTest, EveryListenerHearsTheEventLastRegisteredFirst)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (plainButtonXml);
    std::vector<int> order;

    struct Ordered : GUIController::Listener
    {
        Ordered (std::vector<int>& o, int tag) : order (o), id (tag) {}
        void controllerEventTriggered (GUIController*, int) override { order.push_back (id); }
        std::vector<int>& order;
        int id;
    } first (order, 1), second (order, 2);

    b.button.addListener (&first);
    b.button.addListener (&second);
    b.button.addListener (&first);

    b.host.click (b.centre());
    EXPECT_EQ (order, (std::vector<int> { 2, 1 }));
}

TEST (GFXButtonClickTest, OwnersCanListenAsToAnyButton)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (plainButtonXml);
    int clicks = 0;
    b.button.onClick = [&clicks] { ++clicks; };

    b.host.click (b.centre(), juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (clicks, 1);
    EXPECT_TRUE (b.listener.events.empty());
}

//==============================================================================
// Skin attributes

TEST (GFXButtonLoadTest, ActionsAndDefaults)
{
    SkinContext context;
    GFXButton button ("OptionsButton");
    button.loadFromXml (*parseXml (optionsButtonXml), context.parameters, context.events, nullptr);

    EXPECT_EQ (button.getName(), "OptionsButton");
    EXPECT_EQ (button.getClickEventId(), EventsMap::optionsEvent);
    EXPECT_EQ (button.getCtrlClickEventId(), EventsMap::aboutEvent);
    EXPECT_EQ (button.getClickEventName(), "Options");
    EXPECT_EQ (button.getCtrlClickEventName(), "About");
    EXPECT_TRUE (button.isAutoRepeating());
    EXPECT_FALSE (button.getTriggeredOnMouseDown());
    EXPECT_FALSE (button.getClickingTogglesState());
    EXPECT_EQ (button.getPosition(), juce::Point<int> (78, 14));
}

TEST (GFXButtonLoadTest, TheEventNameArrivesInItsDisplayForm)
{
    SkinContext context;
    GFXButton button ("B");
    button.loadFromXml (*parseXml (R"(<Button><actions>
                                        <action type="onClick" event="Toggle Midi Learn"/>
                                      </actions></Button>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_EQ (button.getClickEventId(), EventsMap::toggleMidiLearnEvent);
    EXPECT_EQ (button.getClickEventName(), "Toggle midi learn");
}

TEST (GFXButtonLoadTest, UnknownActionTypesAndEventsAreIgnored)
{
    SkinContext context;
    GFXButton button ("B");
    button.loadFromXml (*parseXml (R"(<Button><actions>
                                        <action type="onLessClick" event="Options"/>
                                        <action type="onclick" event="Options"/>
                                        <action type="onClick" event="No such event"/>
                                        <action type="onClickWithCtrl" event="About"/>
                                      </actions></Button>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_EQ (button.getClickEventId(), GFXButton::noEvent);
    EXPECT_EQ (button.getCtrlClickEventId(), EventsMap::aboutEvent);
}

TEST (GFXButtonLoadTest, ClickEventAndAutorepeatValuesAreComparedExactly)
{
    SkinContext context;
    GFXButton button ("B");

    button.loadFromXml (*parseXml (R"(<Button clickEvent="onPress" autorepeat="yes"/>)"),
                        context.parameters, context.events, nullptr);
    EXPECT_TRUE (button.getTriggeredOnMouseDown());
    EXPECT_TRUE (button.isAutoRepeating());

    // Other values, lower-case ones included, leave the settings alone.
    button.loadFromXml (*parseXml (R"(<Button clickEvent="onrelease" autorepeat="No"/>)"),
                        context.parameters, context.events, nullptr);
    EXPECT_TRUE (button.getTriggeredOnMouseDown());
    EXPECT_TRUE (button.isAutoRepeating());

    // Absent attributes take their defaults.
    button.loadFromXml (*parseXml (R"(<Button/>)"), context.parameters, context.events, nullptr);
    EXPECT_FALSE (button.getTriggeredOnMouseDown());
    EXPECT_FALSE (button.isAutoRepeating());

    GFXButton fresh ("C");
    fresh.loadFromXml (*parseXml (R"(<Button clickEvent="onpress"/>)"), context.parameters, context.events, nullptr);
    EXPECT_FALSE (fresh.getTriggeredOnMouseDown());
}

TEST (GFXButtonLoadTest, AttributeNamesMatchInAnyCase)
{
    SkinContext context;
    GFXButton button ("B");
    button.loadFromXml (*parseXml (R"(<BUTTON CLICKEVENT="onPress" AutoRepeat="yes"><POS LEFT="5" top="6"/></BUTTON>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_TRUE (button.getTriggeredOnMouseDown());
    EXPECT_TRUE (button.isAutoRepeating());
    EXPECT_EQ (button.getPosition(), juce::Point<int> (5, 6));
}

TEST (GFXButtonLoadTest, ButtonAttributesAreReadOnlyUnderTheButtonElement)
{
    SkinContext context;
    GFXButton button ("B");
    button.loadFromXml (*parseXml (R"(<Knob clickEvent="onPress" autorepeat="yes"/>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_FALSE (button.getTriggeredOnMouseDown());
    EXPECT_FALSE (button.isAutoRepeating());
}

TEST (GFXButtonLoadTest, InitialSizeFollowsTheName)
{
    GFXButton named ("Store");
    EXPECT_EQ (named.getWidth(), juce::Font (12.0f).getStringWidth ("Store") + 8);
    EXPECT_EQ (named.getHeight(), 18);

    GFXButton unnamed;
    EXPECT_EQ (unnamed.getBounds(), juce::Rectangle<int> (0, 0, 18, 18));
}

TEST (GFXButtonLoadTest, WithoutAnImageTheSizeElementGivesTheSize)
{
    SkinContext context;
    GFXButton button ("B");
    button.loadFromXml (*parseXml (R"(<Button><gfx resource="NoSuchImage.png" framesNum="2"/>
                                      <pos left="3" top="4"/><size width="40" height="30"/></Button>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_FALSE (button.hasFilmStrip());
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (3, 4, 40, 30));
}

TEST (GFXButtonLoadTest, WithItsImageTheProductButtonIsOneFrameLarge)
{
    juce::Image image;

    if (! loadResourceImage ("OptionsButton.png", image) || ! image.isValid())
        GTEST_SKIP() << "the skin artwork is not embedded in this build";

    SkinContext context;
    GFXButton button ("OptionsButton");
    button.loadFromXml (*parseXml (R"(<Button name="OptionsButton"><gfx resource="OptionsButton.png" framesNum="2"/>
                                      <pos left="78" top="14"/><size width="1" height="1"/></Button>)"),
                        context.parameters, context.events, nullptr);

    EXPECT_TRUE (button.hasFilmStrip());
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (78, 14, image.getWidth(), image.getHeight() / 2));
}

//==============================================================================
// Auto-repeat

TEST (GFXButtonAutoRepeatTest, RepeatsAfter1000MsThenEvery100MsAndStopsOnRelease)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (optionsButtonXml);

    const auto pressTime = juce::Time::getMillisecondCounterHiRes();
    b.host.press (b.centre());

    pump (900);
    EXPECT_TRUE (b.listener.events.empty()) << "no repeat before 1000 ms";

    while (juce::Time::getMillisecondCounterHiRes() - pressTime < 1350.0)
        pump (5);

    const auto repeats = b.listener.events;
    b.host.release (b.centre());
    const auto afterRelease = b.listener.events.size();
    pump (400);

    // Repeats at 1.0, 1.1, 1.2 and 1.3 s (a busy machine may delay one past 1.35 s).
    ASSERT_GE (repeats.size(), 3u);
    ASSERT_LE (repeats.size(), 4u);

    const double tolerance = 60.0;
    EXPECT_GE (repeats[0].timeMs - pressTime, 1000.0 - 5.0);
    EXPECT_LE (repeats[0].timeMs - pressTime, 1000.0 + tolerance);

    for (size_t i = 1; i < repeats.size(); ++i)
    {
        const auto interval = repeats[i].timeMs - repeats[i - 1].timeMs;
        EXPECT_GE (interval, 100.0 - tolerance) << "repeat " << i;
        EXPECT_LE (interval, 100.0 + tolerance) << "repeat " << i;
    }

    for (auto& e : repeats)
        EXPECT_EQ (e.eventId, EventsMap::optionsEvent);

    // One more click on release over the button, then nothing.
    EXPECT_EQ (afterRelease, repeats.size() + 1);
    EXPECT_EQ (b.listener.events.size(), afterRelease);
}

TEST (GFXButtonAutoRepeatTest, RepeatsWithCtrlHeldFireTheCtrlEvent)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (optionsButtonXml);

    b.host.press (b.centre(), juce::ModifierKeys::ctrlModifier);
    pump (1150);
    b.host.release (b.centre());

    ASSERT_GE (b.listener.events.size(), 2u);

    for (auto& e : b.listener.events)
        EXPECT_EQ (e.eventId, EventsMap::aboutEvent);
}

TEST (GFXButtonAutoRepeatTest, NoRepeatWithoutAutorepeat)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (browseButtonXml);

    b.host.press (b.centre());
    pump (1300);
    EXPECT_TRUE (b.listener.events.empty());

    b.host.release (b.centre());
    EXPECT_EQ (b.listener.events.size(), 1u);
}

TEST (GFXButtonAutoRepeatTest, DraggingOffTheButtonStopsTheRepeats)
{
    REQUIRE_DESKTOP_INPUT();
    HostedButton b (optionsButtonXml);

    b.host.press (b.centre());
    pump (1050);
    const auto beforeLeaving = b.listener.events.size();
    EXPECT_GE (beforeLeaving, 1u);

    b.host.dragTo ({ 115, 75 });
    pump (400);
    EXPECT_EQ (b.listener.events.size(), beforeLeaving);

    b.host.release ({ 115, 75 });
    EXPECT_EQ (b.listener.events.size(), beforeLeaving);
}

//==============================================================================
// Tooltips

TEST (GFXButtonTooltipTest, TheOptionsButtonShowsOptionsAndWithCtrlAbout)
{
    SkinContext context;
    GFXButton button ("OptionsButton");
    button.loadFromXml (*parseXml (optionsButtonXml), context.parameters, context.events, nullptr);

    button.mouseEnter (makeMouseEvent (button, { 5.0f, 5.0f }));
    EXPECT_EQ (button.getTooltip(), "Options");

    button.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (button.getTooltip(), "About");

    button.modifierKeysChanged (juce::ModifierKeys());
    EXPECT_EQ (button.getTooltip(), "Options");

    button.mouseEnter (makeMouseEvent (button, { 5.0f, 5.0f }, juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (button.getTooltip(), "About");
}

TEST (GFXButtonTooltipTest, WithoutACtrlEventCtrlKeepsTheClickEventName)
{
    SkinContext context;
    GFXButton button ("NextPresetButton");
    button.loadFromXml (*parseXml (plainButtonXml), context.parameters, context.events, nullptr);

    button.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (button.getTooltip(), "Select next preset");
    EXPECT_EQ (button.getTooltipFor (juce::ModifierKeys()), "Select next preset");
}

TEST (GFXButtonTooltipTest, ModifierChangesArePassedOnToTheParent)
{
    struct Parent : juce::Component
    {
        void modifierKeysChanged (const juce::ModifierKeys& m) override { received.push_back (m); }
        std::vector<juce::ModifierKeys> received;
    } parent;

    SkinContext context;
    GFXButton button ("OptionsButton");
    button.loadFromXml (*parseXml (optionsButtonXml), context.parameters, context.events, nullptr);
    parent.addAndMakeVisible (button);

    button.modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    ASSERT_EQ (parent.received.size(), 1u);
    EXPECT_TRUE (parent.received[0].isCtrlDown());
    EXPECT_EQ (button.getTooltip(), "About");
}

TEST (GFXButtonTooltipTest, AButtonWithoutActionsHasNoTooltip)
{
    GFXButton button ("B");
    button.mouseEnter (makeMouseEvent (button, { 1.0f, 1.0f }, juce::ModifierKeys::ctrlModifier));
    EXPECT_TRUE (button.getTooltip().isEmpty());
}

//==============================================================================
// Painting

TEST (GFXButtonPaintTest, FilmStripShowsFrameOneOnlyWhileOverAndDown)
{
    PaintableButton button ("B");
    button.setFilmStrip (makeFilmStrip (20, 10, { frameColours()[0], frameColours()[1] }), 2);
    ASSERT_EQ (button.getFrameHeight(), 10);
    button.setSize (20, 10);

    const auto frameFor = [&button] (bool over, bool down)
    {
        return shownFrame (render (20, 10, [&] (juce::Graphics& g) { button.paintButton (g, over, down); }));
    };

    EXPECT_EQ (frameFor (false, false), 0);
    EXPECT_EQ (frameFor (true, false), 0);
    EXPECT_EQ (frameFor (false, true), 0);
    EXPECT_EQ (frameFor (true, true), 1);
}

TEST (GFXButtonPaintTest, PressedThroughTheDesktopShowsFrameOne)
{
    REQUIRE_DESKTOP_INPUT();
    DesktopHost host (60, 40);
    GFXButton button ("B");
    button.setFilmStrip (makeFilmStrip (20, 10, { frameColours()[0], frameColours()[1] }), 2);
    button.setBounds (5, 5, 20, 10);
    host.addAndMakeVisible (button);

    EXPECT_EQ (shownFrame (button.createComponentSnapshot (button.getLocalBounds())), 0);
    host.press (DesktopHost::centreOf (button));
    EXPECT_EQ (shownFrame (button.createComponentSnapshot (button.getLocalBounds())), 1);
    host.release (DesktopHost::centreOf (button));
    EXPECT_EQ (shownFrame (button.createComponentSnapshot (button.getLocalBounds())), 0);
}

TEST (GFXButtonPaintTest, FallbackWithoutAnImage)
{
    PaintableButton button;
    button.setSize (40, 20);

    const auto up = render (40, 20, [&] (juce::Graphics& g) { button.paintButton (g, true, false); });
    const auto down = render (40, 20, [&] (juce::Graphics& g) { button.paintButton (g, true, true); });

    EXPECT_FALSE (isBlank (up));
    EXPECT_EQ (up.getPixelAt (20, 10), juce::Colour::greyLevel (0.9f));
    EXPECT_EQ (down.getPixelAt (20, 10), juce::Colour::greyLevel (0.4f));
    EXPECT_EQ (up.getPixelAt (0, 0), juce::Colours::black);
    EXPECT_EQ (up.getPixelAt (39, 19), juce::Colours::black);
    EXPECT_EQ (up.getPixelAt (20, 0), juce::Colours::black);
}

TEST (GFXButtonPaintTest, FallbackDrawsTheNameBlackOrGreyWhenDisabled)
{
    juce::Component parent;
    PaintableButton button ("Options");
    button.setSize (60, 20);
    parent.addAndMakeVisible (button);

    const juce::Rectangle<int> inside (2, 2, 56, 16);
    const auto enabled = render (60, 20, [&] (juce::Graphics& g) { button.paintButton (g, false, false); });
    EXPECT_GT (countPixels (enabled, inside, isDark), 10);

    parent.setEnabled (false);
    const auto disabled = render (60, 20, [&] (juce::Graphics& g) { button.paintButton (g, false, false); });
    EXPECT_EQ (countPixels (disabled, inside, isDark), 0);
    EXPECT_GT (countPixels (disabled, inside, [] (juce::Colour c) { return c.getBrightness() < 0.8f; }), 10);
}

//==============================================================================
// TextButtonEx

namespace
{
    juce::Image solid (int w, int h, juce::Colour c)
    {
        juce::Image image (juce::Image::ARGB, w, h, true, juce::SoftwareImageType());
        image.clear (image.getBounds(), c);
        return image;
    }

    struct CapsLook : public juce::LookAndFeel_V4,
                      public TextButtonEx::LookAndFeelMethods
    {
        juce::Font getTextButtonExFont (TextButtonEx&) override { return juce::Font (11.0f); }

        TextButtonEx::Images getTextButtonExImages (TextButtonEx&, int lookIndex) override
        {
            requestedLooks.push_back (lookIndex);
            TextButtonEx::Images images;
            images.upLeft     = solid (6, 24, juce::Colour (0xffff0000));
            images.upMiddle   = solid (4, 24, juce::Colour (0xff00ff00));
            images.upRight    = solid (8, 24, juce::Colour (0xff0000ff));
            images.downLeft   = solid (6, 24, juce::Colour (0xff800000));
            images.downMiddle = solid (4, 24, juce::Colour (0xff008000));
            images.downRight  = solid (8, 24, juce::Colour (0xff000080));
            return images;
        }

        std::vector<int> requestedLooks;
    };

    struct PaintableTextButton : public TextButtonEx
    {
        using TextButtonEx::TextButtonEx;
        using TextButtonEx::paintButton;
    };
}

TEST (TextButtonExTest, WithoutALookItUsesDefaultCapsAndPaintsLikeAGFXButton)
{
    PaintableTextButton button ("Load", 3);

    const auto textWidth = (int) std::ceil (juce::Font (14.0f).getStringWidthFloat ("Load"));
    EXPECT_EQ (button.getTextWidth(), textWidth);
    EXPECT_EQ (button.getWidth(), 10 + textWidth + 10);
    EXPECT_EQ (button.getHeight(), 20);
    EXPECT_EQ (button.getLookIndex(), 3);
    EXPECT_FALSE (button.hasImages());

    const auto image = render (button.getWidth(), 20, [&] (juce::Graphics& g) { button.paintButton (g, false, false); });
    EXPECT_FALSE (isBlank (image));
    EXPECT_EQ (image.getPixelAt (1, 10), juce::Colour::greyLevel (0.9f));
}

TEST (TextButtonExTest, TakesFontAndImagesFromTheLookAndFeelAndResizes)
{
    CapsLook look;
    PaintableTextButton button ("Save", 2);
    button.setLookAndFeel (&look);

    EXPECT_EQ (look.requestedLooks.back(), 2);
    EXPECT_EQ (button.getFont().getHeight(), 11.0f);
    const auto textWidth = (int) std::ceil (juce::Font (11.0f).getStringWidthFloat ("Save"));
    EXPECT_EQ (button.getWidth(), 6 + textWidth + 8);
    EXPECT_EQ (button.getHeight(), 24);

    const auto w = button.getWidth();
    const auto up = render (w, 24, [&] (juce::Graphics& g) { button.paintButton (g, false, false); });
    const auto down = render (w, 24, [&] (juce::Graphics& g) { button.paintButton (g, true, true); });

    EXPECT_EQ (up.getPixelAt (2, 2), juce::Colour (0xffff0000));
    EXPECT_EQ (up.getPixelAt (7, 1), juce::Colour (0xff00ff00));
    EXPECT_EQ (up.getPixelAt (w - 2, 2), juce::Colour (0xff0000ff));
    EXPECT_EQ (down.getPixelAt (2, 2), juce::Colour (0xff800000));
    EXPECT_EQ (down.getPixelAt (w - 2, 2), juce::Colour (0xff000080));
    EXPECT_GT (countPixels (up, { 6, 0, textWidth, 24 }, isDark), 5) << "the caption";

    button.setText ("A longer caption");
    EXPECT_EQ (button.getWidth(), 6 + (int) std::ceil (juce::Font (11.0f).getStringWidthFloat ("A longer caption")) + 8);

    button.setEnabled (false);
    const auto disabled = render (button.getWidth(), 24, [&] (juce::Graphics& g) { button.paintButton (g, false, false); });
    EXPECT_NEAR (disabled.getPixelAt (2, 2).getAlpha(), 128, 2);

    button.setLookAndFeel (nullptr);
    EXPECT_FALSE (button.hasImages());
    EXPECT_EQ (button.getHeight(), 20);
}

TEST (TextButtonExTest, ALookAndFeelOfTheParentApplies)
{
    CapsLook look;
    juce::Component window;
    window.setLookAndFeel (&look);

    TextButtonEx button ("Browse", 1);
    EXPECT_FALSE (button.hasImages());
    window.addAndMakeVisible (button);
    EXPECT_TRUE (button.hasImages());
    EXPECT_EQ (button.getHeight(), 24);

    window.removeChildComponent (&button);
    window.setLookAndFeel (nullptr);
}

TEST (TextButtonExTest, ItsOwnerHearsClicksThroughTheButtonListener)
{
    REQUIRE_DESKTOP_INPUT();
    DesktopHost host (200, 60);
    TextButtonEx button ("Yes", 0);
    host.addAndMakeVisible (button);

    struct Owner : juce::Button::Listener
    {
        void buttonClicked (juce::Button* b) override { clicked.push_back (b); }
        std::vector<juce::Button*> clicked;
    } owner;

    button.addListener (&owner);
    host.click (DesktopHost::centreOf (button));
    button.removeListener (&owner);

    ASSERT_EQ (owner.clicked.size(), 1u);
    EXPECT_EQ (owner.clicked[0], &button);
}
