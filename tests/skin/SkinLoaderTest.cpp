#include "SkinTestSupport.h"

#include "plugin/EmbeddedResources.h"
#include "skin/GFXAnimation.h"
#include "skin/GFXButton.h"
#include "skin/GFXDisplay.h"
#include "skin/GFXDisplayFloat.h"
#include "skin/GFXKnob.h"
#include "skin/GFXMultiStateButton.h"
#include "skin/GFXPanel.h"
#include "skin/GFXRocker.h"
#include "skin/GFXSwitch.h"
#include "skin/GFXToggleButton.h"
#include "skin/SkinLoader.h"

using namespace SkinTestSupport;

namespace
{
    /** An editor stand-in: a parent whose first child is a status bar. */
    struct LoadTarget
    {
        LoadTarget()
        {
            parent.setSize (633, 230);
            parent.setVisible (true);
            parent.addAndMakeVisible (statusBar);
            statusBar.setName ("StatusBar");
        }

        SkinLoader::Outcome load (const juce::String& text)
        {
            return SkinLoader::loadFromText (text, context);
        }

        template <typename Type>
        Type* find (const juce::String& name) const
        {
            return dynamic_cast<Type*> (context.findControl (name));
        }

        Fixture fixture;
        juce::Component parent;
        juce::Component statusBar;
        RecordingControllerListener editor;
        SkinContext context { fixture.parameters, fixture.events, parent, &editor };
    };
}

//==============================================================================
// Document and root.

TEST (SkinLoader, UnparsableOrMissingSkinsAreNotLoaded)
{
    LoadTarget t;
    EXPECT_EQ (t.load (""), SkinLoader::Outcome::notParsed);
    EXPECT_EQ (t.load ("this is not xml <"), SkinLoader::Outcome::notParsed);
    EXPECT_EQ (SkinLoader::loadFromResource ("NoSuchSkin.xml", t.context), SkinLoader::Outcome::notParsed);
    EXPECT_EQ (t.context.getNumControls(), 0);
    EXPECT_EQ (t.parent.getNumChildComponents(), 1);
}

TEST (SkinLoader, AnotherRootBuildsNothingButCountsAsLoaded)
{
    LoadTarget t;
    EXPECT_EQ (t.load (R"(<Skin><Knob name="A"/></Skin>)"), SkinLoader::Outcome::wrongRoot);
    EXPECT_EQ (t.context.getNumControls(), 0);
    EXPECT_FALSE (t.context.hasBackground());
    EXPECT_EQ (t.parent.getNumChildComponents(), 1);
}

TEST (SkinLoader, RootAndAttributeNamesIgnoreCase)
{
    LoadTarget t;
    EXPECT_EQ (t.load (R"(<pluginEditor><KNOB NAME="Lower"><POS LEFT="5" TOP="6"/><Size Width="7" Height="8"/></KNOB></pluginEditor>)"),
               SkinLoader::Outcome::built);

    auto* knob = t.find<GFXKnob> ("Lower");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (5, 6, 7, 8));
}

TEST (SkinLoader, OptionValuesAreComparedExactly)
{
    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <Button name="Lower" clickEvent="onpress"/>
                 <Button name="Exact" clickEvent="onPress"/>
                 <Button name="Default"/>
               </PluginEditor>)");

    auto* lower = t.find<GFXButton> ("Lower");
    auto* exact = t.find<GFXButton> ("Exact");
    auto* byDefault = t.find<GFXButton> ("Default");
    ASSERT_NE (lower, nullptr);
    ASSERT_NE (exact, nullptr);
    ASSERT_NE (byDefault, nullptr);
    EXPECT_FALSE (lower->getTriggeredOnMouseDown()) << "onpress is not onPress: the setting stays onRelease";
    EXPECT_TRUE (exact->getTriggeredOnMouseDown());
    EXPECT_FALSE (byDefault->getTriggeredOnMouseDown());
}

