// The preset layer's part of what hosts keep in their projects (the state
// and program chunks) and of the user settings file.

#include "presets/BasePluginOldStyle.h"

#include "midi/MidiControl.h"
#include "plugin/XmlNames.h"

#include <cstdio>

namespace
{
    juce::String formatStateValue (float value)
    {
        char text[40];
        std::snprintf (text, sizeof (text), "%.9g", (double) value);
        return text;
    }
}

//==============================================================================
std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createStateXml()
{
    auto state = std::make_unique<juce::XmlElement> ("PluginState");
    state->setAttribute ("application", getPluginName());
    state->addChildElement (createParametersStateXml().release());
    state->addChildElement (createPresetsStateXml().release());
    state->addChildElement (getMidiControl().createMapXml().release());
    return state;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createParametersStateXml()
{
    auto element = std::make_unique<juce::XmlElement> ("ParametersState");
    auto& parameters = getParameterManager();

    for (int i = 0; i < numPresetParameters; ++i)
    {
        auto* param = element->createNewChildElement ("param");
        param->setAttribute ("name", parameters.getName (i));
        param->setAttribute ("value", formatStateValue (parameters.getNormalisedValue (i)));
    }

    return element;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetsStateXml()
{
    auto element = std::make_unique<juce::XmlElement> ("PresetsState");
    element->setAttribute ("currentPreset", currentPreset.load());
    element->addChildElement (createBankXml().release());
    return element;
}

void BasePluginOldStyle::restoreStateFromXml (const juce::XmlElement& element)
{
    if (! isStateXml (element))
        return;

    for (auto* child : element.getChildIterator())
    {
        if (XmlNames::hasTag (*child, "ParametersState"))
            restoreParametersState (*child);
        else if (XmlNames::hasTag (*child, "PresetsState"))
            restorePresetsState (*child);
        else if (getMidiControl().isMapElement (*child))
            getMidiControl().loadMapXml (*child);
    }
}

void BasePluginOldStyle::restoreParametersState (const juce::XmlElement& element)
{
    auto& parameters = getParameterManager();

    for (auto* param : element.getChildIterator())
    {
        if (! XmlNames::hasTag (*param, "param"))
            continue;

        if (auto* parameter = parameters.getParameterByName (XmlNames::attributeText (*param, "name")))
            parameter->setNormalisedValue ((float) XmlNames::attributeText (*param, "value").getDoubleValue(), true);
    }
}

void BasePluginOldStyle::restorePresetsState (const juce::XmlElement& element)
{
    for (auto* child : element.getChildIterator())
        if (isPresetBankXml (*child))
            loadBankFromXml (*child);

    // The live values restored from the parameters stay: the preset becomes
    // current without being applied.
    setCurrentPresetIndex (XmlNames::attributeText (element, "currentPreset").getIntValue(), true);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createProgramStateXml()
{
    return createPresetXml (currentPreset.load());
}

void BasePluginOldStyle::restoreProgramStateFromXml (const juce::XmlElement& element)
{
    const auto index = currentPreset.load();
    loadPresetFromXml (element, index);

    if (PresetBank::isValidSlot (index))
        applyCurrentPreset();
}

//==============================================================================
namespace
{
    const char* const presetsModeNames[] = { "factoryPresets", "clearPresets", "userDefinedPresets" };
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createUserSettingsXml()
{
    auto root = std::make_unique<juce::XmlElement> ("UserSettings");
    root->setAttribute ("application", getPluginName());

    root->createNewChildElement ("PluginDirectories")
        ->createNewChildElement ("RecentlyUsed")->setAttribute ("dir", getRecentlyUsedDirectory());

    auto* resources = root->createNewChildElement ("ResourcesSettings");
    auto* presets = resources->createNewChildElement ("Presets");
    presets->setAttribute ("default", presetsModeNames[juce::jlimit (0, 2, defaultPresetsMode)]);

    if (defaultPresetsMode == userDefinedPresets)
        presets->setAttribute ("file", userDefinedBankFile);

    auto* map = resources->createNewChildElement ("MidiCCMap");
    const auto useMap = getMidiControl().getUseDefaultMap();
    map->setAttribute ("default", useMap ? "userDefinedMidiCCMap" : "noMapping");

    if (useMap)
        map->setAttribute ("file", getMidiControl().getDefaultMapPath());

    auto* presetSettings = root->createNewChildElement ("PresetSettings");

    if (hasPresetStoringSetting())
        presetSettings->setAttribute ("storing", isPresetStoringOnDemand() ? "onDemand" : "automatic");

    if (hasPresetChangingSetting())
        presetSettings->setAttribute ("changing", isSilentPresetChange() ? "silent" : "normal");

    return root;
}

void BasePluginOldStyle::loadUserSettingsXml (const juce::XmlElement& root)
{
    if (! isUserSettingsXml (root))
        return;

    for (auto* section : root.getChildIterator())
    {
        if (XmlNames::hasTag (*section, "PluginDirectories"))
        {
            for (auto* recent : section->getChildIterator())
                if (XmlNames::hasTag (*recent, "RecentlyUsed"))
                    if (const auto dir = XmlNames::attributeText (*recent, "dir"); juce::File::isAbsolutePath (dir))
                        setRecentlyUsedDirectory (juce::File (dir));
        }
        else if (XmlNames::hasTag (*section, "ResourcesSettings"))
        {
            for (auto* resource : section->getChildIterator())
            {
                const auto choice = XmlNames::attributeText (*resource, "default");

                if (XmlNames::hasTag (*resource, "Presets"))
                {
                    for (int mode = 0; mode < 3; ++mode)
                        if (choice.equalsIgnoreCase (presetsModeNames[mode]))
                            defaultPresetsMode = mode;

                    if (choice.equalsIgnoreCase ("userDefinedPresets"))
                        userDefinedBankFile = XmlNames::attributeText (*resource, "file");
                }
                else if (XmlNames::hasTag (*resource, "MidiCCMap"))
                {
                    // This choice is compared exactly.
                    if (choice == "noMapping")
                    {
                        getMidiControl().setUseDefaultMap (false);
                    }
                    else if (choice == "userDefinedMidiCCMap")
                    {
                        getMidiControl().setUseDefaultMap (true);
                        getMidiControl().setDefaultMapPath (XmlNames::attributeText (*resource, "file"));
                    }
                }
            }
        }
        else if (XmlNames::hasTag (*section, "PresetSettings"))
        {
            const auto storing = XmlNames::attributeText (*section, "storing");
            const auto changing = XmlNames::attributeText (*section, "changing");

            if (hasPresetStoringSetting())
            {
                if (storing.equalsIgnoreCase ("onDemand"))
                    setPresetStoringOnDemand (true);
                else if (storing.equalsIgnoreCase ("automatic"))
                    setPresetStoringOnDemand (false);
            }

            if (hasPresetChangingSetting())
            {
                if (changing.equalsIgnoreCase ("normal"))
                    setSilentPresetChange (false);
                else if (changing.equalsIgnoreCase ("silent"))
                    setSilentPresetChange (true);
            }
        }
    }
}
