#include "editor/BasePluginEditor.h"

#include "editor/AboutWindow.h"
#include "editor/MidiControlComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/QueuedXEvents.h"
#include "parameters/BoolParameter.h"
#include "parameters/IntParameter.h"
#include "plugin/BasePlugin.h"
#include "plugin/EventsMap.h"
#include "skin/GFXAnimation.h"
#include "skin/GFXButton.h"
#include "skin/GFXKnob.h"
#include "skin/GFXMultiStateButton.h"
#include "skin/GFXPanel.h"
#include "skin/GFXSwitch.h"
#include "skin/GFXToggleButton.h"
#include "skin/SkinLoader.h"

namespace
{
    constexpr int tooltipDelayMs = 850;
    constexpr int midiActivityPulseMs = 175;

    constexpr int defaultCellWidth = 64;
    constexpr int defaultControlWidth = 50;
    constexpr int defaultControlHeight = 80;
    constexpr int defaultRowHeight = 120;

    constexpr int debugControlCount = 12;
    constexpr int firstDebugParameter = 300000;
    constexpr int firstDebugEvent = 10000;
}

BasePluginEditor::BasePluginEditor (BasePlugin& owner, const juce::String& skinResource)
    : processor (owner)
{
    setName (processor.getPluginName() + " Editor");

    setLookAndFeel (&lookAndFeel);
    tooltipWindow = std::make_unique<HoverTooltipWindow> (this, tooltipDelayMs);
    tooltipWindow->setOpaque (false);

    statusBar = std::make_unique<StatusBar>();
    addAndMakeVisible (*statusBar);

    aboutWindow = std::make_unique<AboutWindow> (processor);
    aboutWindow->setSize (640, 480);
    addChildComponent (*aboutWindow);

    optionsWindow = std::make_unique<OptionsWindow>();
    optionsWindow->setTitle ("Options");
    optionsWindow->getTabs().addListener (this);
    optionsWindow->setSize (800, 600);
    addChildComponent (*optionsWindow);

    const auto mapType = processor.getShortName().toLowerCase() + "ccmap";
    midiControlPanel = std::make_unique<MidiControlComponent> (processor.getMidiControl(), "*." + mapType, "." + mapType);
    midiControlPanel->getDefaultMapBox().addListener (this);
    processor.getMidiControl().addListener (this);
    optionsWindow->addTab ("Midi Control", midiControlPanel.get(), -1);

    setEditorSize (initialWidth, initialHeight);

    skin = std::make_unique<SkinContext> (processor.getParameterManager(), processor.getEventsMap(), *this, this);
    skinLoaded = SkinLoader::loadFromResource (skinResource, *skin) != SkinLoader::Outcome::notParsed;

    if (skin->hasBackground())
    {
        background = skin->getBackground();
        setEditorSize (background.getWidth(), background.getHeight());
    }

    midiLearnButton = dynamic_cast<GFXMultiStateButton*> (findControlByName (*this, "MidiLearnButton"));
    midiActivityIndicator = dynamic_cast<GFXAnimation*> (findControlByName (*this, "MidiActivityLed"));
}

BasePluginEditor::~BasePluginEditor()
{
    stopTimer();
    processor.getMidiControl().removeListener (this);

    if (midiControlPanel != nullptr)
        midiControlPanel->getDefaultMapBox().removeListener (this);

    debugPanel.reset();
    statusBar.reset();
    tooltipWindow.reset();
    defaultLayoutControls.clear();
    aboutWindow.reset();

    if (optionsWindow != nullptr)
        optionsWindow->getTabs().clearTabs();

    midiControlPanel.reset();
    optionsWindow.reset();
    skin.reset();

    setLookAndFeel (nullptr);
}

//==============================================================================
void BasePluginEditor::setEditorSize (int width, int height)
{
    contentHeight = height;
    auto total = height;

    if (statusBar != nullptr && hasStatusBar())
        total += lookAndFeel.getStatusBarHeight();

    setSize (width, total);

    if (statusBar != nullptr)
        statusBar->setBounds (0, contentHeight, width, lookAndFeel.getStatusBarHeight());

    // The parent takes the size the editor covers in it (scaled by the
    // interface size, when one is chosen).
    if (auto* parent = getParentComponent())
        parent->setSize (getBoundsInParent().getWidth(), getBoundsInParent().getHeight());
}

