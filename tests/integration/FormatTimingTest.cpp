#include "PluginLoading.h"

#include <gtest/gtest.h>

#include <cmath>

// Latency, bypass and mono tracks in every built format, each loaded from a
// copy of its own with a user settings file that names the quality new
// instances start with, as a user who chose it in the Options window has.
namespace
{
    constexpr int block = 512;
    constexpr double rate = 44100.0;
    const char* const qualityNames[] = { "low", "medium", "high", "highest" };

    int expectedLatency (int quality) { return quality == 0 ? 0 : 17; }

    juce::File builtVst2() { return juce::File (KORVANE_VST2_PATH); }
    juce::File artefacts() { return builtVst2().getParentDirectory().getParentDirectory(); }

    enum class Format { vst2, vst3, lv2, clap };
    const Format allFormats[] = { Format::vst2, Format::vst3, Format::lv2, Format::clap };

    const char* nameOf (Format f) { return f == Format::vst2 ? "VST2" : f == Format::vst3 ? "VST3" : f == Format::lv2 ? "LV2" : "CLAP"; }

    /** A copy of one built plug-in in a folder of its own, with the settings file beside its library. */
    struct PluginCopy
    {
        PluginCopy (Format format, int quality)
        {
            folder.createDirectory();
            juce::File library;

            switch (format)
            {
                case Format::vst2:
                    path = folder.getChildFile ("Korvane.so");
                    builtVst2().copyFileTo (path);
                    library = path;
                    break;
                case Format::vst3:
                    path = folder.getChildFile ("Korvane.vst3");
                    artefacts().getChildFile ("VST3/Korvane.vst3").copyDirectoryTo (path);
                    library = path.getChildFile ("Contents/x86_64-linux/Korvane.so");
                    break;
                case Format::lv2:
                    path = folder.getChildFile ("Korvane.lv2");
                    artefacts().getChildFile ("LV2/Korvane.lv2").copyDirectoryTo (path);
                    library = path.getChildFile ("libKorvane.so");
                    break;
                case Format::clap:
                    path = folder.getChildFile ("Korvane.clap");
                    artefacts().getChildFile ("CLAP/Korvane.clap").copyFileTo (path);
                    library = path;
                    break;
            }

            library.getSiblingFile ("Korvane.ini").replaceWithText (
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<UserSettings application=\"Korvane\">\n"
                "  <QualitySettings default=\"" + juce::String (qualityNames[quality]) + "\"/>\n</UserSettings>\n");
        }

        ~PluginCopy() { folder.deleteRecursively(); }

        juce::File folder = juce::File::createTempFile ("korvane-format");
        juce::File path;
    };

    /** Runs blocks through an instance; `input` gives each block's samples. */
    template <typename Input>
    juce::AudioBuffer<float> render (juce::AudioPluginInstance& instance, int blocks, Input&& input,
                                     const std::function<void (int)>& beforeBlock = {})
    {
        juce::AudioBuffer<float> out (2, blocks * block), buffer (2, block);
        juce::MidiBuffer midi;

        for (int b = 0; b < blocks; ++b)
        {
            if (beforeBlock)
                beforeBlock (b);

            for (int i = 0; i < block; ++i)
                for (int channel = 0; channel < 2; ++channel)
                    buffer.setSample (channel, i, input (channel, b * block + i));

            midi.clear();
            instance.processBlock (buffer, midi);

            for (int channel = 0; channel < 2; ++channel)
                out.copyFrom (channel, b * block, buffer, channel, 0, block);
        }

        return out;
    }

    float noise (int channel, int n)
    {
        // A fixed pseudo-random signal, the same on every call.
        auto x = (juce::uint32) (n * 2654435761u + (juce::uint32) channel * 40503u + 12345u);
        x ^= x >> 13; x *= 0x5bd1e995u; x ^= x >> 15;
        return ((float) (x & 0xffff) / 65535.0f - 0.5f) * 0.8f;
    }

    struct Loaded
    {
        std::unique_ptr<PluginCopy> copy;
        std::unique_ptr<PluginLoader> loader;
        LoadedPlugin plugin;

        juce::AudioPluginInstance& instance() { return *plugin.instance; }
        ~Loaded() { plugin.instance.reset(); loader.reset(); }
    };

    juce::AudioProcessorParameter* parameterNamed (juce::AudioPluginInstance& instance, const juce::String& name)
    {
        // Formats order their parameters differently (LV2 hosts by symbol).
        for (auto* parameter : instance.getParameters())
            if (parameter->getName (64) == name)
                return parameter;

        return nullptr;
    }

    /** Hosts learn of a changed latency on their message thread (VST3's
        restart request): the test pumps it until the value arrives. */
    int latencyOnceAnnounced (juce::AudioPluginInstance& instance, int expected)
    {
        for (int tries = 0; tries < 200 && instance.getLatencySamples() != expected; ++tries)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

        return instance.getLatencySamples();
    }

