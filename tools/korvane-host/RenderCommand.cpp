#include "AudioFiles.h"
#include "CommandOptions.h"
#include "Commands.h"
#include "ConsoleProgress.h"
#include "InspectCommand.h"
#include "OfflineRenderer.h"
#include "ParameterSettings.h"
#include "PlotWriter.h"
#include "PluginLoading.h"
#include "PluginState.h"

#include <iostream>
#include <stdexcept>

namespace
{
    juce::File fileArgument (const juce::String& path)
    {
        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }

    juce::String formatDb (float db)
    {
        return std::isfinite (db) ? juce::String (db, 2) + " dBFS" : juce::String ("-inf dBFS");
    }
}

int runRender (const juce::StringArray& words)
{
    const CommandOptions options (words, { "rate", "block", "set", "state-in", "state-out", "midi", "plot", "tail", "report" });
    const auto& args = options.getPositional();

    if (args.size() != 3)
        throw std::invalid_argument ("render takes a plug-in, an input WAV and an output WAV");

    auto input = readWavFile (fileArgument (args[1]));
    const auto sampleRate = options.getNumber ("rate", input.sampleRate, 8000.0, 768000.0);
    const auto blockSize = options.getInteger ("block", 512, 1, 65536);
    const auto tailSeconds = options.getNumber ("tail", 0.0, 0.0, 600.0);
    const auto midi = options.has ("midi") ? MidiEventList::load (fileArgument (options.get ("midi"))) : MidiEventList();
    const auto outputFile = fileArgument (args[2]);

    if (sampleRate != input.sampleRate)
        input = resampled (input, sampleRate);

    PluginLoader loader;
    auto plugin = loader.load (args[0], sampleRate, blockSize);
    auto& instance = *plugin.instance;

    if (options.has ("state-in"))
        PluginState::load (instance, fileArgument (options.get ("state-in")),
                           [&] { return loader.load (args[0], sampleRate, blockSize).instance; });

    applyParameterSettings (instance, options.getAll ("set"));

    AudioClip output;
    output.sampleRate = sampleRate;
    const auto length = input.samples.getNumSamples() + (int) std::ceil (tailSeconds * sampleRate);

    {
        OfflineRenderer renderer (instance, sampleRate, blockSize);
        ConsoleProgress progress ("rendering", length > sampleRate * 20);
        output.samples = renderer.render (input.samples, length, midi, [&] (double done) { progress.update (done); });
    }

    writeFloatWavFile (outputFile, output);

    // Formats such as VST3 tell the host side about parameter changes made
    // during processing through the message thread: let those arrive.
    juce::MessageManager::getInstance()->runDispatchLoopUntil (100);

    if (options.has ("state-out"))
        PluginState::save (instance, fileArgument (options.get ("state-out")));

    // What a host sees after the render: MIDI may have moved parameters.
    if (options.has ("report")
        && ! fileArgument (options.get ("report")).replaceWithText (juce::JSON::toString (describePlugin (plugin))))
        throw std::runtime_error (("cannot write the report " + options.get ("report")).toStdString());

    if (options.has ("plot"))
    {
        juce::String error;
        const auto title = plugin.description.name + " (" + plugin.formatName + "): "
                         + fileArgument (args[1]).getFileName() + " -> " + outputFile.getFileName();

        if (! writePlot (fileArgument (options.get ("plot")), input.samples, output.samples, sampleRate, title, error))
            throw std::runtime_error (error.toStdString());
    }

    std::cout << "rendered " << output.samples.getNumSamples() << " samples at " << sampleRate << " Hz through "
              << plugin.description.name << " (" << plugin.formatName << ") into " << outputFile.getFullPathName() << "\n";

    const auto levels = measureLevels (output.samples);

    for (int channel = 0; channel < levels.size(); ++channel)
        std::cout << "  channel " << channel + 1 << ": peak " << formatDb (levels[channel].peakDb)
                  << ", rms " << formatDb (levels[channel].rmsDb) << "\n";

    plugin.instance.reset();
    return 0;
}
