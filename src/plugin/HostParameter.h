#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class BasePlugin;

/*  One host index as JUCE's plug-in wrappers see it. Every answer is routed
    through the processor's host parameter table, so the host sees the same
    names, values and texts whichever format wraps the processor.
*/
class HostParameter : public juce::AudioProcessorParameter
{
public:
    HostParameter (BasePlugin& owner, int hostIndex, float defaultValue);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override                 { return defaultValue; }
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
    const float defaultValue;
};
