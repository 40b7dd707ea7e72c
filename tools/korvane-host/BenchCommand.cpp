#include "CommandOptions.h"
#include "Commands.h"
#include "DemoPhrase.h"
#include "OfflineRenderer.h"
#include "ParameterSettings.h"
#include "PluginLoading.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace
{
    struct Contender
    {
        LoadedPlugin plugin;
        std::unique_ptr<OfflineRenderer> renderer;
        std::vector<double> nanosecondsPerFrame;
    };

    double median (std::vector<double> values)
    {
        std::sort (values.begin(), values.end());
        const auto n = values.size();
        return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
    }

    void report (const Contender& c, double sampleRate)
    {
        const auto& v = c.nanosecondsPerFrame;
        const auto med = median (v);
        std::cout << c.plugin.description.name << " (" << c.plugin.formatName << ", "
                  << c.plugin.instance->getTotalNumInputChannels() << " in / "
                  << c.plugin.instance->getTotalNumOutputChannels() << " out)\n"
                  << "  ns per frame: min " << juce::String (*std::min_element (v.begin(), v.end()), 1)
                  << ", median " << juce::String (med, 1)
                  << ", max " << juce::String (*std::max_element (v.begin(), v.end()), 1) << "\n"
                  << "  real-time factor (median): " << juce::String (1.0e9 / (med * sampleRate), 1) << "x\n";
    }
}

int runBench (const juce::StringArray& words)
{
    const CommandOptions options (words, { "seconds", "runs", "rate", "block", "set" });
    const auto& args = options.getPositional();

    if (args.size() < 1 || args.size() > 2)
        throw std::invalid_argument ("bench takes one plug-in, or two to compare");

    const auto sampleRate = options.getNumber ("rate", 44100.0, 8000.0, 768000.0);
    const auto blockSize = options.getInteger ("block", 512, 1, 65536);
    const auto seconds = options.getNumber ("seconds", 10.0, 0.01, 3600.0);
    const auto runs = options.getInteger ("runs", 5, 1, 1000);
    const auto frames = (juce::int64) (seconds * sampleRate);
    const auto input = makeDemoPhrase (sampleRate);

    PluginLoader loader;
    std::vector<Contender> contenders;

    for (const auto& path : args)
    {
        Contender c;
        c.plugin = loader.load (path, sampleRate, blockSize);
        applyParameterSettings (*c.plugin.instance, options.getAll ("set"));
        c.renderer = std::make_unique<OfflineRenderer> (*c.plugin.instance, sampleRate, blockSize);
        c.renderer->process (input, blockSize * 16);   // warm-up
        contenders.push_back (std::move (c));
    }

    std::cout << "processing " << seconds << " s of audio at " << sampleRate << " Hz in blocks of " << blockSize
              << ", " << runs << " runs" << (contenders.size() > 1 ? " each, interleaved" : "") << "\n";

    for (int run = 0; run < runs; ++run)
        for (auto& c : contenders)
        {
            const auto start = juce::Time::getHighResolutionTicks();
            c.renderer->process (input, frames);
            const auto elapsed = juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - start);
            c.nanosecondsPerFrame.push_back (elapsed * 1.0e9 / (double) frames);
        }

    for (const auto& c : contenders)
        report (c, sampleRate);

    if (contenders.size() == 2)
        std::cout << "ratio (median " << contenders[0].plugin.description.name << " / "
                  << contenders[1].plugin.description.name << "): "
                  << juce::String (median (contenders[0].nanosecondsPerFrame) / median (contenders[1].nanosecondsPerFrame), 3)
                  << "\n";

    for (auto& c : contenders)
    {
        c.renderer.reset();
        c.plugin.instance.reset();
    }

    return 0;
}
