#include "OfflineRenderer.h"

OfflineRenderer::OfflineRenderer (juce::AudioPluginInstance& pluginToUse, double sampleRate, int blockSizeToUse)
    : plugin (pluginToUse), blockSize (blockSizeToUse)
{
    plugin.setNonRealtime (true);
    plugin.setRateAndBufferSizeDetails (sampleRate, blockSize);
    plugin.prepareToPlay (sampleRate, blockSize);

    numChannels = juce::jmax (plugin.getTotalNumInputChannels(), plugin.getTotalNumOutputChannels(), 1);
    block.setSize (numChannels, blockSize);
    midiBlock.ensureSize (4096);
}

OfflineRenderer::~OfflineRenderer()
{
    plugin.releaseResources();
}

void OfflineRenderer::fillBlock (const juce::AudioBuffer<float>& input, juce::int64 position, int numSamples)
{
    block.setSize (numChannels, numSamples, false, false, true);
    block.clear();

    const auto inputs = plugin.getTotalNumInputChannels();
    const auto length = input.getNumSamples();

    if (length == 0 || input.getNumChannels() == 0)
        return;

    for (int channel = 0; channel < inputs; ++channel)
    {
        const auto* source = input.getReadPointer (juce::jmin (channel, input.getNumChannels() - 1));
        auto* destination = block.getWritePointer (channel);

        for (int i = 0; i < numSamples; ++i)
        {
            const auto at = position + i;
            destination[i] = at < length ? source[at] : 0.0f;
        }
    }
}

juce::AudioBuffer<float> OfflineRenderer::render (const juce::AudioBuffer<float>& input, int numOutputSamples,
                                                  const MidiEventList& midi, const Progress& progress)
{
    const auto outputs = plugin.getTotalNumOutputChannels();
    juce::AudioBuffer<float> output (outputs, numOutputSamples);
    output.clear();

    for (juce::int64 position = 0; position < numOutputSamples; position += blockSize)
    {
        const auto n = (int) juce::jmin ((juce::int64) blockSize, numOutputSamples - position);
        fillBlock (input, position, n);

        midiBlock.clear();
        midi.fillBlock (position, n, midiBlock);
        plugin.processBlock (block, midiBlock);

        for (int channel = 0; channel < outputs; ++channel)
            output.copyFrom (channel, (int) position, block, channel, 0, n);

        if (progress)
            progress ((double) (position + n) / (double) numOutputSamples);
    }

    return output;
}

void OfflineRenderer::process (const juce::AudioBuffer<float>& input, juce::int64 numSamples, const BlockHook& beforeBlock)
{
    const auto length = juce::jmax (1, input.getNumSamples());

    for (juce::int64 position = 0; position < numSamples; position += blockSize)
    {
        const auto n = (int) juce::jmin ((juce::int64) blockSize, numSamples - position);
        fillBlock (input, position % length, n);
        if (beforeBlock)
            beforeBlock (position);
        midiBlock.clear();
        plugin.processBlock (block, midiBlock);
    }
}
