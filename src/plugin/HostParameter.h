#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

class BasePlugin;

/*  One host index as JUCE's plug-in wrappers see it. Every answer is routed
    through the processor's host parameter table, so the host sees the same
    names, values and texts whichever format wraps the processor.

    Its identifier ("preampGain") is what VST3 and LV2 hosts store in their
    sessions; LV2 needs it to be a valid name in the plug-in's Turtle files.
*/
class HostParameter : public juce::AudioProcessorParameterWithID
{
public:
    HostParameter (BasePlugin& owner, int hostIndex, const juce::String& identifier, float defaultValue);

    /** "Preamp Gain" gives "preampGain", "High Cut On/Off" "highCutOnOff". */
    static juce::String identifierForName (const juce::String& name);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override                 { return defaultValue.load(); }

    /** The value the instance starts with (after its start-up preset), which
        LV2 and VST3 hosts take as the knob's default. */
    void setDefaultValue (float newDefault) noexcept       { defaultValue.store (newDefault); }
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override                 { return {}; }
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isAutomatable() const override;
    bool isMetaParameter() const override                  { return false; }

    int getHostIndex() const noexcept { return hostIndex; }

private:
    BasePlugin& owner;
    const int hostIndex;
    std::atomic<float> defaultValue;
};
