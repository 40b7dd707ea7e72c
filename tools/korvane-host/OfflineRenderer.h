#pragma once

#include "MidiEventList.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

/*  Runs audio through a plug-in offline, block by block, the way a host's
    audio thread does: prepare once, then fixed-size blocks (the last one
    shorter), MIDI events delivered at their sample offsets inside the block
    they fall in.

    Input channel i feeds the plug-in's input i; a plug-in with more inputs
    than the audio has channels gets the last channel again. The result has
    the plug-in's output channels.
*/
class OfflineRenderer
{
public:
    OfflineRenderer (juce::AudioPluginInstance& plugin, double sampleRate, int blockSize);
    ~OfflineRenderer();

    using Progress = std::function<void (double fractionDone)>;

    juce::AudioBuffer<float> render (const juce::AudioBuffer<float>& input, int numOutputSamples,
                                     const MidiEventList& midi = {}, const Progress& progress = {});

    using BlockHook = std::function<void (juce::int64 position)>;

    /** Processes `numSamples` of `input` (looping over it) without keeping the
        result: the loop a benchmark times. The hook, when given, runs before
        each block, as a host's automation does. */
    void process (const juce::AudioBuffer<float>& input, juce::int64 numSamples, const BlockHook& beforeBlock = {});

    int getNumChannels() const noexcept { return numChannels; }

private:
    void fillBlock (const juce::AudioBuffer<float>& input, juce::int64 position, int numSamples);

    juce::AudioPluginInstance& plugin;
    const int blockSize;
    int numChannels = 0;
    juce::AudioBuffer<float> block;
    juce::MidiBuffer midiBlock;
};
