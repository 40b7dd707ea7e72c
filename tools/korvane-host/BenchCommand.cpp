#include "CommandOptions.h"
#include "Commands.h"
#include "OfflineRenderer.h"
#include "ParameterSettings.h"
#include "PluginLoading.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>

/*  bench: ns per frame of one or more plug-ins, measured in the same run,
    interleaved run by run so that a machine's changing load falls on all of
    them alike. Each scenario is a way a host drives a plug-in:

    steady      two steady tones, nothing automated
    automation  every automatable parameter jumps to a random value each block
    glides      every automatable parameter sweeps slowly up and down, so
                a plug-in's smoothing never comes to rest
    silence     digital silence (after the warm-up's tones)
*/
namespace
{
    enum class Scenario { steady, automation, glides, silence };

    const char* const scenarioNames[] { "steady", "automation", "glides", "silence" };

    Scenario scenarioForName (const juce::String& name)
    {
        for (int i = 0; i < 4; ++i)
            if (name == scenarioNames[i])
                return (Scenario) i;

        throw std::invalid_argument (("unknown scenario '" + name + "' (steady, automation, glides, silence or all)").toStdString());
    }

    struct Contender
    {
        LoadedPlugin plugin;
        std::unique_ptr<OfflineRenderer> renderer;
        juce::Array<juce::AudioProcessorParameter*> automatable;
        std::vector<double> nanosecondsPerFrame;
        std::vector<double> medians;   // one per scenario
    };

    double median (std::vector<double> values)
    {
        std::sort (values.begin(), values.end());
        const auto n = values.size();
        return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
    }

    juce::String label (const Contender& c)
    {
        return c.plugin.description.name + " (" + c.plugin.formatName + ", "
             + juce::String (c.plugin.instance->getTotalNumInputChannels()) + " in / "
             + juce::String (c.plugin.instance->getTotalNumOutputChannels()) + " out)";
    }

    void report (const Contender& c, double sampleRate)
    {
        const auto& v = c.nanosecondsPerFrame;
        const auto med = median (v);
        std::cout << "  " << label (c) << "\n"
                  << "    ns per frame: min " << juce::String (*std::min_element (v.begin(), v.end()), 1)
                  << ", median " << juce::String (med, 1)
                  << ", max " << juce::String (*std::max_element (v.begin(), v.end()), 1) << "\n"
                  << "    real-time factor (median): " << juce::String (1.0e9 / (med * sampleRate), 1) << "x\n";
    }

    juce::AudioBuffer<float> makeSignal (Scenario scenario, double sampleRate)
    {
        // One second that loops without a seam: 220 Hz and 330 Hz.
        juce::AudioBuffer<float> signal (2, (int) sampleRate);
        signal.clear();

        if (scenario != Scenario::silence)
            for (int i = 0; i < signal.getNumSamples(); ++i)
            {
                const auto t = i / sampleRate;
                signal.setSample (0, i, (float) (0.5 * std::sin (2.0 * juce::MathConstants<double>::pi * 220.0 * t)));
                signal.setSample (1, i, (float) (0.4 * std::sin (2.0 * juce::MathConstants<double>::pi * 330.0 * t)));
            }

        return signal;
    }

    OfflineRenderer::BlockHook automationFor (Scenario scenario, Contender& c, juce::Random& random, double sampleRate)
    {
        if (scenario == Scenario::automation)
            return [&c, &random] (juce::int64)
            {
                for (auto* parameter : c.automatable)
                    parameter->setValue (random.nextFloat());
            };

        if (scenario == Scenario::glides)
            return [&c, sampleRate] (juce::int64 position)
            {
                // A triangle over four seconds, each parameter a little ahead of the last.
                for (int i = 0; i < c.automatable.size(); ++i)
                {
                    const auto phase = std::fmod ((double) position / (4.0 * sampleRate) + i * 0.037, 1.0);
                    c.automatable[i]->setValue ((float) (phase < 0.5 ? 2.0 * phase : 2.0 - 2.0 * phase));
                }
            };

        return {};
    }
}

