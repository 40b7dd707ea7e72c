#pragma once

#include "plugin/HalcyonEffect.h"

/*  The layer that reads what older versions wrote: presets, groups and banks
    tagged with the product's name ("KorvanePreset", "KorvanePresetGroup",
    "KorvanePresetBank"), which carry no application attribute.
*/
class HalcyonOldCompatible : public HalcyonEffect
{
public:
    explicit HalcyonOldCompatible (int numPresetParameters);

    bool isPresetXml (const juce::XmlElement& element) const override;
    bool isPresetGroupXml (const juce::XmlElement& element) const override;
    bool isPresetBankXml (const juce::XmlElement& element) const override;

    /** Also the older "KorvanePluginState", which has no application. */
    bool isStateXml (const juce::XmlElement& element) const override;
    void restoreStateFromXml (const juce::XmlElement& element) override;

private:
    void restoreOlderState (const juce::XmlElement& element);
    bool hasOlderTag (const juce::XmlElement& element, const char* kind) const;
};