TEST (SkinLoader, TheBackgroundDefaultsToBackgroundPng)
{
    juce::Image expected;
    const auto embedded = loadResourceImage ("Background.png", expected) && expected.isValid();

    LoadTarget t;
    t.load ("<PluginEditor/>");
    EXPECT_EQ (t.context.hasBackground(), embedded);

    if (embedded)
    {
        EXPECT_EQ (t.context.getBackground().getWidth(), expected.getWidth());
        EXPECT_EQ (t.context.getBackground().getHeight(), expected.getHeight());
    }

    LoadTarget missing;
    missing.load (R"(<PluginEditor background="NoSuchBackground.png" application="Korvane"/>)");
    EXPECT_FALSE (missing.context.hasBackground());
}

//==============================================================================
// Elements.

TEST (SkinLoader, EveryKnownKindIsCreatedWithItsName)
{
    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <Knob name="k"/><Switch name="s"/><Animation name="a"/><Button name="b"/>
                 <ToggleButton name="t"/><MultiStateButton name="m"/><Display name="d"/>
                 <DisplayFloat name="f"/><Rocker name="r"/><Panel name="p"/>
               </PluginEditor>)");

    EXPECT_EQ (t.context.getNumControls(), 10);
    EXPECT_NE (t.find<GFXKnob> ("k"), nullptr);
    EXPECT_NE (t.find<GFXSwitch> ("s"), nullptr);
    EXPECT_NE (t.find<GFXAnimation> ("a"), nullptr);
    EXPECT_NE (t.find<GFXButton> ("b"), nullptr);
    EXPECT_NE (t.find<GFXToggleButton> ("t"), nullptr);
    EXPECT_NE (t.find<GFXMultiStateButton> ("m"), nullptr);
    EXPECT_NE (t.find<GFXDisplay> ("d"), nullptr);
    EXPECT_NE (t.find<GFXDisplayFloat> ("f"), nullptr);
    EXPECT_NE (t.find<GFXRocker> ("r"), nullptr);
    EXPECT_NE (t.find<GFXPanel> ("p"), nullptr);
    EXPECT_EQ (dynamic_cast<GFXDisplayFloat*> (t.context.findControl ("d")), nullptr);

    for (int i = 0; i < t.context.getNumControls(); ++i)
    {
        auto* component = t.context.getControl (i)->getComponent();
        ASSERT_NE (component, nullptr);
        EXPECT_EQ (component->getParentComponent(), &t.parent);
        EXPECT_TRUE (component->isVisible());
    }
}

TEST (SkinLoader, UnknownAndUnbuiltElementsAreSkippedSilently)
{
    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <!-- a comment -->
                 some text
                 <Knob name="first"/>
                 <Slider name="unknown"/>
                 <NumericDisplay name="numeric"/>
                 <PatternNumberDisplay name="pattern"/>
                 <NoteDisplay name="note"/>
                 <MusicKeyboard name="keys"/>
                 <Knob name="last"/>
               </PluginEditor>)");

    ASSERT_EQ (t.context.getNumControls(), 2);
    EXPECT_NE (t.context.findControl ("first"), nullptr);
    EXPECT_NE (t.context.findControl ("last"), nullptr);
    EXPECT_EQ (t.parent.getNumChildComponents(), 3);
}

