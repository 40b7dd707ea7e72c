#include "presets/HalcyonOldCompatible.h"

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
