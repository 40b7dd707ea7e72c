#include "PluginValidator.h"

#include "EditorWindow.h"
#include "OutputSampleCheck.h"
#include "ParameterTextEntry.h"
#include "ScreenCapture.h"
#include "XDisplay.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

/** A host's audio callback fed with white noise or silence: processes
    blocks through the plug-in, under its callback lock as hosts do, and
    checks every output sample. Used by one thread at a time. */
class PluginValidator::NoiseHost
{
public:
    NoiseHost (juce::AudioPluginInstance& pluginToUse, int maximumBlockSize, juce::int64 seed)
        : plugin (pluginToUse),
          numChannels (juce::jmax (1, plugin.getTotalNumInputChannels(), plugin.getTotalNumOutputChannels())),
          buffer (numChannels, maximumBlockSize),
          noise (seed)
    {
        midi.ensureSize (1024);
    }

    void process (int numSamples, bool silent = false)
    {
        jassert (numSamples <= buffer.getNumSamples());
        buffer.clear();

        if (! silent)
            for (int channel = 0; channel < plugin.getTotalNumInputChannels(); ++channel)
            {
                auto* samples = buffer.getWritePointer (channel);
                for (int i = 0; i < numSamples; ++i)
                    samples[i] = noise.nextFloat() - 0.5f;
            }

        juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), numChannels, numSamples);
        midi.clear();

        {
            const juce::ScopedLock lock (plugin.getCallbackLock());
            plugin.processBlock (block, midi);
        }

        check.scan (block, plugin.getTotalNumOutputChannels(), numSamples);
        ++blocks;
    }

    /** Noise for the given time, then half a second of silence, in blocks
        the function chooses. */
    void processNoiseThenSilence (double sampleRate, double seconds, const std::function<int()>& nextBlockSize)
    {
        const auto noiseSamples = (juce::int64) (seconds * sampleRate);
        const auto total = noiseSamples + (juce::int64) (0.5 * sampleRate);

        for (juce::int64 position = 0; position < total;)
        {
            const auto n = (int) juce::jmin ((juce::int64) nextBlockSize(), total - position);
            process (n, position >= noiseSamples);
            position += n;
        }
    }

    const OutputSampleCheck& getCheck() const noexcept { return check; }
    juce::int64 getBlocks() const noexcept            { return blocks; }

private:
    juce::AudioPluginInstance& plugin;
    const int numChannels;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    juce::Random noise;
    OutputSampleCheck check;
    juce::int64 blocks = 0;
};

namespace
{
    using Outcome = PluginValidator::Outcome;

    Outcome outcome (bool passed, const juce::String& detail)
    {
        return { {}, passed ? Outcome::passed : Outcome::failed, detail };
    }

    juce::String describeOutput (const OutputSampleCheck& check)
    {
        if (check.isClean())
            return juce::String (check.getSamplesScanned()) + " frames clean";

        return juce::String (check.getNumBadSamples()) + " bad output samples, the first " + check.getFirstOffence();
    }

    /** Where two states first differ, with a little of each around it when
        that is text. */
    juce::String describeDifference (const juce::MemoryBlock& expected, const juce::MemoryBlock& actual)
    {
        const auto* a = static_cast<const char*> (expected.getData());
        const auto* b = static_cast<const char*> (actual.getData());
        const auto common = juce::jmin (expected.getSize(), actual.getSize());
        size_t at = 0;

        while (at < common && a[at] == b[at])
            ++at;

        const auto excerpt = [at] (const char* data, size_t size)
        {
            const auto from = at > 20 ? at - 20 : 0;
            juce::String text;

            for (auto i = from; i < juce::jmin (size, at + 40); ++i)
                text << (data[i] >= 32 && data[i] < 127 ? juce::String::charToString ((juce::juce_wchar) data[i]) : juce::String ("."));

            return "\"" + text + "\"";
        };

        return "first difference at byte " + juce::String ((juce::int64) at) + ": " + excerpt (a, expected.getSize())
             + " saved as " + excerpt (b, actual.getSize());
    }

    juce::String parameterName (const juce::AudioProcessorParameter& parameter)
    {
        return "'" + parameter.getName (64) + "' (" + juce::String (parameter.getParameterIndex()) + ")";
    }

