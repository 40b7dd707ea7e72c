#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/*  What a host's text entry does with what the user typed into a parameter's
    field: the plug-in reads the text and sets the parameter.

    VST 2.4 has an opcode of its own for it (JUCE's hosted parameter would
    only parse a bare number, which is not what hosts do); VST3 asks the
    edit controller, LV2 parses the port value or a scale point's label.
    Returns false when the plug-in refused the text.
*/
bool enterParameterText (juce::AudioPluginInstance& instance, juce::AudioProcessorParameter& parameter,
                         const juce::String& text);