TEST (SkinLoader, PanelOnlyKindsAreRecognisedOnlyInsideAPanel)
{
    using Kind = SkinLoader::ElementKind;

    EXPECT_EQ (SkinLoader::classifyElement ("NoteDisplay", false), Kind::unknown);
    EXPECT_EQ (SkinLoader::classifyElement ("NoteDisplay", true), Kind::noteDisplay);
    EXPECT_EQ (SkinLoader::classifyElement ("modwheel", true), Kind::modWheel);
    EXPECT_EQ (SkinLoader::classifyElement ("ParameterModulator", false), Kind::unknown);
    EXPECT_EQ (SkinLoader::classifyElement ("NumericDisplay", false), Kind::numericDisplay);
    EXPECT_EQ (SkinLoader::classifyElement ("patternnumberdisplay", false), Kind::patternNumberDisplay);
    EXPECT_EQ (SkinLoader::classifyElement ("knob", false), Kind::knob);
    EXPECT_EQ (SkinLoader::classifyElement ("DISPLAYFLOAT", true), Kind::displayFloat);
    EXPECT_EQ (SkinLoader::classifyElement ("Links", false), Kind::unknown);

    // Accepted but not built in this product.
    auto note = parse ("<NoteDisplay name=\"n\"/>");
    EXPECT_EQ (SkinLoader::createControlForElement (*note, true), nullptr);
}

TEST (SkinLoader, ControlsGoInAtChildPosition1SoEarlierOnesLieOnTop)
{
    LoadTarget t;
    juce::Component window;
    window.setName ("Window");
    t.parent.addAndMakeVisible (window); // a window added before the skin

    t.load (R"(<PluginEditor>
                 <Animation name="Upper"><size width="50" height="50"/><pos left="10" top="10"/></Animation>
                 <Animation name="Lower"><size width="50" height="50"/><pos left="30" top="30"/></Animation>
               </PluginEditor>)");

    auto* upper = t.find<GFXAnimation> ("Upper");
    auto* lower = t.find<GFXAnimation> ("Lower");
    ASSERT_NE (upper, nullptr);
    ASSERT_NE (lower, nullptr);

    EXPECT_EQ (t.parent.getIndexOfChildComponent (&t.statusBar), 0);
    EXPECT_EQ (t.parent.getIndexOfChildComponent (lower), 1);
    EXPECT_EQ (t.parent.getIndexOfChildComponent (upper), 2);
    EXPECT_EQ (t.parent.getIndexOfChildComponent (&window), 3);

    EXPECT_EQ (t.parent.getComponentAt (40, 40), upper) << "the earlier control is on top";
    EXPECT_EQ (t.parent.getComponentAt (70, 70), lower);
}

TEST (SkinLoader, TheListenerIsRegisteredOnEveryControlAndLinksResolve)
{
    LoadTarget t;
    auto* tone = t.fixture.addFloat (4, "Tone");
    t.load (R"(<PluginEditor>
                 <Knob name="ToneKnob"><links><link as="connectedTo" param="Tone"/></links><size width="30" height="30"/></Knob>
                 <Button name="OptionsButton"><actions><action type="onClick" event="Options"/></actions></Button>
               </PluginEditor>)");

    for (int i = 0; i < t.context.getNumControls(); ++i)
        EXPECT_TRUE (t.context.getControl (i)->getListeners().contains (&t.editor));

    auto* knob = t.find<GFXKnob> ("ToneKnob");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getLinkedParameter(), tone);

    drag (*knob, { 15.0f, 15.0f }, { 15.0f, -110.0f });
    EXPECT_NEAR (tone->getNormalisedValue(), 0.5f, 1e-6f);
    EXPECT_EQ (t.editor.log.front(), "drag+ ToneKnob");
    EXPECT_EQ (t.editor.log.back(), "drag- ToneKnob");

    tone->setNormalisedValue (0.2f, true);
    pump();
    EXPECT_NEAR (knob->getValue(), 0.2, 1e-6);

    auto* button = t.find<GFXButton> ("OptionsButton");
    ASSERT_NE (button, nullptr);
    EXPECT_EQ (button->getClickEventId(), EventsMap::optionsEvent);
}

TEST (SkinLoader, AKnobWithoutItsImageTakesTheSizeElementAndPaintsItsFallback)
{
    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <Knob name="Missing"><gfx resource="NoSuchKnob.png" framesNum="61"/>
                   <size width="40" height="30"/><pos left="20" top="23"/></Knob>
               </PluginEditor>)");

    auto* knob = t.find<GFXKnob> ("Missing");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (20, 23, 40, 30));
    EXPECT_FALSE (knob->hasFilmStrip());
    EXPECT_EQ (render (*knob).getPixelAt (0, 15), juce::Colour::greyLevel (0.7f));
}

