#pragma once

#include <juce_core/juce_core.h>

class ParameterManager;

/*  The map from MIDI controller numbers to parameters.

    So far it only knows the parameter set it is bound to and the plug-in's
    name; the map itself, its file and MIDI learn are still to be built.
*/
class MidiControl
{
public:
    explicit MidiControl (ParameterManager& parameters);

    void setPluginName (const juce::String& name) { pluginName = name; }
    const juce::String& getPluginName() const noexcept { return pluginName; }

    ParameterManager& getParameterManager() const noexcept { return parameters; }

private:
    ParameterManager& parameters;
    juce::String pluginName;

    JUCE_DECLARE_NON_COPYABLE (MidiControl)
};
