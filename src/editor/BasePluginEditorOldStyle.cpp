#include "editor/BasePluginEditorOldStyle.h"

#include "editor/MidiControlComponent.h"
#include "editor/OldStylePresetBrowserWindow.h"
#include "editor/OptionsWindow.h"
#include "plugin/EventsMap.h"
#include "presets/BasePluginOldStyle.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle& owner)
    : BasePluginEditor (owner), presetProcessor (owner)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findControlByName (*this, "PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    if (auto* panel = getMidiControlPanel())
        panel->setMapFileType (presetProcessor.ccmapFileExtension(), presetProcessor.ccmapFileWildcard());

    presetBrowserWindow = std::make_unique<OldStylePresetBrowserWindow> (presetProcessor);
    addChildComponent (*presetBrowserWindow);
    presetBrowserWindow->setSize (639, 350);

    presetsSettingsPage = std::make_unique<PresetsSettingsComponent> (presetProcessor, presetProcessor.bankFileWildcard());
    presetsSettingsPage->addGroupListener (this);
    getOptionsWindow()->addTab ("Presets", presetsSettingsPage.get(), 0);
}

BasePluginEditorOldStyle::~BasePluginEditorOldStyle()
{
    if (presetNameDisplay != nullptr)
        presetNameDisplay->removeDisplayListener (this);

    if (presetsSettingsPage != nullptr)
        presetsSettingsPage->removeGroupListener (this);

    if (auto* options = getOptionsWindow())
        options->getTabs().clearTabs();

    presetsSettingsPage.reset();
    presetBrowserWindow.reset();
}

void BasePluginEditorOldStyle::controllerEventTriggered (GUIController* controller, int eventId)
{
    if (eventId == EventsMap::browsePresetsEvent && presetBrowserWindow != nullptr)
    {
        presetBrowserWindow->show();
        return;
    }

    BasePluginEditor::controllerEventTriggered (controller, eventId);
}

void BasePluginEditorOldStyle::displayTextCommitted (GFXDisplay* display)
{
    if (display != nullptr && display == presetNameDisplay)
        presetProcessor.renamePreset (presetProcessor.getCurrentPresetIndex(), display->getText());
}

void BasePluginEditorOldStyle::radioButtonsChanged (RadioButtons* group)
{
    if (presetsSettingsPage != nullptr && group == &presetsSettingsPage->getDefaultPresetsGroup())
        showSettingsNotice ("Default Presets");
}
