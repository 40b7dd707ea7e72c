#include "EditorTestSupport.h"
#include "TestSettingsFolder.h"

#include "editor/AboutWindow.h"
#include "editor/OldStylePresetBrowserWindow.h"
#include "editor/OptionsWindow.h"
#include "parameters/StringParameter.h"
#include "skin/GFXAnimation.h"
#include "skin/GFXDisplay.h"
#include "skin/GFXKnob.h"
#include "skin/GFXPanel.h"

#include <sys/stat.h>
#include <thread>

using namespace EditorTestSupport;

namespace
{
    constexpr int statusBarHeight = 16;
    constexpr int baseHeight = 207;
    constexpr int panelHeight = 256;

    /** The parameter identifier of a host parameter by name. */
    Parameter* parameterNamed (Product& p, const juce::String& name)
    {
        auto* parameter = p.parameters().getParameterByName (name);
        EXPECT_NE (parameter, nullptr) << name;
        return parameter;
    }
}

//==============================================================================
// Building: the layers' steps leave a complete editor.

TEST (EditorFrame, TheSkinGivesTheContentSizeAndTheStatusBarSitsBelowIt)
{
    Product p;
    ASSERT_NE (p.editor, nullptr);
    EXPECT_TRUE (p.editor->isSkinLoaded());
    EXPECT_EQ (p.editor->getWidth(), 633);
    EXPECT_EQ (p.editor->getContentHeight(), baseHeight);
    EXPECT_EQ (p.editor->getBaseHeight(), baseHeight);
    EXPECT_EQ (p.editor->getHeight(), baseHeight + statusBarHeight);
    EXPECT_EQ (p.statusBar().getBounds(), juce::Rectangle<int> (0, baseHeight, 633, statusBarHeight));
    EXPECT_EQ (p.editor->getNumDefaultLayoutControls(), 0);

    EXPECT_NE (p.editor->getLeftMeter(), nullptr);
    EXPECT_NE (p.editor->getRightMeter(), nullptr);
    EXPECT_NE (p.editor->getPresetNameDisplay(), nullptr);
    EXPECT_EQ (p.control<GFXAnimation> ("MidiActivityLed"), nullptr) << "the product skin has none";
}

TEST (EditorFrame, ThePanelsAreDockedUnderTheSkinAndHidden)
{
    Product p;
    auto* options = p.editor->getOptionsWindow();
    auto* browser = p.editor->getPresetBrowserWindow();

    for (WindowComponent* panel : { (WindowComponent*) options, (WindowComponent*) browser })
    {
        EXPECT_FALSE (panel->isVisible());
        EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, baseHeight, 633, panelHeight));
        EXPECT_FALSE (panel->isTitleBarShown());
        EXPECT_FALSE (panel->hasBorder());
        EXPECT_FALSE (panel->isRounded());
        EXPECT_EQ (panel->getDecorationSide(), (int) WindowComponent::decorationTop);
        EXPECT_FALSE (panel->getCloseButton().isVisible());
    }

    EXPECT_EQ (browser->getTitle(), "Preset Browser");
    EXPECT_EQ (options->getTitle(), "Options");

    auto& tabs = options->getTabs();
    ASSERT_EQ (tabs.getNumTabs(), 3);
    EXPECT_EQ (tabs.getTabNames(), (juce::StringArray { "Presets", "Midi Control", "Quality" }));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);
    EXPECT_EQ (tabs.getTabBackgroundColour (1), juce::Colour (0xFFC5C5C5));

    EXPECT_EQ (p.editor->getAboutWindow()->getWidth(), 550);
    EXPECT_EQ (p.editor->getAboutWindow()->getHeight(), 190);
    EXPECT_FALSE (p.editor->getAboutWindow()->isTitleBarShown());
}

TEST (EditorFrame, ControlsAreFoundByLevelsOfTheComponentTree)
{
    juce::Component root, a, b, deep, sameNameDeep;
    a.setName ("A");
    b.setName ("Target");
    deep.setName ("Deep");
    sameNameDeep.setName ("Target");
    root.addChildComponent (a);
    root.addChildComponent (b);
    a.addChildComponent (sameNameDeep);
    a.addChildComponent (deep);

    EXPECT_EQ (BasePluginEditor::findControlByName (root, "Target"), &b) << "direct children come first";
    EXPECT_EQ (BasePluginEditor::findControlByName (root, "Deep"), &deep);
    EXPECT_EQ (BasePluginEditor::findControlByName (root, "target"), nullptr) << "names match exactly";
}

//==============================================================================
// The docked panels.