    /** Processes blocks on a thread of its own, paced roughly like a host's
        audio callback, until stopped. */
    class AudioThread
    {
    public:
        AudioThread (PluginValidator::NoiseHost& hostToUse, double sampleRate, int blockSize)
            : host (hostToUse),
              thread ([this, sampleRate, blockSize]
              {
                  const auto period = blockSize / sampleRate;
                  auto next = juce::Time::getMillisecondCounterHiRes();

                  while (! stopping.load())
                  {
                      host.process (blockSize);
                      next += period * 1000.0 * 0.5;   // twice real time: more blocks per check
                      const auto wait = next - juce::Time::getMillisecondCounterHiRes();
                      if (wait > 0)
                          std::this_thread::sleep_for (std::chrono::microseconds ((int) (wait * 1000.0)));
                  }
              })
        {
        }

        ~AudioThread() { stop(); }

        void stop()
        {
            stopping = true;
            if (thread.joinable())
                thread.join();
        }

    private:
        PluginValidator::NoiseHost& host;
        std::atomic<bool> stopping { false };
        std::thread thread;
    };

    /** What a host automates and saves: VST3 plug-ins also list parameters
        that stand for MIDI controllers, which are input, not state. */
    juce::Array<juce::AudioProcessorParameter*> automatableParameters (juce::AudioPluginInstance& instance)
    {
        juce::Array<juce::AudioProcessorParameter*> parameters;
        for (auto* parameter : instance.getParameters())
            if (parameter->isAutomatable())
                parameters.add (parameter);

        return parameters;
    }

    bool hasDisplay()
    {
        return XDisplay::isAllowed() && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }
}

PluginValidator::PluginValidator (juce::AudioPluginInstance& pluginToUse, Settings settingsToUse, InstanceFactory factory)
    : plugin (pluginToUse), settings (settingsToUse), makeInstance (std::move (factory)), random (settingsToUse.seed)
{
}

PluginValidator::~PluginValidator()
{
    host.reset();
    plugin.releaseResources();
}

void PluginValidator::prepare (double sampleRate, int maximumBlockSize)
{
    host.reset();
    plugin.releaseResources();
    plugin.setRateAndBufferSizeDetails (sampleRate, maximumBlockSize);
    plugin.prepareToPlay (sampleRate, maximumBlockSize);
    host = std::make_unique<NoiseHost> (plugin, maximumBlockSize, random.nextInt64());
}

void PluginValidator::settle()
{
    // VST3 edit controllers and LV2 plug-ins hear about some changes on the
    // message thread; give them a moment, with a block for the processor.
    host->process (64);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
    host->process (64);
}

void PluginValidator::randomiseParameter (juce::AudioProcessorParameter& parameter)
{
    parameter.setValue (random.nextFloat());
}

const std::vector<PluginValidator::Check>& PluginValidator::getChecks()
{
    static const std::vector<Check> checks {
        { "state round trip", &PluginValidator::checkStateRoundTrip },
        { "damaged state", &PluginValidator::checkDamagedState },
        { "parameter values and texts", &PluginValidator::checkParameterValuesAndTexts },
        { "automation every 32 samples", &PluginValidator::checkAutomationEvery32Samples },
        { "sample rates and block sizes", &PluginValidator::checkSampleRatesAndBlockSizes },
        { "extreme and bad sample rates", &PluginValidator::checkExtremeAndBadSampleRates },
        { "blocks larger than prepared", &PluginValidator::checkBlocksLargerThanPrepared },
        { "editor opened and closed while processing", &PluginValidator::checkEditorWhileProcessing },
        { "parameters set from another thread", &PluginValidator::checkParametersFromAnotherThread },
        { "instances on several threads", &PluginValidator::checkInstancesOnSeveralThreads },
    };

    return checks;
}

std::vector<PluginValidator::Outcome> PluginValidator::runAll (const std::function<void (const Outcome&)>& report,
                                                               const std::function<void (const char*)>& starting)
{
    std::vector<Outcome> outcomes;

    for (const auto& check : getChecks())
    {
        if (starting)
            starting (check.name);

        outcomes.push_back ((this->*check.run)());
        outcomes.back().name = check.name;

        if (report)
            report (outcomes.back());
    }

    return outcomes;
}

juce::MemoryBlock PluginValidator::stateAfterSomeAudio()
{
    prepare (44100.0, 512);
    host->processNoiseThenSilence (44100.0, 0.1, [] { return 512; });
    settle();

    juce::MemoryBlock state;
    plugin.getStateInformation (state);
    return state;
}

