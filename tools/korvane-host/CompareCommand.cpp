#include "AudioFiles.h"
#include "CommandOptions.h"
#include "Commands.h"
#include "DemoPhrase.h"
#include "OfflineRenderer.h"
#include "ParameterSettings.h"
#include "PluginLoading.h"

#include <iostream>
#include <stdexcept>

namespace
{
    juce::AudioBuffer<float> renderThrough (PluginLoader& loader, const juce::String& path, const AudioClip& input,
                                            int blockSize, const juce::StringArray& settings, juce::String& name)
    {
        auto plugin = loader.load (path, input.sampleRate, blockSize);
        name = plugin.description.name + " (" + plugin.formatName + ")";
        applyParameterSettings (*plugin.instance, settings);

        juce::AudioBuffer<float> output;
        {
            OfflineRenderer renderer (*plugin.instance, input.sampleRate, blockSize);
            output = renderer.render (input.samples, input.samples.getNumSamples());
        }
        return output;
    }
}

int runCompare (const juce::StringArray& words)
{
    const CommandOptions options (words, { "input", "rate", "block", "set", "tolerance" });
    const auto& args = options.getPositional();

    if (args.size() != 2)
        throw std::invalid_argument ("compare takes two plug-ins");

    AudioClip input;

    if (options.has ("input"))
    {
        input = readWavFile (juce::File::getCurrentWorkingDirectory().getChildFile (options.get ("input")));
        const auto rate = options.getNumber ("rate", input.sampleRate, 8000.0, 768000.0);
        input = resampled (input, rate);
    }
    else
    {
        input.sampleRate = options.getNumber ("rate", 44100.0, 8000.0, 768000.0);
        input.samples = makeDemoPhrase (input.sampleRate);
    }

    const auto blockSize = options.getInteger ("block", 512, 1, 65536);
    const auto settings = options.getAll ("set");

    PluginLoader loader;
    juce::String nameA, nameB;
    const auto a = renderThrough (loader, args[0], input, blockSize, settings, nameA);
    const auto b = renderThrough (loader, args[1], input, blockSize, settings, nameB);

    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        throw std::runtime_error (("the plug-ins give different shapes of output: " + juce::String (a.getNumChannels())
                                   + " and " + juce::String (b.getNumChannels()) + " channels").toStdString());

    double largest = 0.0;
    juce::int64 where = 0;
    int whichChannel = 0;

    for (int channel = 0; channel < a.getNumChannels(); ++channel)
        for (int i = 0; i < a.getNumSamples(); ++i)
        {
            const auto difference = std::abs ((double) a.getSample (channel, i) - (double) b.getSample (channel, i));

            if (! (difference <= largest))   // NaN counts as the largest difference
            {
                largest = std::isnan (difference) ? INFINITY : difference;
                where = i;
                whichChannel = channel;
            }
        }

    std::cout << "compared " << a.getNumSamples() << " samples x " << a.getNumChannels() << " channels\n"
              << "  A: " << nameA << "\n  B: " << nameB << "\n"
              << "largest difference: " << juce::String (largest, 9, false) << " (channel " << whichChannel + 1
              << ", sample " << where << ")\n";

    if (options.has ("tolerance"))
    {
        const auto tolerance = options.getNumber ("tolerance", 0.0, 0.0, 1.0e9);

        if (! (largest <= tolerance))
        {
            std::cout << "the outputs differ by more than " << tolerance << "\n";
            return 1;
        }
    }

    return 0;
}
