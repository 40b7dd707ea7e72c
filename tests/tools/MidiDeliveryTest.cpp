#include <gtest/gtest.h>

#include "MidiEventList.h"
#include "OfflineRenderer.h"

#include <stdexcept>

namespace
{
    // A plug-in that remembers at which absolute sample each MIDI event
    // arrived and which block sizes it was given.
    class RecordingPlugin : public juce::AudioPluginInstance
    {
    public:
        RecordingPlugin()
            : juce::AudioPluginInstance (BusesProperties()
                                             .withInput ("In", juce::AudioChannelSet::stereo())
                                             .withOutput ("Out", juce::AudioChannelSet::stereo())) {}

        std::vector<juce::int64> arrivals;
        std::vector<int> blockSizes;
        juce::int64 samplesSeen = 0;

        void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override
        {
            for (const auto metadata : midi)
                arrivals.push_back (samplesSeen + metadata.samplePosition);

            blockSizes.push_back (buffer.getNumSamples());
            samplesSeen += buffer.getNumSamples();
            buffer.applyGain (0.5f);
        }

        void fillInPluginDescription (juce::PluginDescription& d) const override { d.name = "Recorder"; }
        const juce::String getName() const override { return "Recorder"; }
        void prepareToPlay (double, int) override {}
        void releaseResources() override {}
        double getTailLengthSeconds() const override { return 0.0; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        bool hasEditor() const override { return false; }
        int getNumPrograms() override { return 1; }
        int getCurrentProgram() override { return 0; }
        void setCurrentProgram (int) override {}
        const juce::String getProgramName (int) override { return {}; }
        void changeProgramName (int, const juce::String&) override {}
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}
    };
}

TEST (MidiEventFile, ReadsPositionsStatusAndDataInDecimalOrHex)
{
    const auto list = MidiEventList::parse ("# controller moves\n"
                                            "600 0xB0 7 100\n"
                                            "\n"
                                            "100, 176, 1, 0x7f\n"
                                            "100 0xC0 3 0\n");
    const auto& events = list.getEvents();
    ASSERT_EQ (events.size(), 3u);
    EXPECT_EQ (events[0].position, 100);
    EXPECT_EQ (events[0].status, 0xB0);
    EXPECT_EQ (events[0].data2, 0x7f);
    EXPECT_EQ (events[1].status, 0xC0);   // same position: file order kept
    EXPECT_EQ (events[2].position, 600);

    EXPECT_THROW (MidiEventList::parse ("100 0xB0 7"), std::runtime_error);
    EXPECT_THROW (MidiEventList::parse ("-5 0xB0 7 1"), std::runtime_error);
    EXPECT_THROW (MidiEventList::parse ("5 0x30 7 1"), std::runtime_error);
    EXPECT_THROW (MidiEventList::parse ("5 0xB0 128 1"), std::runtime_error);
    EXPECT_THROW (MidiEventList::parse ("five 0xB0 7 1"), std::runtime_error);
}

TEST (MidiEventFile, EventsArriveAtTheirSampleInsideTheBlocks)
{
    RecordingPlugin plugin;
    MidiEventList midi;

    for (juce::int64 position : { 0, 100, 511, 512, 600, 1023, 1100, 1100, 2047 })
        midi.add ({ position, 0xB0, 7, 64 });

    juce::AudioBuffer<float> input (2, 1500);
    input.clear();

    OfflineRenderer renderer (plugin, 44100.0, 512);
    const auto output = renderer.render (input, 1500, midi);

    // Events past the end of the render are not delivered.
    EXPECT_EQ (plugin.arrivals, (std::vector<juce::int64> { 0, 100, 511, 512, 600, 1023, 1100, 1100 }));
    EXPECT_EQ (plugin.blockSizes, (std::vector<int> { 512, 512, 476 }));
    EXPECT_EQ (output.getNumSamples(), 1500);
}

TEST (MidiEventFile, InputChannelsMapOntoThePlugin)
{
    RecordingPlugin plugin;
    juce::AudioBuffer<float> mono (1, 64);
    mono.clear();
    mono.setSample (0, 10, 1.0f);

    OfflineRenderer renderer (plugin, 48000.0, 32);
    const auto output = renderer.render (mono, 80);

    ASSERT_EQ (output.getNumChannels(), 2);
    EXPECT_FLOAT_EQ (output.getSample (0, 10), 0.5f);
    EXPECT_FLOAT_EQ (output.getSample (1, 10), 0.5f);   // the mono input feeds both
    EXPECT_FLOAT_EQ (output.getSample (0, 70), 0.0f);   // silence after the input
}
