#include "PluginLoading.h"

#include <stdexcept>

namespace
{
    [[noreturn]] void fail (const juce::String& message)
    {
        throw std::runtime_error (message.toStdString());
    }

    std::unique_ptr<juce::AudioPluginFormat> formatForPath (const juce::File& file)
    {
        const auto extension = file.getFileExtension().toLowerCase();

        if (extension == ".vst3")
            return std::make_unique<juce::VST3PluginFormat>();

        if (extension == ".so" && file.existsAsFile())
            return std::make_unique<juce::VSTPluginFormat>();

        return nullptr;
    }
}

LoadedPlugin loadPlugin (const juce::String& path, double sampleRate, int blockSize)
{
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (path);

    if (! file.exists())
        fail ("no such file: " + path);

    auto format = formatForPath (file);

    if (format == nullptr)
        fail ("not a plug-in this host loads (expected a VST 2.4 .so or a .vst3 bundle): " + path);

    juce::OwnedArray<juce::PluginDescription> found;
    format->findAllTypesForFile (found, file.getFullPathName());

    if (found.isEmpty())
        fail ("no " + format->getName() + " plug-in found in " + path);

    LoadedPlugin loaded;
    loaded.description = *found[0];
    loaded.formatName = format->getName();

    juce::String error;
    loaded.instance = format->createInstanceFromDescription (loaded.description, sampleRate, blockSize, error);

    if (loaded.instance == nullptr)
        fail ("could not create the plug-in from " + path + (error.isNotEmpty() ? ": " + error : juce::String()));

    return loaded;
}