TEST (SkinLoader, AnEmbeddedFilmStripSetsTheFrameSizeAndTheSizeElementHasNoEffect)
{
    // The output volume knob's strip: 61 frames of 37 x 35 in 2135 rows.
    juce::Image strip;

    if (! (loadResourceImage ("OutputVolumeKnob.png", strip) && strip.isValid()))
        GTEST_SKIP() << "the product's knob strip is not embedded in this build";

    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <Knob name="OutputVolumeKnob"><gfx resource="OutputVolumeKnob.png" framesNum="61"/>
                   <size width="99" height="99"/><pos left="566" top="50"/></Knob>
               </PluginEditor>)");

    auto* knob = t.find<GFXKnob> ("OutputVolumeKnob");
    ASSERT_NE (knob, nullptr);
    EXPECT_TRUE (knob->hasFilmStrip());
    EXPECT_EQ (knob->getFrameHeight(), strip.getHeight() / 61);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (566, 50, strip.getWidth(), strip.getHeight() / 61));
}

//==============================================================================
// Panels.

TEST (SkinPanel, OffsetsMoveEveryChildAndPanelsNest)
{
    LoadTarget t;
    t.load (R"(<PluginEditor>
                 <Panel name="Outer">
                   <size width="200" height="100"/><pos left="50" top="60"/>
                   <controls ofsX="10" ofsY="5">
                     <Animation name="Child"><size width="8" height="8"/><pos left="3" top="4"/></Animation>
                     <NoteDisplay name="Note"/>
                     <Panel name="Inner">
                       <gfx transparent="yes"/>
                       <size width="50" height="40"/><pos left="20" top="20"/>
                       <controls ofsX="1" ofsY="2">
                         <Knob name="Deep"><size width="10" height="10"/><pos left="0" top="0"/></Knob>
                       </controls>
                     </Panel>
                   </controls>
                 </Panel>
               </PluginEditor>)");

    ASSERT_EQ (t.context.getNumControls(), 1) << "only the outer panel is a top-level control";
    auto* outer = t.find<GFXPanel> ("Outer");
    ASSERT_NE (outer, nullptr);
    EXPECT_EQ (outer->getBounds(), juce::Rectangle<int> (50, 60, 200, 100));
    EXPECT_FALSE (outer->isTransparent());
    ASSERT_EQ (outer->getNumChildControllers(), 2);

    auto* child = dynamic_cast<GFXAnimation*> (outer->getChildController (0));
    ASSERT_NE (child, nullptr);
    EXPECT_EQ (child->getParentComponent(), outer);
    EXPECT_EQ (child->getPosition(), juce::Point<int> (13, 9));

    auto* inner = dynamic_cast<GFXPanel*> (outer->getChildController (1));
    ASSERT_NE (inner, nullptr);
    EXPECT_TRUE (inner->isTransparent());
    EXPECT_EQ (inner->getBounds(), juce::Rectangle<int> (30, 25, 50, 40));
    EXPECT_EQ (outer->getIndexOfChildComponent (inner), 1) << "later controls lie above earlier ones inside a panel";

    auto* deep = dynamic_cast<GFXKnob*> (inner->getChildController (0));
    ASSERT_NE (deep, nullptr);
    EXPECT_EQ (deep->getPosition(), juce::Point<int> (1, 2));

    // The listener reaches the controls inside, however deep.
    EXPECT_TRUE (child->getListeners().contains (&t.editor));
    EXPECT_TRUE (deep->getListeners().contains (&t.editor));

    // The panel lets its children take the clicks.
    bool interceptsSelf = true, interceptsChildren = false;
    outer->getInterceptsMouseClicks (interceptsSelf, interceptsChildren);
    EXPECT_FALSE (interceptsSelf);
    EXPECT_TRUE (interceptsChildren);
}

