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

/*  Loads plug-ins by path, choosing the format by what the path is: a .vst3
    bundle, an .lv2 bundle (or an LV2 URI), a .clap file or a VST 2.4 .so.
    Only that format looks at the file.

    The formats live as long as the loader; plug-in instances must be
    destroyed before it.
*/
class PluginLoader
{
public:
    PluginLoader();
    ~PluginLoader();

    /** Throws std::runtime_error with a message a user can act on when the
        path cannot be loaded. */
    LoadedPlugin load (const juce::String& path, double sampleRate, int blockSize);

private:
    juce::AudioPluginFormat& formatForPath (const juce::String& path, juce::String& identifier);
    juce::String findLv2Uri (const juce::File& bundle);

    std::unique_ptr<juce::VSTPluginFormat> vst;
    std::unique_ptr<juce::VST3PluginFormat> vst3;
    std::unique_ptr<juce::LV2PluginFormat> lv2;
    std::unique_ptr<juce::AudioPluginFormat> clap;
};