PluginValidator::Outcome PluginValidator::checkStateRoundTrip()
{
    const auto first = stateAfterSomeAudio();

    const auto parameters = automatableParameters (plugin);

    std::vector<float> saved;
    for (auto* parameter : parameters)
        saved.push_back (parameter->getValue());

    for (auto* parameter : parameters)
        randomiseParameter (*parameter);
    settle();

    plugin.setStateInformation (first.getData(), (int) first.getSize());
    settle();

    double largest = 0.0;
    juce::String worst;
    for (int i = 0; i < parameters.size(); ++i)
    {
        const auto deviation = std::abs ((double) parameters[i]->getValue() - (double) saved[(size_t) i]);
        if (! (deviation <= largest))
        {
            largest = deviation;
            worst = parameterName (*parameters[i]) + " " + juce::String (saved[(size_t) i], 7) + " -> "
                  + juce::String (parameters[i]->getValue(), 7);
        }
    }

    juce::MemoryBlock second;
    plugin.getStateInformation (second);

    const auto valuesBack = largest <= 1.0e-6;
    const auto identical = first == second;
    auto detail = juce::String (parameters.size()) + " automatable parameters, largest deviation " + juce::String (largest, 9)
                + (valuesBack ? "" : " at " + worst) + "; second save of " + juce::String ((int) second.getSize())
                + " bytes " + (identical ? "identical" : "differs from the first (" + juce::String ((int) first.getSize()) + " bytes)");

    if (first.isEmpty())
        detail << " (the plug-in saves no state: a project keeps none of its settings)";

    return outcome (valuesBack && identical && host->getCheck().isClean(),
                    host->getCheck().isClean() ? detail : detail + "; " + describeOutput (host->getCheck()));
}

PluginValidator::Outcome PluginValidator::checkDamagedState()
{
    // JUCE's LV2 host hands over its own Turtle document of the plug-in's
    // state properties, and its parser (lilv's) crashes on some damaged
    // ones: damaging it would test the host, not the plug-in.
    if (plugin.getPluginDescription().pluginFormatName == "LV2")
        return { {}, Outcome::skipped, "an LV2 host keeps the state in a document of its own" };

    const auto whole = stateAfterSomeAudio();

    if (whole.isEmpty())
        return { {}, Outcome::skipped, "the plug-in saves no state" };

    // A project file cut short or with bytes gone wrong, as a host hands it over.
    const auto size = (int) whole.getSize();
    int restores = 0;

    const auto restoreDamaged = [&] (const juce::MemoryBlock& damaged)
    {
        plugin.setStateInformation (damaged.getData(), (int) damaged.getSize());
        host->process (64);
        ++restores;
    };

    for (int cuts = 0; cuts < 24; ++cuts)
        restoreDamaged (juce::MemoryBlock (whole.getData(), (size_t) (cuts == 0 ? 1 : (juce::int64) size * cuts / 24)));

    for (int flips = 0; flips < 24; ++flips)
    {
        auto damaged = whole;
        auto* bytes = static_cast<juce::uint8*> (damaged.getData());

        for (int n = 0; n < 1 + flips % 4; ++n)
            bytes[random.nextInt (size)] ^= (juce::uint8) (1 + random.nextInt (255));

        restoreDamaged (damaged);
    }

    // The whole state still restores, and saves again as it was.
    plugin.setStateInformation (whole.getData(), (int) whole.getSize());
    settle();
    juce::MemoryBlock again;
    plugin.getStateInformation (again);
    const auto restored = again == whole;

    const auto& check = host->getCheck();
    auto detail = juce::String (restores) + " damaged states restored (" + juce::String (size) + " bytes whole); the whole state "
                + (restored ? "restored after them" : "saves differently after them");

    if (! check.isClean())
        detail << "; " << describeOutput (check);

    return outcome (restored && check.isClean(), detail);
}