TEST (EditorPanels, TheOptionsButtonOpensAndClosesThePanelAndTheHostWindowFollows)
{
    Product p;
    std::unique_ptr<juce::AudioProcessorEditor> window (p.processor->createEditor());
    auto* options = p.editor->getOptionsWindow();
    p.statusBar().setMessage ("something", 3, 0);

    p.fire (EventsMap::optionsEvent, "OptionsButton");
    EXPECT_TRUE (options->isVisible());
    EXPECT_EQ (p.editor->getContentHeight(), baseHeight + panelHeight);
    EXPECT_EQ (p.editor->getHeight(), baseHeight + panelHeight + statusBarHeight);
    EXPECT_EQ (window->getHeight(), p.editor->getHeight());
    EXPECT_EQ (p.statusBar().getBounds().getY(), baseHeight + panelHeight);
    EXPECT_TRUE (p.statusText().isEmpty()) << "opening a panel clears the status bar";
    EXPECT_EQ (p.editor->getAboutWindow()->getHeight(), 260);

    p.fire (EventsMap::optionsEvent, "OptionsButton");
    EXPECT_FALSE (options->isVisible());
    EXPECT_EQ (p.editor->getHeight(), baseHeight + statusBarHeight);
    EXPECT_EQ (window->getHeight(), baseHeight + statusBarHeight);
    EXPECT_EQ (p.editor->getAboutWindow()->getHeight(), 190);
    window.reset();
}

TEST (EditorPanels, BrowseWithOptionsOpenSwapsThePanelsInOneStep)
{
    Product p;
    auto* options = p.editor->getOptionsWindow();
    auto* browser = p.editor->getPresetBrowserWindow();

    p.fire (EventsMap::optionsEvent);
    int resizes = 0;

    struct ResizeCounter : juce::ComponentListener
    {
        explicit ResizeCounter (int& n) : count (n) {}
        void componentMovedOrResized (juce::Component&, bool, bool wasResized) override { count += wasResized ? 1 : 0; }
        int& count;
    } counter (resizes);

    p.editor->addComponentListener (&counter);
    p.fire (EventsMap::browsePresetsEvent);
    p.editor->removeComponentListener (&counter);

    EXPECT_TRUE (browser->isVisible());
    EXPECT_FALSE (options->isVisible());
    EXPECT_EQ (p.editor->getContentHeight(), baseHeight + panelHeight);
    EXPECT_EQ (resizes, 0) << "the height never passes through the closed size";

    p.fire (EventsMap::browsePresetsEvent);
    EXPECT_FALSE (browser->isVisible());
    EXPECT_EQ (p.editor->getContentHeight(), baseHeight);
}

TEST (EditorPanels, ClosingAndReopeningTheHostWindowKeepsThePanelOpen)
{
    Product p;
    std::unique_ptr<juce::AudioProcessorEditor> window (p.processor->createEditor());
    p.fire (EventsMap::browsePresetsEvent);
    window.reset();

    window.reset (p.processor->createEditor());
    EXPECT_EQ (p.processor->getEditorComponent(), p.editor);
    EXPECT_TRUE (p.editor->getPresetBrowserWindow()->isVisible());
    EXPECT_EQ (window->getHeight(), baseHeight + panelHeight + statusBarHeight);
    window.reset();
}

TEST (EditorPanels, RealClicksOnTheSkinButtons)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();

    p.host.click (p.centreOf ("OptionsButton"));
    EXPECT_TRUE (p.editor->getOptionsWindow()->isVisible());

    p.host.click (p.centreOf ("BrowsePresetButton"));
    EXPECT_TRUE (p.editor->getPresetBrowserWindow()->isVisible());
    EXPECT_FALSE (p.editor->getOptionsWindow()->isVisible());

    p.host.click (p.centreOf ("BrowsePresetButton"));
    EXPECT_FALSE (p.editor->getPresetBrowserWindow()->isVisible());
    EXPECT_EQ (p.editor->getContentHeight(), baseHeight);
}

TEST (EditorPanels, CtrlClickOnBrowseStoresThePresetAndShowsNothing)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();

    p.processor->setPresetStoringOnDemand (true);
    auto* tone = parameterNamed (p, "Tone");
    const auto index = p.processor->getCurrentPresetIndex();
    const auto stored = p.processor->getBank().getPreset (index).values[(size_t) tone->getIdentifier()];
    const auto changed = stored < 0.5f ? 0.9f : 0.1f;
    tone->setNormalisedValue (changed, true);
    p.statusBar().clear();

    p.host.click (p.centreOf ("BrowsePresetButton"), juce::ModifierKeys::ctrlModifier);

    EXPECT_FLOAT_EQ (p.processor->getBank().getPreset (index).values[(size_t) tone->getIdentifier()], changed);
    EXPECT_FALSE (p.editor->getPresetBrowserWindow()->isVisible());
    EXPECT_TRUE (p.statusText().isEmpty());
}