TEST (SkinPanel, PaintsGreyWithoutImageAndNothingWhenTransparent)
{
    GFXPanel panel ("P");
    panel.setBounds (0, 0, 20, 20);
    EXPECT_EQ (render (panel).getPixelAt (5, 5), juce::Colour::greyLevel (0.9f));

    panel.setTransparent (true);
    EXPECT_EQ (render (panel).getPixelAt (5, 5).getAlpha(), 0);

    panel.setTransparent (false);
    panel.setFilmStrip (filmStrip (20, 20, 2), 2);
    EXPECT_EQ (frameShown (render (panel), 2, 5, 5), 0);
}

TEST (SkinPanel, TransparentReadsTheBooleanRule)
{
    Fixture fixture;

    for (auto [value, expected] : { std::pair { "1", true }, { "True", true }, { " y", true },
                                    { "no", false }, { "", false }, { "0", false } })
    {
        GFXPanel panel ("P");
        auto element = parse (juce::String ("<Panel><gfx transparent=\"") + value + "\"/></Panel>");
        panel.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
        EXPECT_EQ (panel.isTransparent(), expected) << value;
    }
}

//==============================================================================
// The product skin, when it is embedded.

namespace
{
    bool isEmbeddedImage (const juce::String& fileName)
    {
        juce::Image image;
        return loadResourceImage (fileName, image) && image.isValid();
    }

    void checkProductSkin (const juce::String& text);
}

TEST (ProductSkin, BuildsEveryControlOfTheTableAtItsPlace)
{
    const auto text = loadResourceString ("skin.xml");

    if (text.isEmpty())
        GTEST_SKIP() << "skin.xml is not embedded in this build";

    checkProductSkin (text);
}

namespace
{
void checkProductSkin (const juce::String& text)
{
    Fixture fixture;
    fixture.parameters.loadFromResource ("parameters.xml");

    // The preset layer adds the preset name in code, not in the definitions.
    if (fixture.parameters.getParameterByName ("Current Preset Name") == nullptr)
        fixture.addString (ParameterManager::currentPresetNameIdentifier, "Current Preset Name", "Init");

    juce::Component parent, statusBar;
    parent.addAndMakeVisible (statusBar);
    RecordingControllerListener editor;
    SkinContext context (fixture.parameters, fixture.events, parent, &editor);

    ASSERT_EQ (SkinLoader::loadFromText (text, context), SkinLoader::Outcome::built);
    EXPECT_EQ (context.getNumControls(), 28);

    struct Row { const char* name; const char* parameter; int w, h, left, top; };
    const Row knobs[] =
    {
        { "OutputVolumeKnob", "Output Volume", 37, 35, 566, 50 },
        { "PreampGainKnob", "Preamp Gain", 36, 34, 20, 23 },
        { "LowCutKnob", "Low Cut", 36, 34, 20, 87 },
        { "HighCutKnob", "High Cut", 36, 34, 20, 150 },
        { "TubeBiasKnob", "Tube Bias", 36, 34, 85, 86 },
        { "ToneKnob", "Tone", 36, 34, 140, 86 },
        { "BrightnessKnob", "Brightness", 36, 34, 140, 151 },
        { "BassFrequencyKnob", "Bass Frequency", 28, 28, 239, 83 },
        { "MiddleFrequencyKnob", "Middle Frequency", 28, 28, 305, 83 },
        { "TrebleFrequencyKnob", "Treble Frequency", 28, 28, 370, 83 },
        { "PresenceFrequencyKnob", "Presence Frequency", 28, 28, 436, 83 },
        { "BassGainKnob", "Bass Gain", 28, 28, 239, 124 },
        { "MiddleGainKnob", "Middle Gain", 28, 28, 305, 124 },
        { "TrebleGainKnob", "Treble Gain", 28, 28, 370, 124 },
        { "PresenceGainKnob", "Presence Gain", 28, 28, 436, 124 },
        { "BassBandwidthKnob", "Bass Bandwidth", 28, 28, 239, 165 },
        { "MiddleBandwidthKnob", "Middle Bandwidth", 28, 28, 305, 165 },
        { "TrebleBandwidthKnob", "Treble Bandwidth", 28, 28, 370, 165 },
        { "PresenceBandwidthKnob", "Presence Bandwidth", 28, 28, 436, 165 },
        { "FXKnob", "FX", 35, 35, 500, 149 },
    };

    for (const auto& row : knobs)
    {
        auto* knob = dynamic_cast<GFXKnob*> (context.findControl (row.name));
        ASSERT_NE (knob, nullptr) << row.name;
        EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (row.left, row.top, row.w, row.h)) << row.name;
        EXPECT_EQ (knob->getFrameCount(), 61) << row.name;
        EXPECT_EQ (knob->hasFilmStrip(), isEmbeddedImage (juce::String (row.name) + ".png")) << row.name;
        ASSERT_NE (knob->getLinkedParameter(), nullptr) << row.name;
        EXPECT_EQ (knob->getLinkedParameter()->getName(), row.parameter) << row.name;
    }