PluginValidator::Outcome PluginValidator::checkParameterValuesAndTexts()
{
    prepare (44100.0, 512);

    int values = 0, outOfRange = 0, mismatches = 0, refused = 0;
    juce::StringArray examples;

    for (auto* parameter : plugin.getParameters())
    {
        for (int k = 0; k < settings.valuesPerParameter; ++k)
        {
            // The ends first, then values anywhere.
            parameter->setValue (k == 0 ? 0.0f : k == 1 ? 1.0f : random.nextFloat());
            host->process (32);
            ++values;

            const auto value = parameter->getValue();
            if (! std::isfinite (value) || value < 0.0f || value > 1.0f)
            {
                if (++outOfRange <= 3)
                    examples.add (parameterName (*parameter) + " reads " + juce::String (value));
                continue;
            }

            const auto shown = parameter->getCurrentValueAsText();

            if (! enterParameterText (plugin, *parameter, shown))
            {
                if (++refused <= 3)
                    examples.add (parameterName (*parameter) + " refused its own text \"" + shown + "\"");
                continue;
            }

            host->process (32);
            const auto shownAgain = parameter->getCurrentValueAsText();

            if (shownAgain != shown && ++mismatches <= 3)
                examples.add (parameterName (*parameter) + " \"" + shown + "\" entered shows \"" + shownAgain + "\"");
        }
    }

    const auto& check = host->getCheck();
    // A plug-in that takes no text at all offers no text entry (optional in
    // every format): only the values are checked then.
    const auto entered = values - outOfRange;
    const bool noTextEntry = entered > 0 && refused == entered;

    if (noTextEntry)
    {
        refused = 0;
        examples.clear();
    }

    auto detail = juce::String (values) + " values on " + juce::String (plugin.getParameters().size())
                + " parameters; " + (noTextEntry ? juce::String ("text entry not offered (skipped)")
                                                 : juce::String (mismatches) + " texts not round-tripped, "
                                                       + juce::String (refused) + " refused")
                + ", " + juce::String (outOfRange) + " values out of range";

    if (! examples.isEmpty())
        detail << " (" << examples.joinIntoString ("; ") << ")";
    if (! check.isClean())
        detail << "; " << describeOutput (check);

    return outcome (mismatches == 0 && refused == 0 && outOfRange == 0 && check.isClean(), detail);
}

PluginValidator::Outcome PluginValidator::checkAutomationEvery32Samples()
{
    prepare (44100.0, 512);

    const auto& parameters = plugin.getParameters();
    int changes = 0;

    host->processNoiseThenSilence (44100.0, settings.secondsPerCase, [&]
    {
        if (! parameters.isEmpty())
            for (int n = 1 + random.nextInt (3); --n >= 0; ++changes)
                randomiseParameter (*parameters[random.nextInt (parameters.size())]);

        return 32;
    });

    const auto& check = host->getCheck();
    return outcome (check.isClean(),
                    juce::String (changes) + " changes in " + juce::String (host->getBlocks()) + " blocks; "
                    + describeOutput (check));
}

PluginValidator::Outcome PluginValidator::checkSampleRatesAndBlockSizes()
{
    juce::StringArray faults;
    juce::int64 frames = 0;
    int cases = 0;

    for (const auto rate : { 44100.0, 48000.0, 96000.0 })
        for (const auto blockSize : { 64, 128, 256, 512, 1024, 0 })
        {
            // 0 stands for block sizes that change from block to block.
            const auto varying = blockSize == 0;
            prepare (rate, varying ? 1024 : blockSize);
            host->processNoiseThenSilence (rate, settings.secondsPerCase, [&]
            {
                return varying ? 1 + random.nextInt (1024) : blockSize;
            });

            ++cases;
            frames += host->getCheck().getSamplesScanned();

            if (! host->getCheck().isClean())
                faults.add (juce::String (rate / 1000.0, 1) + " kHz, "
                            + (varying ? juce::String ("varying blocks") : "blocks of " + juce::String (blockSize))
                            + ": " + describeOutput (host->getCheck()));
        }

    auto detail = juce::String (cases) + " cases, " + juce::String (frames) + " frames";
    if (! faults.isEmpty())
        detail << "; " << faults.joinIntoString ("; ");

    return outcome (faults.isEmpty(), detail);
}

PluginValidator::Outcome PluginValidator::checkExtremeAndBadSampleRates()
{
    juce::StringArray faults;
    const auto seconds = juce::jmax (0.1, settings.secondsPerCase * 0.5);

    const auto run = [&] (double rate, double noiseRate, const juce::String& label)
    {
        prepare (rate, 512);
        host->processNoiseThenSilence (noiseRate, seconds, [] { return 512; });

        if (! host->getCheck().isClean())
            faults.add (label + ": " + describeOutput (host->getCheck()));
    };

    for (const auto rate : { 8000.0, 11025.0, 22050.0, 192000.0, 384000.0 })
        run (rate, rate, juce::String (rate / 1000.0, 3).trimCharactersAtEnd ("0").trimCharactersAtEnd (".") + " kHz");

    // An LV2 plug-in is instantiated at its rate, which the host must know.
    const auto format = plugin.getPluginDescription().pluginFormatName;
    const bool anyRate = format != "LV2";

    if (anyRate)
    {
        const std::pair<double, const char*> badRates[] {
            { 0.0, "0 Hz" }, { -44100.0, "-44.1 kHz" },
            { std::numeric_limits<double>::quiet_NaN(), "NaN" }, { std::numeric_limits<double>::infinity(), "infinite" } };

        for (const auto& [rate, label] : badRates)
        {
            run (rate, 44100.0, label);
            run (44100.0, 44100.0, juce::String ("44.1 kHz after ") + label);
        }
    }

    auto detail = juce::String ("8 kHz to 384 kHz")
                + (anyRate ? ", and 0 Hz, negative, NaN and infinite rates each followed by 44.1 kHz"
                           : "; bad rates skipped (" + format + " instantiates at a rate)");

    if (! faults.isEmpty())
        detail << "; " << faults.joinIntoString ("; ");

    return outcome (faults.isEmpty(), detail);
}