TEST (EditorPanels, CtrlClickOnOptionsShowsTheAboutWindowOverTheDimmedEditor)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();

    p.host.click (p.centreOf ("OptionsButton"), juce::ModifierKeys::ctrlModifier);
    auto* about = p.editor->getAboutWindow();
    EXPECT_TRUE (about->isOverlayShown());
    EXPECT_FALSE (p.editor->getOptionsWindow()->isVisible());
    EXPECT_EQ (about->getCoveringWindow().getBounds(), p.editor->getLocalBounds());
    EXPECT_EQ (about->getBounds().getCentre(), p.editor->getLocalBounds().getCentre());

    // The editor behind is blocked: the options button does nothing now.
    p.host.click ({ 20, p.centreOf ("OptionsButton").y });
    p.host.click (p.centreOf ("OptionsButton"));
    EXPECT_FALSE (p.editor->getOptionsWindow()->isVisible());

    // A click into the window closes it.
    p.host.click (p.host.getLocalPoint (about, juce::Point<int> (20, 20)));
    EXPECT_FALSE (about->isOverlayShown());
    p.host.click (p.centreOf ("OptionsButton"));
    EXPECT_TRUE (p.editor->getOptionsWindow()->isVisible());
}

TEST (EditorPanels, AButtonsTooltipShowsOnHoverBeforeAnyClick)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();

    juce::TooltipWindow* tooltip = nullptr;
    for (auto* child : p.editor->getChildren())
        if (auto* window = dynamic_cast<juce::TooltipWindow*> (child))
            tooltip = window;
    ASSERT_NE (tooltip, nullptr);

    // Nothing clicked yet, so no window of the process has had the focus
    // (as in a host's window, or on a desktop without a window manager).
    // Off the button's centre: JUCE shows no tip where the pointer was last
    // pressed, and other tests click centres.
    p.host.hover (p.centreOf ("OptionsButton").translated (5, 4));
    ASSERT_TRUE (pumpUntil ([&] { return tooltip->isVisible(); }, 10000)) << "no tooltip over the Options button";
    EXPECT_TRUE (tooltip->getBounds().intersects (p.editor->getLocalBounds()));
}

//==============================================================================
// The status bar's messages.

TEST (EditorStatus, TurningAKnobShowsItsValueForThreeSeconds)
{
    Product p;
    auto* knob = p.control<GFXKnob> ("PreampGainKnob");
    ASSERT_NE (knob, nullptr);

    knob->setValue (0.75, juce::sendNotificationSync);
    const auto expected = "Preamp Gain: " + p.processor->getParameterDisplayText (parameterNamed (p, "Preamp Gain")->getIdentifier());
    EXPECT_EQ (p.statusText(), expected);
    EXPECT_TRUE (expected.endsWith ("dB")) << expected;
    EXPECT_EQ (p.statusBar().getPriority(), BasePluginEditor::parameterInfoPriority);
    EXPECT_TRUE (p.statusBar().hasTimeout());

    pump (2800);
    EXPECT_EQ (p.statusText(), expected);
    EXPECT_TRUE (pumpUntil ([&] { return p.statusText().isEmpty(); }, 1000)) << "gone after 3 s";
}

TEST (EditorStatus, ALearnTextIsNotReplacedByAParameterText)
{
    Product p;
    p.fire (EventsMap::toggleMidiLearnEvent);
    EXPECT_TRUE (p.processor->getMidiControl().isLearnMode());
    EXPECT_EQ (p.statusText(), "Waiting for a controller or parameter movement...");
    EXPECT_EQ (p.statusBar().getPriority(), BasePluginEditor::midiLearnPriority);

    auto* knob = p.control<GFXKnob> ("PreampGainKnob");
    knob->setValue (0.2, juce::sendNotificationSync);
    EXPECT_EQ (p.processor->getMidiControl().getLearnParameter(), parameterNamed (p, "Preamp Gain"))
        << "the moved knob's parameter is the learn candidate";
    EXPECT_FALSE (p.statusText().startsWith ("Preamp Gain:"));

    EXPECT_TRUE (pumpUntil ([&] { return p.statusText().startsWith ("'Preamp Gain' parameter is free"); }));
    EXPECT_FALSE (p.statusBar().hasTimeout()) << "learn texts stay";

    p.fire (EventsMap::toggleMidiLearnEvent);
    EXPECT_FALSE (p.processor->getMidiControl().isLearnMode());
    EXPECT_TRUE (p.statusText().isEmpty());
}