    const Row others[] =
    {
        { "OptionsButton", "", 38, 43, 78, 14 },
        { "PrevPresetButton", "", 33, 42, 297, 15 },
        { "NextPresetButton", "", 34, 41, 335, 16 },
        { "BrowsePresetButton", "", 33, 40, 372, 17 },
        { "LeftVUMeter", "", 26, 89, 559, 99 },
        { "RightVUMeter", "", 28, 89, 585, 100 },
        { "HighCutOnOffButton", "High Cut On/Off", 41, 56, 83, 144 },
        { "PresetNameDisplay", "Current Preset Name", 153, 13, 130, 28 },
    };

    for (const auto& row : others)
    {
        auto* control = context.findControl (row.name);
        ASSERT_NE (control, nullptr) << row.name;
        EXPECT_EQ (control->getComponent()->getBounds(), juce::Rectangle<int> (row.left, row.top, row.w, row.h)) << row.name;

        if (juce::String (row.parameter).isNotEmpty())
        {
            ASSERT_NE (control->getLinkedParameter(), nullptr) << row.name;
            EXPECT_EQ (control->getLinkedParameter()->getName(), row.parameter) << row.name;
        }
    }

    EXPECT_EQ (dynamic_cast<GFXAnimation*> (context.findControl ("LeftVUMeter"))->getFrameCount(), 12);
    auto* display = dynamic_cast<GFXDisplay*> (context.findControl ("PresetNameDisplay"));
    ASSERT_NE (display, nullptr);
    EXPECT_EQ (display->getFontHeight(), 9);
    EXPECT_EQ (display->getFirstCharacter(), ' ');

    if (isEmbeddedImage ("Fonts.png"))
    {
        EXPECT_EQ (display->getGlyphWidth(), 7);
        EXPECT_EQ (display->getLastCharacter(), 127);
        EXPECT_EQ (display->getNumCells(), 21);
    }
    EXPECT_EQ (display->getCaretColour(), juce::Colour (0xffbef6ff));
    EXPECT_EQ (display->getBackgroundColour(), juce::Colour (0xff232224));

    auto* options = dynamic_cast<GFXButton*> (context.findControl ("OptionsButton"));
    ASSERT_NE (options, nullptr);
    EXPECT_EQ (options->getClickEventId(), EventsMap::optionsEvent);
    EXPECT_EQ (options->getCtrlClickEventId(), EventsMap::aboutEvent);

    // The first control of the file lies on top of the later ones.
    EXPECT_EQ (parent.getIndexOfChildComponent (&statusBar), 0);
    EXPECT_EQ (parent.getIndexOfChildComponent (context.getControl (0)->getComponent()), 28);
}
}
