#include "editor/BasePluginEditorOldStyle.h"

#include "presets/BasePluginOldStyle.h"

namespace
{
    constexpr int pageMargin = 8;
    constexpr int groupGap = 10;
    constexpr int halfGap = 3;
}

BasePluginEditorOldStyle::PresetsSettingsComponent::PresetsSettingsComponent (BasePluginOldStyle& owner,
                                                                              const juce::String& bankFileWildcard)
    : juce::Component ("PresetsSettingsComponent"), processor (owner)
{
    addAndMakeVisible (storing);
    addChildComponent (changing);
    changing.setVisible (processor.hasPresetChangingSetting());
    addAndMakeVisible (defaultPresets);

    // What the page shows is read once, when it is built.
    storing.setSelectedIndex (processor.isPresetStoringOnDemand() ? 1 : 0, false);
    changing.setSelectedIndex (processor.isSilentPresetChange() ? 1 : 0, false);
    defaultPresets.setSelectedIndex (processor.getDefaultPresetsMode(), false);
    defaultPresets.getPathField().setPath (processor.getUserDefinedBankFile(), false);
    defaultPresets.getPathField().setChooser ("Open Bank file", juce::File (processor.getRecentlyUsedDirectory()),
                                              bankFileWildcard);

    for (auto* group : { &storing, &changing, (RadioButtons*) &defaultPresets })
        group->addListener (this);
}

BasePluginEditorOldStyle::PresetsSettingsComponent::~PresetsSettingsComponent()
{
    for (auto* group : { &storing, &changing, (RadioButtons*) &defaultPresets })
        group->removeListener (this);
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::addGroupListener (RadioButtons::Listener* listener)
{
    for (auto* group : { &storing, &changing, (RadioButtons*) &defaultPresets })
        group->addListener (listener);
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::removeGroupListener (RadioButtons::Listener* listener)
{
    for (auto* group : { &storing, &changing, (RadioButtons*) &defaultPresets })
        group->removeListener (listener);
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::resized()
{
    const auto area = getLocalBounds().reduced (pageMargin);

    if (changing.isVisible())
    {
        const auto half = area.getWidth() / 2 - halfGap;
        storing.setBounds (area.getX(), area.getY(), half, storing.getHeight());
        changing.setBounds (area.getRight() - half, area.getY(), half, changing.getHeight());
    }
    else
    {
        storing.setBounds (area.getX(), area.getY(), area.getWidth(), storing.getHeight());
    }

    defaultPresets.setBounds (area.getX(), storing.getBottom() + groupGap, area.getWidth(), defaultPresets.getHeight());
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::radioButtonsChanged (RadioButtons* group)
{
    if (group == &storing)
    {
        // Automatic storing starts with the live settings in the current preset.
        processor.setPresetStoringOnDemand (storing.getSelectedIndex() == 1);
    }
    else if (group == &changing)
    {
        processor.setSilentPresetChange (changing.getSelectedIndex() == 1);
    }
    else if (group == &defaultPresets)
    {
        processor.setDefaultPresetsMode (juce::jmax (0, defaultPresets.getSelectedIndex()));
        processor.setUserDefinedBankFile (defaultPresets.getPathField().getPath());
    }
}