TEST (EditorStatus, LearnSwitchedOffOnAHostThreadReachesTheStatusBarOnTheMessageThread)
{
    Product p;
    auto& midi = p.processor->getMidiControl();
    midi.setLearnMode (true);
    ASSERT_FALSE (p.statusText().isEmpty());

    // A host restoring a state on its own thread switches learn off.
    std::thread hostThread ([&] { midi.setLearnMode (false); });
    hostThread.join();
    EXPECT_FALSE (p.statusText().isEmpty()) << "nothing is touched off the message thread";
    EXPECT_TRUE (pumpUntil ([&] { return p.statusText().isEmpty(); }, 500));
}

TEST (EditorStatus, AMovedControllerShowsItsParameterWithPriorityFive)
{
    Product p;
    auto& midi = p.processor->getMidiControl();
    auto* bass = parameterNamed (p, "Bass Gain");
    midi.assignController (20, bass, true);

    juce::MidiBuffer events;
    events.addEvent (juce::MidiMessage::controllerEvent (1, 20, 100), 0);
    juce::AudioBuffer<float> audio (2, 64);
    audio.clear();
    p.processor->prepareToPlay (44100.0, 64);
    p.processor->processBlock (audio, events);

    EXPECT_TRUE (pumpUntil ([&] { return p.statusText().startsWith ("Bass Gain: "); }));
    EXPECT_EQ (p.statusBar().getPriority(), BasePluginEditor::midiControllerPriority);
    EXPECT_TRUE (p.statusBar().hasTimeout());
    p.processor->releaseResources();
}

TEST (EditorStatus, SettingsNoticesStayUntilReplacedOrCleared)
{
    Product p;
    p.editor->showSettingsNotice ("Default Map");
    EXPECT_EQ (p.statusText(), "Default Map settings will be affected when plugin is loaded.");
    EXPECT_FALSE (p.statusBar().hasTimeout());

    p.editor->getOptionsWindow()->getTabs().setCurrentTabIndex (1);
    EXPECT_TRUE (p.statusText().isEmpty()) << "turning to another page clears the status bar";
}

TEST (EditorStatus, AReadOnlySettingsFileNoticeStaysUntilClearedAndComesBackWithTheNextWindow)
{
    TestSettingsFolder settings;
    settings.write ("<UserSettings application=\"Korvane\"/>");
    ASSERT_EQ (::chmod (settings.file().getFullPathName().toRawUTF8(), 0444), 0);

    Product p;
    const juce::String notice ("Settings not saved: Korvane.ini is read-only.");
    EXPECT_EQ (p.statusText(), notice);
    EXPECT_EQ (p.statusBar().getPriority(), BasePluginEditor::settingsNoticePriority);
    EXPECT_FALSE (p.statusBar().hasTimeout());

    p.editor->getOptionsWindow()->getTabs().setCurrentTabIndex (1);
    EXPECT_TRUE (p.statusText().isEmpty()) << "turning to another page clears the status bar";

    std::unique_ptr<juce::AudioProcessorEditor> window (p.processor->createEditor());
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (p.statusText(), notice) << "a host's new window tells it again";
    window.reset();
}

//==============================================================================
// Meters and the preset name.

TEST (EditorMeters, StoppedMetersFallBackTickByTick)
{
    Product p;
    p.editor->setVisible (true);
    p.editor->stopTimer();   // the test ticks by itself

    p.processor->prepareToPlay (44100.0, 512);
    p.processor->getCore()->setMeterLevels (1.0f, 1.0f);
    p.editor->refreshTick();
    EXPECT_EQ (p.editor->getLeftMeter()->getCurrentFrame(), 11);
    p.processor->releaseResources();

    const int expectedFrames[] = { 11, 7, 5, 3, 2, 2, 1, 1, 0, 0, 0, 0, 0 };

    for (int tick = 0; tick < 13; ++tick)
    {
        p.editor->refreshTick();
        EXPECT_EQ (p.editor->getLeftMeter()->getCurrentFrame(), expectedFrames[tick]) << "tick " << tick + 1;
        EXPECT_EQ (p.editor->getRightMeter()->getCurrentFrame(), expectedFrames[tick]) << "tick " << tick + 1;

        if (tick == 11)
        {
            EXPECT_GT (p.editor->getLeftMeterValue(), 0.0f) << "still above 0 after the twelfth tick";
        }
    }

    EXPECT_EQ (p.editor->getLeftMeterValue(), 0.0f);
    EXPECT_EQ (p.editor->getRightMeterValue(), 0.0f);
}