void BasePluginEditor::resized()
{
    if (statusBar != nullptr)
        statusBar->setBounds (0, contentHeight, getWidth(), lookAndFeel.getStatusBarHeight());

    repaint();
}

void BasePluginEditor::childBoundsChanged (juce::Component* child)
{
    if (child != nullptr && child == statusBar.get())
    {
        // The status bar's height belongs to the editor's total height.
        const auto expected = juce::Rectangle<int> (0, contentHeight, getWidth(), lookAndFeel.getStatusBarHeight());

        if (child->getBounds() != expected)
            setEditorSize (getWidth(), contentHeight);
    }
}

void BasePluginEditor::paint (juce::Graphics& g)
{
    if (background.isValid())
    {
        background.drawAt (g, 0, 0);
        return;
    }

    g.setColour (juce::Colour::greyLevel (0.9f));
    g.setFont (juce::Font());
    g.drawText (processor.getPluginName(), getLocalBounds(), juce::Justification::topLeft, false);
}

//==============================================================================
juce::Component* BasePluginEditor::findControlByName (juce::Component& root, const juce::String& name)
{
    for (auto* child : root.getChildren())
        if (child->getName() == name)
            return child;

    for (auto* child : root.getChildren())
        if (auto* found = findControlByName (*child, name))
            return found;

    return nullptr;
}

void BasePluginEditor::buildDefaultLayout()
{
    if (skinLoaded)
        return;

    auto columns = (getWidth() - 10) / defaultCellWidth;

    if (columns * defaultCellWidth - 14 < getWidth() - 10)
        ++columns;

    int column = 0;
    int y = 30;
    auto& parameters = processor.getParameterManager();

    for (int index = 0; index < processor.getNumHostParameters(); ++index)
    {
        if (auto* parameter = parameters.getParameter (index))
        {
            std::unique_ptr<GUIController> control;

            if (dynamic_cast<BoolParameter*> (parameter) != nullptr)
                control = std::make_unique<GFXToggleButton> (parameter->getName());
            else if (dynamic_cast<IntParameter*> (parameter) != nullptr)
                control = std::make_unique<GFXSwitch> (parameter->getName());
            else
                control = std::make_unique<GFXKnob> (parameter->getName());

            auto* raw = defaultLayoutControls.add (control.release());

            if (auto* component = raw->getComponent())
            {
                component->setBounds (5 + defaultCellWidth * column, y, defaultControlWidth, defaultControlHeight);
                raw->addListener (this);
                component->setVisible (true);
                addChildComponent (component, SkinLoader::insertionIndex);
            }

            raw->setLinkedParameter (parameter);
            raw->parameterValueChanged (parameter);
            ++column;
        }

        if (startsNewRowAfter (index) || column + (leavesEmptyCellAfter (index) ? 1 : 0) >= columns)
        {
            column = 0;
            y += defaultRowHeight;
        }
    }
}

void BasePluginEditor::showDebugPanel()
{
    debugPanel = std::make_unique<GFXPanel> ("DebugPanel");
    debugPanel->setTransparent (true);
    debugPanel->setBounds (getWidth() - 610, getHeight() - 150, 600, 140);

    auto& parameters = processor.getParameterManager();

    for (int i = 0; i < debugControlCount; ++i)
    {
        auto knob = std::make_unique<GFXKnob> ("Debug Knob " + juce::String (i));
        knob->setBounds (50 * i, 0, 40, 90);
        knob->BaseGFXController::addListener (this);
        knob->setLinkedParameter (parameters.getParameter (firstDebugParameter + i));
        debugPanel->addChildController (std::move (knob));

        auto button = std::make_unique<GFXButton> ("Debug Button " + juce::String (i));
        button->setBounds (30 * i, 100, 20, 20);
        button->addAction ("onClick", firstDebugEvent + i, "Debug Event " + juce::String (i));
        button->BaseGFXController::addListener (this);
        debugPanel->addChildController (std::move (button));
    }

    addAndMakeVisible (*debugPanel);
    debugPanel->toFront (false);
}

