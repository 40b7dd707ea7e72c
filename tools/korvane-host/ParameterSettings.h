#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** Finds a plug-in parameter by host index ("3") or by name (exact first,
    then ignoring case). Throws std::invalid_argument when there is none. */
juce::AudioProcessorParameter& findParameter (juce::AudioPluginInstance& instance, const juce::String& indexOrName);

/** Applies settings written as "name=value" or "index=value", with values
    normalised to 0 … 1, as a host's automation would. Throws
    std::invalid_argument for an unknown parameter or a bad value. */
void applyParameterSettings (juce::AudioPluginInstance& instance, const juce::StringArray& settings);