    std::unique_ptr<Loaded> load (Format format, int quality)
    {
        auto loaded = std::make_unique<Loaded>();
        loaded->copy = std::make_unique<PluginCopy> (format, quality);
        loaded->loader = std::make_unique<PluginLoader>();
        loaded->plugin = loaded->loader->load (loaded->copy->path.getFullPathName(), rate, block);
        return loaded;
    }
}

TEST (FormatTiming, AnImpulseArrivesAtTheReportedLatencyInEveryFormatAndQuality)
{
    for (auto format : allFormats)
    {
        for (int quality = 0; quality < 4; ++quality)
        {
            SCOPED_TRACE (std::string (nameOf (format)) + ", quality " + qualityNames[quality]);
            auto loaded = load (format, quality);
            auto& instance = loaded->instance();

            // The dry path alone. JUCE's LV2 host makes a new instance when
            // it prepares, from the state its ports had: the value goes after.
            auto* fx = parameterNamed (instance, "FX");
            ASSERT_NE (fx, nullptr);
            instance.prepareToPlay (rate, block);
            fx->setValue (0.0f);

            const int at = 90 * block + 100;
            const auto out = render (instance, 100, [at] (int, int n) { return n == at ? 0.5f : 0.0f; });

            // LV2 hosts read the latency port after a run.
            EXPECT_EQ (latencyOnceAnnounced (instance, expectedLatency (quality)), expectedLatency (quality));

            for (int channel = 0; channel < 2; ++channel)
            {
                int peak = 0;
                for (int n = 0; n < out.getNumSamples(); ++n)
                    if (std::abs (out.getSample (channel, n)) > std::abs (out.getSample (channel, peak)))
                        peak = n;

                EXPECT_EQ (peak, at + expectedLatency (quality)) << "channel " << channel;
                EXPECT_GT (std::abs (out.getSample (channel, peak)), 0.05f) << "channel " << channel;
            }

            instance.releaseResources();
        }
    }
}

TEST (FormatTiming, BypassKeepsTimeInEveryFormat)
{
    for (auto format : allFormats)
    {
        // CLAP hosts bypass a plug-in themselves.
        if (format == Format::clap)
            continue;

        for (int quality : { 0, 3 })
        {
            SCOPED_TRACE (std::string (nameOf (format)) + ", quality " + qualityNames[quality]);
            auto loaded = load (format, quality);
            auto& instance = loaded->instance();
            auto* bypass = instance.getBypassParameter();
            ASSERT_NE (bypass, nullptr);

            instance.prepareToPlay (rate, block);

            const auto out = render (instance, 40, noise, [bypass] (int b)
            {
                if (b == 20)
                    bypass->setValueNotifyingHost (1.0f);
            });

            EXPECT_EQ (latencyOnceAnnounced (instance, expectedLatency (quality)), expectedLatency (quality));

            // A block for the host to pass the switch on, then the 5 ms
            // crossfade: from there on the input, delayed, bit for bit.
            const int from = 21 * block + (int) std::round (0.005 * rate);

            for (int channel = 0; channel < 2; ++channel)
                for (int n = from; n < out.getNumSamples(); ++n)
                    ASSERT_EQ (out.getSample (channel, n), noise (channel, n - expectedLatency (quality)))
                        << "channel " << channel << ", sample " << n;

            // Before the switch the plug-in was heard.
            float difference = 0.0f;
            for (int n = 10 * block; n < 20 * block; ++n)
                difference = juce::jmax (difference, std::abs (out.getSample (0, n) - noise (0, n - expectedLatency (quality))));

            EXPECT_GT (difference, 0.01f);
            instance.releaseResources();
        }
    }
}

TEST (FormatTiming, AMonoTrackSoundsOnBothOutputsInTheFormatsThatOfferIt)
{
    juce::AudioProcessor::BusesLayout monoToStereo;
    monoToStereo.inputBuses.add (juce::AudioChannelSet::mono());
    monoToStereo.outputBuses.add (juce::AudioChannelSet::stereo());

    for (auto format : allFormats)
    {
        SCOPED_TRACE (nameOf (format));
        auto loaded = load (format, 1);
        auto& instance = loaded->instance();

        // JUCE's LV2 client declares its ports once, for the stereo layout.
        if (format == Format::lv2)
        {
            EXPECT_FALSE (instance.setBusesLayout (monoToStereo));
            continue;
        }

        ASSERT_TRUE (instance.setBusesLayout (monoToStereo));
        instance.prepareToPlay (rate, block);
        ASSERT_EQ (instance.getTotalNumInputChannels(), 1);

        const auto out = render (instance, 20, [] (int channel, int n) { return channel == 0 ? noise (0, n) : 0.7f; });
        float loudest = 0.0f;

        for (int n = 0; n < out.getNumSamples(); ++n)
        {
            ASSERT_EQ (out.getSample (0, n), out.getSample (1, n)) << "sample " << n;
            loudest = juce::jmax (loudest, std::abs (out.getSample (0, n)));
        }

        EXPECT_GT (loudest, 0.05f);
        instance.releaseResources();
    }
}
