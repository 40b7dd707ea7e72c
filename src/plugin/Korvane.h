#pragma once

#include "presets/HalcyonOldCompatible.h"

/** The product: its identity, the host's view of its parameters, and the
    factories of its parts. */
class Korvane : public HalcyonOldCompatible
{
public:
    /** Parameters 0 to 20 are stored in presets and seen by the host. */
    static constexpr int numHostParameters = 21;

    Korvane();
    ~Korvane() override;

    juce::String getPluginName() const override  { return "Korvane"; }
    juce::String getShortName() const override   { return "KV"; }
    int getNumHostParameters() const override    { return numHostParameters; }

    double getTailLengthSeconds() const override;
    bool hasQualitySetting() const override { return true; }
    std::unique_ptr<Core> createCore() override;
    std::unique_ptr<BasePluginEditor> createEditorComponent() override;

    /** The text a host or the editor shows for a parameter, with its unit,
        read from the quantities the core derived ("+50.0dB", "75Hz"). */
    juce::String getParameterDisplayText (int identifier) override;
    juce::String getParameterDisplayTextForValue (int identifier, float normalisedValue) override;
    std::optional<float> getParameterValueForText (int identifier, const juce::String& text) override;

    /** "High Cut On/Off" came with preset revision 1: presets written before
        it (no rev, or rev 0) load with the high cut switched on. */
    void loadPresetFromXml (const juce::XmlElement& element, Preset& preset) override;
    std::unique_ptr<juce::XmlElement> createPresetXml (const Preset& preset) override;
    using HalcyonOldCompatible::loadPresetFromXml;
    using HalcyonOldCompatible::createPresetXml;

    /** Index of "High Cut On/Off", the parameter revision 1 added. */
    static constexpr int highCutSwitchIndex = 20;
    static constexpr int presetRevision = 1;

    juce::String getSoftwareDescription() const override { return "Vintage Tube Distortion"; }
    juce::String getSoftwareVersion() const override     { return "1.3.1"; }
    juce::String getSoftwareWebAddress() const override;
    juce::String getYearOfFirstRelease() const override  { return "2008"; }
    juce::String getBuildDate() const override           { return "2012-02-09"; }
    juce::String getBuildIdentifier() const override;

protected:
    juce::StringArray getOlderPresetExtensions() const override { return { ownExtension ("p") }; }
    juce::StringArray getOlderBankExtensions() const override   { return { ownExtension ("b") }; }
    juce::StringArray getOlderCcmapExtensions() const override  { return { ownExtension ("c") }; }
};
