#pragma once

#include "skin/SkinImage.h"
#include "editor/DefaultLookAndFeel.h"
#include "editor/DefaultResourceCheckBox.h"
#include "editor/HoverTooltipWindow.h"
#include "editor/PseudoModalComponent.h"
#include "editor/StatusBar.h"
#include "editor/TabbedComponentEx.h"
#include "midi/MidiControl.h"
#include "skin/GUIController.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class AboutWindow;
class BasePlugin;
class GFXAnimation;
class GFXMultiStateButton;
class GFXPanel;
class MidiControlComponent;
class OptionsWindow;
class Parameter;
class SkinContext;

/*  The framework's editor: the plug-in's window content.

    The processor creates it once during start-up and keeps it; host windows
    only wrap it. It builds itself from the embedded skin (or, without one,
    lays out a plain control per parameter), shows parameter values and
    MIDI-learn states in its status bar, owns the framework's windows
    (Options, with the MIDI control page, and About) and turns the skin's
    events into actions. The layers above add the preset browser, the
    preset-name display, the docked panels and the meters.
*/
class BasePluginEditor : public juce::Component,
                         public GUIController::Listener,
                         public MidiControl::Listener,
                         public DefaultResourceCheckBox::Listener,
                         public TabbedComponentEx::Listener,
                         public PseudoModalComponent::Desktop,
                         public juce::Timer
{
public:
    static constexpr int initialWidth = 1024;
    static constexpr int initialHeight = 800;

    // Status-bar priorities and time-outs of the editor's messages.
    static constexpr int settingsNoticePriority = 4;
    static constexpr int midiControllerPriority = 5;
    static constexpr int parameterInfoPriority = 6;
    static constexpr int midiLearnPriority = 7;
    static constexpr int messageTimeoutMs = 3000;

    /** Builds the editor from the embedded skin document of that name. */
    explicit BasePluginEditor (BasePlugin& processor, const juce::String& skinResource = "skin.xml");
    ~BasePluginEditor() override;

    /** The editor's content size above the status bar; the editor, and the
        host's window around it, take the content plus the status bar. */
    void setEditorSize (int width, int height);
    int getContentHeight() const noexcept       { return contentHeight; }

    /** A control per parameter on a grid, when no skin loaded. */
    void buildDefaultLayout();
    /** The debug knobs and buttons, in debug mode. */
    virtual void showDebugPanel();

    /** The default layout's questions per parameter index: leave an empty
        cell after its control, start a new row after it. */
    virtual bool leavesEmptyCellAfter (int parameterIndex)   { juce::ignoreUnused (parameterIndex); return false; }
    virtual bool startsNewRowAfter (int parameterIndex)      { juce::ignoreUnused (parameterIndex); return false; }
    /** One refresh of the 25 ms timer while the editor is visible. */
    virtual void refreshTick();
    virtual bool hasStatusBar() const                        { return true; }

    /** Depth-first by levels: the direct children by exact name in child
        order first, then each child's subtree the same way. */
    static juce::Component* findControlByName (juce::Component& root, const juce::String& name);

    /** Shows "name: value" of the parameter for 3 seconds, and feeds it to
        MIDI learn while learning. */
    void showParameterInfo (Parameter* parameter);
    /** Tells that a default changes what new instances start with. */
    void showSettingsNotice (const juce::String& setting);
    /** Tells that the settings file is read-only, so no choice made here
        will be kept. */
    void showReadOnlySettingsNotice (const juce::String& fileName);

    bool isSkinLoaded() const noexcept                       { return skinLoaded; }
    StatusBar* getStatusBar() const noexcept                 { return statusBar.get(); }
    OptionsWindow* getOptionsWindow() const noexcept         { return optionsWindow.get(); }
    AboutWindow* getAboutWindow() const noexcept             { return aboutWindow.get(); }
    MidiControlComponent* getMidiControlPanel() const noexcept { return midiControlPanel.get(); }
    DefaultLookAndFeel& getDefaultLookAndFeel() noexcept     { return lookAndFeel; }
    SkinContext* getSkin() const noexcept                    { return skin.get(); }
    int getNumDefaultLayoutControls() const noexcept         { return defaultLayoutControls.size(); }
    GUIController* getDefaultLayoutControl (int index) const { return defaultLayoutControls[index]; }
    GFXPanel* getDebugPanel() const noexcept                 { return debugPanel.get(); }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void childBoundsChanged (juce::Component* child) override;

    void controllerValueChanged (GUIController* controller) override;
    void controllerEventTriggered (GUIController* controller, int eventId) override;

    void midiLearnChanged (MidiControl& control) override;
    void midiControllerMoved (MidiControl& control) override;

    void currentTabChanged (TabbedComponentEx* tabs, int newIndex, const juce::String& newName) override;
    /** A new default map affects new instances only. */
    void defaultResourceChanged (DefaultResourceCheckBox* box) override;

protected:
    /** The events every layer handles alike: About, MIDI learn, and the
        processor's own; Options opens the Options window. */
    void handleBaseEvent (GUIController* controller, int eventId);

    BasePlugin& processor;

private:
    void timerCallback() override;

    // Declared first so that it outlives every component that uses it.
    DefaultLookAndFeel lookAndFeel;

    std::unique_ptr<SkinContext> skin;
    std::unique_ptr<OptionsWindow> optionsWindow;
    std::unique_ptr<MidiControlComponent> midiControlPanel;
    std::unique_ptr<AboutWindow> aboutWindow;
    bool skinLoaded = false;
    GFXAnimation* midiActivityIndicator = nullptr;
    SkinImage background;
    juce::OwnedArray<GUIController> defaultLayoutControls;
    std::unique_ptr<HoverTooltipWindow> tooltipWindow;
    std::unique_ptr<StatusBar> statusBar;
    int contentHeight = 0;
    GFXMultiStateButton* midiLearnButton = nullptr;
    std::unique_ptr<GFXPanel> debugPanel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditor)
};
