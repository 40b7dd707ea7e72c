#include <gtest/gtest.h>

#include "midi/MidiControl.h"
#include "parameters/Parameter.h"
#include "TestProduct.h"
#include "TestSettingsFolder.h"

#include <vector>

namespace
{
    // A core that records what the frame asks of it: the length of every
    // processing call, and each parameter change with the sample (counted
    // from the first processed one) at which it arrived.
    class RecordingCore : public EffectCore
    {
    public:
        struct Change { juce::int64 atSample; int index; float value; };

        std::vector<int> calls;
        std::vector<bool> callWasStereo;
        std::vector<Change> changes;
        std::vector<int> qualities;
        juce::int64 processed = 0;
        int latency = 0;

        void setParameter (int index, float value) override { changes.push_back ({ processed, index, value }); }
        void setQuality (int level) override                { qualities.push_back (level); }
        int getLatencySamples() override                    { return latency; }

        void processStereo (float** l, float** r, int n) override
        {
            record (n, true);

            for (int i = 0; i < n; ++i)
            {
                (*l)[i] *= 0.5f;
                (*r)[i] *= 0.25f;
            }
        }

        void processMono (float** channel, int n) override
        {
            record (n, false);

            for (int i = 0; i < n; ++i)
                (*channel)[i] *= 0.5f;
        }

        std::vector<juce::int64> changesOf (int index) const
        {
            std::vector<juce::int64> at;
            for (const auto& c : changes)
                if (c.index == index)
                    at.push_back (c.atSample);
            return at;
        }

    private:
        void record (int n, bool isStereo)
        {
            calls.push_back (n);
            callWasStereo.push_back (isStereo);
            processed += n;
        }
    };

    class FrameProduct : public TestProduct
    {
    public:
        FrameProduct() : TestProduct (21) {}

        RecordingCore* recorder = nullptr;

        std::unique_ptr<Core> createCore() override
        {
            auto created = std::make_unique<RecordingCore>();
            recorder = created.get();
            return created;
        }

        juce::String getPluginName() const override           { return "Korvane"; }
        int getNumHostParameters() const override             { return 21; }
        bool hasQualitySetting() const override               { return true; }
    };

    juce::MidiBuffer programChanges (std::initializer_list<std::pair<int, int>> positionsAndPrograms)
    {
        juce::MidiBuffer midi;
        for (const auto& [position, program] : positionsAndPrograms)
            midi.addEvent (juce::MidiMessage::programChange (1, program), position);
        return midi;
    }

    void processBlock (FrameProduct& product, int numSamples, juce::MidiBuffer midi = {})
    {
        juce::AudioBuffer<float> buffer (2, numSamples);
        buffer.clear();
        product.processBlock (buffer, midi);
    }

    constexpr int presetNumber = BasePluginOldStyle::currentPresetNumberIdentifier;
}

TEST (EffectFrame, EveryParameterReachesTheCoreBeforeTheFirstPrepare)
{
    FrameProduct product;
    product.startUp();
    auto& core = *product.recorder;

    std::vector<bool> seen (22, false);
    for (const auto& c : core.changes)
        if (c.index >= 0 && c.index < 22)
            seen[(size_t) c.index] = true;

    for (int i = 0; i < 22; ++i)
        EXPECT_TRUE (seen[(size_t) i]) << i;

    EXPECT_FALSE (product.isAudioRunning());
    product.prepareToPlay (44100.0, 512);
    EXPECT_TRUE (product.isAudioRunning());
    product.releaseResources();
    EXPECT_FALSE (product.isAudioRunning());
}

TEST (EffectFrame, BlocksAreCutAtTheirEvents)
{
    FrameProduct product;
    product.startUp();
    product.prepareToPlay (44100.0, 512);
    auto& core = *product.recorder;
    core.changes.clear();

    // No event: one call for the block.
    processBlock (product, 512);
    EXPECT_EQ (core.calls, (std::vector<int> { 512 }));

    // A program change at sample 100: 100 samples, the change, 412 samples.
    processBlock (product, 512, programChanges ({ { 100, 4 } }));
    EXPECT_EQ (core.calls, (std::vector<int> { 512, 100, 412 }));
    ASSERT_FALSE (core.changesOf (0).empty());
    EXPECT_EQ (core.changesOf (0).front(), 512 + 100);
    EXPECT_EQ (product.getCurrentPresetIndex(), 4);

    // Three events on one sample: one cut, applied in buffer order.
    core.calls.clear();
    core.changes.clear();
    processBlock (product, 512, programChanges ({ { 200, 3 }, { 200, 5 }, { 200, 7 } }));
    EXPECT_EQ (core.calls, (std::vector<int> { 200, 312 }));
    std::vector<float> numbers;
    for (const auto& c : core.changes)
        if (c.index == presetNumber)
            numbers.push_back (c.value);
    EXPECT_EQ (numbers.size(), 3u);
    EXPECT_EQ (product.getCurrentPresetIndex(), 7);

    // An event at 600 of a 512-sample block lands at sample 88 of the next.
    core.calls.clear();
    core.changes.clear();
    const auto start = core.processed;
    processBlock (product, 512, programChanges ({ { 600, 9 } }));
    EXPECT_EQ (core.calls, (std::vector<int> { 512 }));
    EXPECT_EQ (product.getCurrentPresetIndex(), 7);
    processBlock (product, 512);
    EXPECT_EQ (core.calls, (std::vector<int> { 512, 88, 424 }));
    EXPECT_EQ (product.getCurrentPresetIndex(), 9);
    ASSERT_FALSE (core.changesOf (presetNumber).empty());
    EXPECT_EQ (core.changesOf (presetNumber).front(), start + 600);

    // An event at the very first sample cuts nothing off before it.
    core.calls.clear();
    processBlock (product, 64, programChanges ({ { 0, 2 }, { 63, 3 } }));
    EXPECT_EQ (core.calls, (std::vector<int> { 63, 1 }));
    EXPECT_EQ (product.getCurrentPresetIndex(), 3);

    // Other messages do not cut the block into pieces that change anything.
    core.changes.clear();
    juce::MidiBuffer notes;
    notes.addEvent (juce::MidiMessage::noteOn (1, 60, 0.5f), 10);
    processBlock (product, 64, notes);
    EXPECT_TRUE (core.changes.empty());
}