PluginValidator::Outcome PluginValidator::checkBlocksLargerThanPrepared()
{
    // VST3 and LV2 hosts never send more than the block size they set up;
    // VST 2.4 hosts are known to announce one size and send another.
    if (plugin.getPluginDescription().pluginFormatName != "VST")
        return { {}, Outcome::skipped, "the format has no blocks beyond the prepared size" };

    constexpr int prepared = 256, largest = 8192;
    host.reset();
    plugin.releaseResources();
    plugin.setRateAndBufferSizeDetails (44100.0, prepared);
    plugin.prepareToPlay (44100.0, prepared);
    host = std::make_unique<NoiseHost> (plugin, largest, random.nextInt64());
    host->processNoiseThenSilence (44100.0, settings.secondsPerCase, [this] { return prepared + 1 + random.nextInt (largest - prepared); });

    const auto& check = host->getCheck();
    return outcome (check.isClean() && host->getBlocks() > 0,
                    juce::String (host->getBlocks()) + " blocks of " + juce::String (prepared + 1) + " to " + juce::String (largest)
                    + " samples after a prepare for " + juce::String (prepared) + "; " + describeOutput (check));
}

PluginValidator::Outcome PluginValidator::checkEditorWhileProcessing()
{
    if (! settings.withEditor)
        return { {}, Outcome::skipped, "not asked for" };
    if (! plugin.hasEditor())
        return { {}, Outcome::skipped, "the plug-in has no editor" };
    if (! hasDisplay())
        return { {}, Outcome::skipped, "no X display" };

    ScreenCapture::ignoreHarmlessXErrors();
    prepare (44100.0, 512);
    int opened = 0;
    juce::String problem;

    {
        AudioThread audio (*host, 44100.0, 512);

        for (int cycle = 0; cycle < settings.editorCycles && problem.isEmpty(); ++cycle)
        {
            std::unique_ptr<juce::AudioProcessorEditor> editor (plugin.createEditorIfNeeded());

            if (editor == nullptr)
            {
                problem = "cycle " + juce::String (cycle + 1) + " gave no editor";
                break;
            }

            ++opened;
            EditorWindow window (*editor);
            window.show();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (120 + random.nextInt (120));
            window.closeEditor (editor);
            window.removeFromDesktop();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20 + random.nextInt (60));
        }

        audio.stop();
    }

    const auto& check = host->getCheck();
    auto detail = juce::String (opened) + " editors opened and closed over " + juce::String (host->getBlocks())
                + " blocks; " + describeOutput (check);
    if (problem.isNotEmpty())
        detail << "; " << problem;

    return outcome (problem.isEmpty() && check.isClean() && host->getBlocks() > 0, detail);
}

PluginValidator::Outcome PluginValidator::checkParametersFromAnotherThread()
{
    const auto& parameters = plugin.getParameters();

    if (parameters.isEmpty())
        return { {}, Outcome::skipped, "the plug-in has no parameters" };

    prepare (44100.0, 512);
    std::atomic<int> changes { 0 };
    std::atomic<bool> stopping { false };

    {
        AudioThread audio (*host, 44100.0, 512);

        std::thread automation ([&, seed = random.nextInt64()]
        {
            juce::Random own (seed);
            while (! stopping.load())
            {
                parameters[own.nextInt (parameters.size())]->setValue (own.nextFloat());
                ++changes;
                std::this_thread::sleep_for (std::chrono::microseconds (200));
            }
        });

        // The message thread keeps running meanwhile, as in a host.
        juce::MessageManager::getInstance()->runDispatchLoopUntil ((int) (settings.secondsPerCase * 1000.0));
        stopping = true;
        automation.join();
        audio.stop();
    }

    const auto& check = host->getCheck();
    return outcome (check.isClean() && host->getBlocks() > 0,
                    juce::String (changes.load()) + " changes during " + juce::String (host->getBlocks())
                    + " blocks; " + describeOutput (check));
}

