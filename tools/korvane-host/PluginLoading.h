#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/** A plug-in loaded from a file, with the description its format gave. */
struct LoadedPlugin
{
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
    juce::String formatName;
};

/*  Loads the plug-in a path names, choosing the format by what the path is
    (a .vst3 bundle, an .lv2 bundle or a VST 2.4 .so), so that no format has
    to probe files that are not its own. Throws std::runtime_error with a
    message a user can act on when the path cannot be loaded.
*/
LoadedPlugin loadPlugin (const juce::String& path, double sampleRate, int blockSize);