TEST (EffectFrame, AMappedControllerChangesItsParameterOnItsSample)
{
    FrameProduct product;
    product.startUp();
    product.prepareToPlay (44100.0, 512);
    auto& core = *product.recorder;
    auto* volume = product.getParameterManager().getParameterByName ("Output Volume");
    product.getMidiControl().assignController (7, volume, false);
    core.calls.clear();
    core.changes.clear();

    // Controller 7 on channel 10 at sample 100 of a 512-sample block.
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (10, 7, 127), 100);
    const auto start = core.processed;
    processBlock (product, 512, midi);

    EXPECT_EQ (core.calls, (std::vector<int> { 100, 412 }));
    ASSERT_EQ (core.changesOf (19).size(), 1u);
    EXPECT_EQ (core.changesOf (19).front(), start + 100);
    EXPECT_EQ (volume->getNormalisedValue(), 1.0f);

    // An unmapped controller cuts the block but changes nothing.
    core.changes.clear();
    midi.clear();
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 8, 0), 300);
    processBlock (product, 512, midi);
    EXPECT_TRUE (core.changes.empty());
}

TEST (EffectFrame, OneInputIsProcessedOnceAndSoundsOnBothOutputs)
{
    FrameProduct product;
    product.startUp();

    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::mono());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    ASSERT_TRUE (product.setBusesLayout (layout));
    product.prepareToPlay (44100.0, 32);

    juce::AudioBuffer<float> buffer (2, 32);
    for (int i = 0; i < 32; ++i)
    {
        buffer.setSample (0, i, 1.0f);
        buffer.setSample (1, i, 1.0f);   // whatever the host left there
    }

    juce::MidiBuffer midi;
    product.processBlock (buffer, midi);

    // The core runs once, on the mono channel; its output goes to both.
    EXPECT_EQ (product.recorder->callWasStereo, (std::vector<bool> { false }));
    EXPECT_EQ (buffer.getSample (0, 31), 0.5f);

    for (int i = 0; i < 32; ++i)
        ASSERT_EQ (buffer.getSample (1, i), buffer.getSample (0, i)) << i;
}

TEST (EffectFrame, QualityReachesTheCoreAtTheNextPrepare)
{
    // The quality new instances start with comes from the user settings.
    TestSettingsFolder settings;
    settings.write ("<UserSettings application=\"Korvane\"><QualitySettings default=\"high\"/></UserSettings>");
    FrameProduct product;
    product.startUp();
    auto& core = *product.recorder;

    auto* quality = product.getParameterManager().getParameterByName ("Quality");
    ASSERT_NE (quality, nullptr);
    EXPECT_FLOAT_EQ (quality->getNormalisedValue(), 0.6666667f);
    EXPECT_EQ (product.getQualityLevel(), 2);

    product.prepareToPlay (44100.0, 512);
    EXPECT_EQ (core.qualities, (std::vector<int> { 2 }));

    // Changed while running: the core hears nothing until the next prepare.
    quality->setNormalisedValue (HalcyonEffect::qualityValueForLevel (3), true);
    processBlock (product, 512);
    EXPECT_EQ (core.qualities, (std::vector<int> { 2 }));
    product.releaseResources();
    product.prepareToPlay (48000.0, 256);
    EXPECT_EQ (core.qualities, (std::vector<int> { 2, 3 }));

    // Levels stored as level × 0.33333334 read back as the same level.
    for (int level = 0; level < 4; ++level)
    {
        quality->setNormalisedValue (HalcyonEffect::qualityValueForLevel (level), false);
        EXPECT_EQ (product.getQualityLevel(), level);
    }

    // The core's latency becomes the processor's at prepare.
    core.latency = 17;
    product.prepareToPlay (44100.0, 512);
    EXPECT_EQ (product.getLatencySamples(), 17);
}
