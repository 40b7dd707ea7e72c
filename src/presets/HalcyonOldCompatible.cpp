#include "presets/HalcyonOldCompatible.h"

#include "midi/MidiControl.h"
#include "plugin/XmlNames.h"

HalcyonOldCompatible::HalcyonOldCompatible (int presetParameters)
    : HalcyonEffect (presetParameters)
{
}

bool HalcyonOldCompatible::hasOlderTag (const juce::XmlElement& element, const char* kind) const
{
    return element.getTagName().equalsIgnoreCase (getPluginName() + kind);
}

bool HalcyonOldCompatible::isPresetXml (const juce::XmlElement& element) const
{
    return HalcyonEffect::isPresetXml (element) || hasOlderTag (element, "Preset");
}

bool HalcyonOldCompatible::isPresetGroupXml (const juce::XmlElement& element) const
{
    return HalcyonEffect::isPresetGroupXml (element) || hasOlderTag (element, "PresetGroup");
}

bool HalcyonOldCompatible::isPresetBankXml (const juce::XmlElement& element) const
{
    return HalcyonEffect::isPresetBankXml (element) || hasOlderTag (element, "PresetBank");
}

bool HalcyonOldCompatible::isStateXml (const juce::XmlElement& element) const
{
    return HalcyonEffect::isStateXml (element) || hasOlderTag (element, "PluginState");
}

void HalcyonOldCompatible::restoreStateFromXml (const juce::XmlElement& element)
{
    if (hasOlderTag (element, "PluginState"))
        restoreOlderState (element);
    else
        HalcyonEffect::restoreStateFromXml (element);
}

void HalcyonOldCompatible::restoreOlderState (const juce::XmlElement& element)
{
    // No live values were stored: the current preset is applied instead.
    for (auto* child : element.getChildIterator())
    {
        if (XmlNames::hasTag (*child, "UniqueData"))
            restoreUniqueData (*child);
        else if (isPresetBankXml (*child))
            loadBankFromXml (*child);
        else if (getMidiControl().isMapElement (*child))
            getMidiControl().loadMapXml (*child);
    }

    setCurrentPresetIndex (XmlNames::attributeText (element, "currentPreset").getIntValue(), true);

    if (PresetBank::isValidSlot (getCurrentPresetIndex()))
        applyCurrentPreset();
}
