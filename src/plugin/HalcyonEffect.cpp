#include "plugin/HalcyonEffect.h"

HalcyonEffect::HalcyonEffect (int presetParameters)
    : BasePluginOldStyle (presetParameters, 0, stereoBuses())
{
}

juce::AudioProcessor::BusesProperties HalcyonEffect::stereoBuses()
{
    return BusesProperties()
        .withInput ("Input", juce::AudioChannelSet::stereo(), true)
        .withOutput ("Output", juce::AudioChannelSet::stereo(), true);
}

bool HalcyonEffect::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    if (layouts.inputBuses.size() != 1 || layouts.outputBuses.size() != 1)
        return false;

    const auto in = layouts.getMainInputChannelSet();
    return layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo()
        && (in == juce::AudioChannelSet::stereo() || in == juce::AudioChannelSet::mono());
}

void HalcyonEffect::prepareToPlay (double, int)
{
    audioRunning.exchange (1);
}

void HalcyonEffect::releaseResources()
{
    audioRunning.exchange (0);
}

void HalcyonEffect::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    // Until a DSP core processes it, audio passes through unchanged; output
    // channels without an input are cleared.
    const auto numSamples = buffer.getNumSamples();

    for (int channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, numSamples);
}