//==============================================================================
void BasePluginEditor::timerCallback()
{
    if (isVisible())
        refreshTick();

    // A host's loop (or JUCE's) waits for data on the X connection; events
    // an Xlib call has already read would wait with them.
    QueuedXEvents::deliver();
}

void BasePluginEditor::refreshTick()
{
    if (midiActivityIndicator != nullptr && processor.midiActivity.exchange (0) == 1)
        midiActivityIndicator->pulse (1, midiActivityPulseMs);
}

//==============================================================================
void BasePluginEditor::showParameterInfo (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    auto& midi = processor.getMidiControl();

    if (parameter->isAutomatable() && midi.isLearnMode())
        midi.learnParameterMoved (parameter);

    const auto text = processor.getParameterDisplayText (parameter->getIdentifier());

    if (text.isNotEmpty() && statusBar != nullptr)
        statusBar->setMessage (parameter->getName() + ": " + text, parameterInfoPriority, messageTimeoutMs);
}

void BasePluginEditor::showSettingsNotice (const juce::String& setting)
{
    if (statusBar != nullptr)
        statusBar->setMessage (setting + " settings will be affected when plugin is loaded.", settingsNoticePriority, 0);
}

void BasePluginEditor::showReadOnlySettingsNotice (const juce::String& fileName)
{
    if (statusBar != nullptr)
        statusBar->setMessage ("Settings not saved: " + fileName + " is read-only.", settingsNoticePriority, 0);
}

void BasePluginEditor::controllerValueChanged (GUIController* controller)
{
    if (controller != nullptr)
        showParameterInfo (controller->getLinkedParameter());
}

void BasePluginEditor::controllerEventTriggered (GUIController* controller, int eventId)
{
    if (eventId == EventsMap::optionsEvent && optionsWindow != nullptr)
    {
        optionsWindow->show();

        if (statusBar != nullptr)
            statusBar->clear();

        return;
    }

    handleBaseEvent (controller, eventId);
}

void BasePluginEditor::handleBaseEvent (GUIController* controller, int eventId)
{
    switch (eventId)
    {
        case EventsMap::aboutEvent:
            if (aboutWindow != nullptr)
                aboutWindow->show();
            break;

        case EventsMap::toggleMidiLearnEvent:
        {
            auto& midi = processor.getMidiControl();
            midi.setLearnMode (! midi.isLearnMode());
            break;
        }

        default:
            processor.handleEvent (eventId);

            if (controller != nullptr)
                showParameterInfo (controller->getLinkedParameter());
            break;
    }
}

//==============================================================================
void BasePluginEditor::midiLearnChanged (MidiControl& control)
{
    const bool learning = control.isLearnMode();

    if (statusBar != nullptr)
    {
        if (learning)
            statusBar->setMessage (control.getLearnStatusText(), midiLearnPriority, 0);
        else
            statusBar->clear();
    }

    if (midiLearnButton != nullptr)
        midiLearnButton->setStateIndex (learning ? 1 : 0);
}

void BasePluginEditor::midiControllerMoved (MidiControl& control)
{
    auto* parameter = control.getLastMovedParameter();

    if (parameter == nullptr || statusBar == nullptr)
        return;

    statusBar->setMessage (parameter->getName() + ": " + processor.getParameterDisplayText (parameter->getIdentifier()),
                           midiControllerPriority, messageTimeoutMs);
}

void BasePluginEditor::currentTabChanged (TabbedComponentEx*, int, const juce::String&)
{
    if (statusBar != nullptr)
        statusBar->clear();
}

void BasePluginEditor::defaultResourceChanged (DefaultResourceCheckBox* box)
{
    if (midiControlPanel != nullptr && box == &midiControlPanel->getDefaultMapBox())
        showSettingsNotice ("Default Map");
}
