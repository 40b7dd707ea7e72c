#pragma once

#include "presets/BasePluginOldStyle.h"

#include <atomic>

/*  The audio frame shared by the family's stereo effects: two inputs and two
    outputs (a mono input with stereo output is accepted too), MIDI in, no
    MIDI out. The DSP core and the block processing around it build on this.
*/
class HalcyonEffect : public BasePluginOldStyle
{
public:
    explicit HalcyonEffect (int numPresetParameters);

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    bool acceptsMidi() const override  { return true; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }

    /** 1 between prepareToPlay() and releaseResources(). */
    bool isAudioRunning() const noexcept { return audioRunning.load() != 0; }

private:
    static BusesProperties stereoBuses();

    std::atomic<int> audioRunning { 0 };
};
