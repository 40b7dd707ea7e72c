#pragma once

#include "editor/BasePluginEditor.h"
#include "editor/DefaultResourcesRadioButtons.h"
#include "editor/RadioButtons.h"
#include "skin/GFXDisplay.h"

class BasePluginOldStyle;
class OldStylePresetBrowserWindow;

/*  The editor of a processor with presets: adds the preset browser, the
    "Presets" page of the options, and renaming the current preset by
    editing the preset-name display.
*/
class BasePluginEditorOldStyle : public BasePluginEditor,
                                 public RadioButtons::Listener,
                                 public GFXDisplayListener
{
public:
    /** The "Presets" page of the options: how presets are stored and changed
        and which bank a new instance starts with. */
    class PresetsSettingsComponent : public juce::Component,
                                     public RadioButtons::Listener
    {
    public:
        PresetsSettingsComponent (BasePluginOldStyle& processor, const juce::String& bankFileWildcard);
        ~PresetsSettingsComponent() override;

        RadioButtons& getStoringGroup() noexcept                  { return storing; }
        RadioButtons& getChangingGroup() noexcept                 { return changing; }
        DefaultResourcesRadioButtons& getDefaultPresetsGroup() noexcept { return defaultPresets; }

        /** Registers with every group of the page. */
        void addGroupListener (RadioButtons::Listener* listener);
        void removeGroupListener (RadioButtons::Listener* listener);

        void resized() override;
        void radioButtonsChanged (RadioButtons* group) override;

    private:
        BasePluginOldStyle& processor;
        RadioButtons storing { "Preset storing", { "Automatic", "On demand" } };
        RadioButtons changing { "Changing type", { "Normal", "Silent" } };
        DefaultResourcesRadioButtons defaultPresets { "Default presets", { "Factory presets", "Clear presets", "User defined" } };

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetsSettingsComponent)
    };

    explicit BasePluginEditorOldStyle (BasePluginOldStyle& processor);
    ~BasePluginEditorOldStyle() override;

    OldStylePresetBrowserWindow* getPresetBrowserWindow() const noexcept { return presetBrowserWindow.get(); }
    PresetsSettingsComponent* getPresetsSettingsPage() const noexcept    { return presetsSettingsPage.get(); }
    GFXDisplay* getPresetNameDisplay() const noexcept                    { return presetNameDisplay; }

    void controllerEventTriggered (GUIController* controller, int eventId) override;
    void displayTextCommitted (GFXDisplay* display) override;
    /** A new default-presets choice affects new instances only. */
    void radioButtonsChanged (RadioButtons* group) override;

protected:
    BasePluginOldStyle& presetProcessor;

private:
    std::unique_ptr<OldStylePresetBrowserWindow> presetBrowserWindow;
    std::unique_ptr<PresetsSettingsComponent> presetsSettingsPage;
    GFXDisplay* presetNameDisplay = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditorOldStyle)
};