int runBench (const juce::StringArray& words)
{
    const CommandOptions options (words, { "seconds", "runs", "rate", "block", "set", "scenario" });
    const auto& args = options.getPositional();

    if (args.isEmpty())
        throw std::invalid_argument ("bench takes one plug-in, or several to compare");

    const auto sampleRate = options.getNumber ("rate", 44100.0, 8000.0, 768000.0);
    const auto blockSize = options.getInteger ("block", 512, 1, 65536);
    const auto seconds = options.getNumber ("seconds", 10.0, 0.01, 3600.0);
    const auto runs = options.getInteger ("runs", 5, 1, 1000);
    const auto frames = (juce::int64) (seconds * sampleRate);

    std::vector<Scenario> scenarios;
    for (const auto& name : options.getAll ("scenario"))
    {
        if (name == "all")
            scenarios = { Scenario::steady, Scenario::automation, Scenario::glides, Scenario::silence };
        else
            scenarios.push_back (scenarioForName (name));
    }
    if (scenarios.empty())
        scenarios.push_back (Scenario::steady);

    PluginLoader loader;
    std::vector<Contender> contenders (args.size());
    juce::Random random (1);

    for (int i = 0; i < args.size(); ++i)
    {
        auto& c = contenders[(size_t) i];
        c.plugin = loader.load (args[i], sampleRate, blockSize);
        applyParameterSettings (*c.plugin.instance, options.getAll ("set"));

        for (auto* parameter : c.plugin.instance->getParameters())
            if (parameter->isAutomatable())
                c.automatable.add (parameter);
    }

    std::cout << "processing " << seconds << " s of audio at " << sampleRate << " Hz in blocks of " << blockSize
              << ", " << runs << " runs" << (contenders.size() > 1 ? " each, interleaved" : "") << "\n";

    const auto warmUp = makeSignal (Scenario::steady, sampleRate);

    for (const auto scenario : scenarios)
    {
        const auto signal = makeSignal (scenario, sampleRate);

        for (auto& c : contenders)
        {
            // Every scenario starts from the plug-in as it was loaded.
            c.renderer.reset();
            c.renderer = std::make_unique<OfflineRenderer> (*c.plugin.instance, sampleRate, blockSize);
            c.renderer->process (warmUp, blockSize * 16);
            c.nanosecondsPerFrame.clear();
        }

        for (int run = 0; run < runs; ++run)
            for (auto& c : contenders)
            {
                const auto hook = automationFor (scenario, c, random, sampleRate);
                const auto start = juce::Time::getHighResolutionTicks();
                c.renderer->process (signal, frames, hook);
                const auto elapsed = juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - start);
                c.nanosecondsPerFrame.push_back (elapsed * 1.0e9 / (double) frames);
            }

        std::cout << "scenario " << scenarioNames[(int) scenario] << ":\n";

        for (const auto& c : contenders)
            report (c, sampleRate);

        if (contenders.size() == 2)
            std::cout << "  ratio (median " << contenders[0].plugin.description.name << " / "
                      << contenders[1].plugin.description.name << "): "
                      << juce::String (median (contenders[0].nanosecondsPerFrame) / median (contenders[1].nanosecondsPerFrame), 3)
                      << "\n";

        for (auto& c : contenders)
            c.medians.push_back (median (c.nanosecondsPerFrame));
    }

    if (contenders.size() > 1 || scenarios.size() > 1)
    {
        // All medians at a glance, one row per plug-in as given.
        std::cout << "\nmedian ns per frame\n  #  plug-in";
        for (const auto scenario : scenarios)
            std::cout << "  " << juce::String (scenarioNames[(int) scenario]).paddedLeft (' ', 10);
        std::cout << "\n";

        for (size_t i = 0; i < contenders.size(); ++i)
        {
            std::cout << "  " << (i + 1) << "  " << args[(int) i] << "\n     " << label (contenders[i]).paddedRight (' ', 4);
            for (const auto value : contenders[i].medians)
                std::cout << "  " << juce::String (value, 1).paddedLeft (' ', 10);
            std::cout << "\n";
        }
    }

    for (auto& c : contenders)
    {
        c.renderer.reset();
        c.plugin.instance.reset();
    }

    return 0;
}
