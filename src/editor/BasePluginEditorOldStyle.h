#pragma once

#include "editor/BasePluginEditor.h"
#include "skin/GFXDisplay.h"

class BasePluginOldStyle;
class OldStylePresetBrowserWindow;

/*  The editor of a processor with presets: adds the preset browser, the
    "Presets" page of the options, and renaming the current preset by
    editing the preset-name display.
*/
class BasePluginEditorOldStyle : public BasePluginEditor,
                                 public GFXDisplayListener
{
public:
    /** The "Presets" page of the options: how presets are stored and changed
        and which bank a new instance starts with. */
    class PresetsSettingsComponent : public juce::Component
    {
    public:
        explicit PresetsSettingsComponent (BasePluginOldStyle& processor);
        ~PresetsSettingsComponent() override;

    private:
        BasePluginOldStyle& processor;
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetsSettingsComponent)
    };

    explicit BasePluginEditorOldStyle (BasePluginOldStyle& processor);
    ~BasePluginEditorOldStyle() override;

    OldStylePresetBrowserWindow* getPresetBrowserWindow() const noexcept { return presetBrowserWindow.get(); }
    PresetsSettingsComponent* getPresetsSettingsPage() const noexcept    { return presetsSettingsPage.get(); }
    GFXDisplay* getPresetNameDisplay() const noexcept                    { return presetNameDisplay; }

    void controllerEventTriggered (GUIController* controller, int eventId) override;
    void displayTextCommitted (GFXDisplay* display) override;

protected:
    BasePluginOldStyle& presetProcessor;

private:
    std::unique_ptr<OldStylePresetBrowserWindow> presetBrowserWindow;
    std::unique_ptr<PresetsSettingsComponent> presetsSettingsPage;
    GFXDisplay* presetNameDisplay = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditorOldStyle)
};