TEST (EditorMeters, RunningMetersFollowTheCoreAndAHiddenEditorDoesNotTick)
{
    Product p;
    p.processor->prepareToPlay (44100.0, 512);
    p.processor->getCore()->setMeterLevels (0.5f, 0.25f);

    p.editor->setVisible (false);
    pump (100);
    EXPECT_EQ (p.editor->getLeftMeterValue(), 0.0f) << "the timer's ticks wait for a visible editor";

    p.editor->setVisible (true);
    EXPECT_TRUE (pumpUntil ([&] { return p.editor->getLeftMeterValue() == 0.5f; }, 500));
    EXPECT_EQ (p.editor->getRightMeterValue(), 0.25f);
    EXPECT_EQ (p.editor->getLeftMeter()->getCurrentFrame(), 6);
    EXPECT_EQ (p.editor->getRightMeter()->getCurrentFrame(), 3);
    p.processor->releaseResources();
}

TEST (EditorPresetName, ReturnInThePresetNameDisplayRenamesTheCurrentPreset)
{
    Product p;
    auto* display = p.editor->getPresetNameDisplay();
    ASSERT_NE (display, nullptr);
    const auto index = p.processor->getCurrentPresetIndex();
    const auto before = p.processor->getBank().getPreset (index).name;

    display->beginEditing();
    display->keyPressed (juce::KeyPress ('!', {}, '!'));
    display->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_EQ (p.processor->getBank().getPreset (index).name, before) << "Escape renames nothing";

    display->beginEditing();
    display->keyPressed (juce::KeyPress ('!', {}, '!'));
    display->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_EQ (p.processor->getBank().getPreset (index).name, before + "!");
}

//==============================================================================
// Without a skin, and in debug mode.

namespace
{
    struct SkinlessEditor : BasePluginEditor
    {
        explicit SkinlessEditor (BasePlugin& owner) : BasePluginEditor (owner, "missing.xml") {}
    };
}

TEST (EditorWithoutSkin, ADefaultLayoutGivesEveryHostParameterAControlOnAGrid)
{
    Product p;
    SkinlessEditor editor (*p.processor);
    EXPECT_FALSE (editor.isSkinLoaded());
    EXPECT_EQ (editor.getWidth(), BasePluginEditor::initialWidth);
    EXPECT_EQ (editor.getContentHeight(), BasePluginEditor::initialHeight);

    editor.buildDefaultLayout();
    ASSERT_EQ (editor.getNumDefaultLayoutControls(), p.processor->getNumHostParameters());

    // 16 columns of 64 pixels from x = 5, rows 120 pixels apart from y = 30.
    for (int i = 0; i < editor.getNumDefaultLayoutControls(); ++i)
    {
        auto* component = editor.getDefaultLayoutControl (i)->getComponent();
        ASSERT_NE (component, nullptr);
        EXPECT_EQ (component->getBounds(), juce::Rectangle<int> (5 + 64 * (i % 16), 30 + 120 * (i / 16), 50, 80)) << i;
        EXPECT_EQ (component->getName(), p.parameters().getParameter (i)->getName());
    }

    // Every product parameter is continuous, so every control is a knob.
    for (int i = 0; i < editor.getNumDefaultLayoutControls(); ++i)
        EXPECT_NE (dynamic_cast<GFXKnob*> (editor.getDefaultLayoutControl (i)), nullptr) << i;

    // A control of the default layout reports like a skin control.
    auto* knob = dynamic_cast<GFXKnob*> (editor.getDefaultLayoutControl (0));
    knob->setValue (0.3, juce::sendNotificationSync);
    EXPECT_TRUE (editor.getStatusBar()->getText().startsWith (p.parameters().getParameter (0)->getName() + ": "));
}

TEST (EditorWithoutSkin, TheDebugPanelHoldsTwelveKnobsAndButtons)
{
    Product p;
    p.editor->showDebugPanel();
    auto* panel = p.editor->getDebugPanel();
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getName(), "DebugPanel");
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (633 - 610, 223 - 150, 600, 140));
    EXPECT_EQ (panel->getNumChildControllers(), 24);
    EXPECT_GT (p.editor->getIndexOfChildComponent (panel),
               p.editor->getIndexOfChildComponent (p.editor->getPresetBrowserWindow())) << "above everything";
    EXPECT_NE (BasePluginEditor::findControlByName (*panel, "Debug Knob 11"), nullptr);
    EXPECT_EQ (BasePluginEditor::findControlByName (*panel, "Debug Button 3")->getBounds(),
               juce::Rectangle<int> (90, 100, 20, 20));
}