PluginValidator::Outcome PluginValidator::checkInstancesOnSeveralThreads()
{
    if (! makeInstance)
        return { {}, Outcome::skipped, "no further instances can be made here" };

    struct Running
    {
        std::unique_ptr<juce::AudioPluginInstance> instance;
        std::unique_ptr<NoiseHost> host;
        std::unique_ptr<AudioThread> audio;
    };

    // Each instance its own block size, so their threads never run in step.
    constexpr int blockSizes[] { 64, 256, 512, 1024 };
    std::vector<Running> running;

    for (int i = 0; i < settings.concurrentInstances; ++i)
    {
        auto instance = makeInstance();

        if (instance == nullptr)
            return outcome (false, "instance " + juce::String (i + 1) + " could not be made");

        const auto blockSize = blockSizes[i % 4];
        instance->setRateAndBufferSizeDetails (44100.0, blockSize);
        instance->prepareToPlay (44100.0, blockSize);
        auto instanceHost = std::make_unique<NoiseHost> (*instance, blockSize, random.nextInt64());
        running.push_back ({ std::move (instance), std::move (instanceHost), nullptr });
    }

    for (size_t i = 0; i < running.size(); ++i)
        running[i].audio = std::make_unique<AudioThread> (*running[i].host, 44100.0, blockSizes[i % 4]);

    // While every instance processes, the host saves one instance's state
    // (after moving a few of its parameters) and restores it into another.
    const auto count = (int) running.size();
    int transfers = 0;
    const auto end = juce::Time::getMillisecondCounterHiRes() + juce::jmax (300.0, settings.secondsPerCase * 2000.0);

    while (juce::Time::getMillisecondCounterHiRes() < end)
    {
        auto& from = *running[(size_t) random.nextInt (count)].instance;
        auto& to = *running[(size_t) random.nextInt (count)].instance;

        if (const auto parameters = automatableParameters (from); ! parameters.isEmpty())
            for (int n = 1 + random.nextInt (3); --n >= 0;)
                randomiseParameter (*parameters[random.nextInt (parameters.size())]);

        juce::MemoryBlock state;
        from.getStateInformation (state);
        to.setStateInformation (state.getData(), (int) state.getSize());
        ++transfers;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5 + random.nextInt (20));
    }

    for (auto& r : running)
        r.audio->stop();

    // Then each instance is given a state of its own, and must keep it.
    const auto settleAll = [&]
    {
        for (auto& r : running)
            r.host->process (64);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
        for (auto& r : running)
            r.host->process (64);
    };

    std::vector<juce::MemoryBlock> own;

    for (auto& r : running)
    {
        for (auto* parameter : automatableParameters (*r.instance))
            randomiseParameter (*parameter);

        r.host->process (64);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
        r.instance->getStateInformation (own.emplace_back());
    }

    for (int i = 0; i < count; ++i)
        running[(size_t) i].instance->setStateInformation (own[(size_t) i].getData(), (int) own[(size_t) i].getSize());

    settleAll();

    juce::StringArray faults;
    juce::int64 blocks = 0;

    for (int i = 0; i < count; ++i)
    {
        auto& r = running[(size_t) i];
        juce::MemoryBlock saved;
        r.instance->getStateInformation (saved);

        if (saved != own[(size_t) i])
            faults.add ("instance " + juce::String (i + 1) + " saves another state than its own ("
                        + juce::String ((int) saved.getSize()) + " bytes, its own " + juce::String ((int) own[(size_t) i].getSize())
                        + "; " + describeDifference (own[(size_t) i], saved) + ")");

        if (! r.host->getCheck().isClean())
            faults.add ("instance " + juce::String (i + 1) + ": " + describeOutput (r.host->getCheck()));

        blocks += r.host->getBlocks();
    }

    for (auto& r : running)
    {
        r.host.reset();
        r.instance->releaseResources();
    }

    running.clear();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

    auto detail = juce::String (count) + " instances, " + juce::String (blocks) + " blocks on their own threads, "
                + juce::String (transfers) + " states saved from one and restored into another while processing";
    if (! faults.isEmpty())
        detail << "; " << faults.joinIntoString ("; ");

    return outcome (faults.isEmpty() && blocks > 0, detail);
}
