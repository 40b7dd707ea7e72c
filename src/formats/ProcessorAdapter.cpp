#include "formats/ProcessorAdapter.h"

#include "dsp/EffectCore.h"
#include "formats/MessageLoop.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/HalcyonEffect.h"
#include "plugin/XmlNames.h"
#include "presets/Preset.h"

#include <juce_audio_plugin_client/utility/juce_CreatePluginFilter.h>

#include <cmath>
#include <stdexcept>

struct ProcessorAdapter::MessageThreadHolder
{
    MessageLoop::OwnThread thread;
};

namespace
{
    HalcyonEffect& effectOf (juce::AudioProcessor* processor)
    {
        auto* effect = dynamic_cast<HalcyonEffect*> (processor);

        if (effect == nullptr)
            throw std::runtime_error ("the product could not be created");

        return *effect;
    }

    // The largest MIDI block a host hands over at once, in bytes.
    constexpr int midiBytes = 16384;
}

ProcessorAdapter::ProcessorAdapter (juce::AudioProcessor::WrapperType wrapperType, const juce::String& formatName)
    : messageThread (std::make_unique<MessageThreadHolder>()),
      processor (juce::createPluginFilterOfType (wrapperType)),
      effect (effectOf (processor.get())),
      numParameters (juce::jlimit (0, maxParameters, effect.getNumHostParameters()))
{
    if (formatName.isNotEmpty())
        effect.setPluginFormatName (formatName);

    pieceMidi.ensureSize (midiBytes);
    processor->addListener (this);
}

ProcessorAdapter::~ProcessorAdapter()
{
    processor->removeListener (this);

    if (prepared)
        processor->releaseResources();

    processor.reset();
}

juce::AudioProcessor& ProcessorAdapter::getProcessor() noexcept
{
    return *processor;
}

//==============================================================================
float ProcessorAdapter::getParameter (int index) const
{
    return effect.getHostParameter (index);
}

void ProcessorAdapter::setParameterFromHost (int index, float normalisedValue)
{
    if (index >= 0 && index < numParameters && std::isfinite (normalisedValue))
        effect.setHostParameter (index, juce::jlimit (0.0f, 1.0f, normalisedValue));
}

juce::String ProcessorAdapter::getParameterName (int index) const
{
    return effect.getHostParameterName (index);
}

juce::String ProcessorAdapter::getParameterSymbol (int index) const
{
    if (auto* parameter = dynamic_cast<juce::AudioProcessorParameterWithID*> (processor->getParameters()[index]))
        return parameter->getParameterID();

    return {};
}

juce::String ProcessorAdapter::getParameterText (int index, float normalisedValue) const
{
    return effect.getHostParameterTextForValue (index, normalisedValue);
}

float ProcessorAdapter::getParameterValueForText (int index, const juce::String& text) const
{
    if (index < 0 || index >= numParameters)
        return std::nanf ("");

    return effect.findHostParameterValueForText (index, text).value_or (std::nanf (""));
}

float ProcessorAdapter::getParameterDefault (int index) const
{
    if (auto* parameter = processor->getParameters()[index])
        return parameter->getDefaultValue();

    return 0.0f;
}

std::vector<float> ProcessorAdapter::getFactoryStartValues()
{
    std::vector<float> values;

    for (int index = 0; index < numParameters; ++index)
        values.push_back (getParameter (index));

    // The first preset of the factory bank's first group.
    if (const auto bank = XmlNames::parseText (loadResourceString ("default.kvprsb")))
        if (auto* group = bank->getFirstChildElement(); group != nullptr && effect.isPresetGroupXml (*group))
            if (auto* first = group->getFirstChildElement(); first != nullptr && effect.isPresetXml (*first))
            {
                auto preset = effect.getBank().getDefaultValues();
                effect.loadPresetFromXml (*first, preset);
                std::copy_n (preset.values.begin(), juce::jmin (numParameters, preset.getCount()), values.begin());
            }

    return values;
}

//==============================================================================
void ProcessorAdapter::prepare (double sampleRate, int maximumBlockSize)
{
    blockSize = juce::jlimit (1, 1 << 16, maximumBlockSize);
    buffer.setSize (juce::jmax (2, processor->getTotalNumInputChannels(), processor->getTotalNumOutputChannels()), blockSize);
    buffer.clear();

    if (prepared)
        processor->releaseResources();

    processor->setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor->prepareToPlay (sampleRate, blockSize);
    prepared = true;
}

void ProcessorAdapter::release()
{
    if (prepared)
        processor->releaseResources();

    prepared = false;
}

void ProcessorAdapter::process (const float* const* inputs, int numInputs, float* const* outputs, int numOutputs,
                                int numSamples, const juce::MidiBuffer& midi, bool bypassed) noexcept
{
    try
    {
        if (! prepared || numSamples <= 0)
            throw std::logic_error ("not prepared");

        for (int offset = 0; offset < numSamples; offset += blockSize)
            processPiece (inputs, numInputs, outputs, numOutputs, offset, juce::jmin (blockSize, numSamples - offset), midi, bypassed);
    }
    catch (...)
    {
        for (int channel = 0; channel < numOutputs; ++channel)
            if (outputs[channel] != nullptr)
                juce::FloatVectorOperations::clear (outputs[channel], juce::jmax (0, numSamples));
    }
}

void ProcessorAdapter::processPiece (const float* const* inputs, int numInputs, float* const* outputs, int numOutputs,
                                     int offset, int numSamples, const juce::MidiBuffer& midi, bool bypassed)
{
    // The host's buffers may alias each other: the processor works on a copy.
    const auto channels = buffer.getNumChannels();

    for (int channel = 0; channel < channels; ++channel)
    {
        // A mono input is heard on both channels.
        const auto input = numInputs == 1 ? 0 : channel;

        if (input < numInputs && inputs[input] != nullptr)
            buffer.copyFrom (channel, 0, inputs[input] + offset, numSamples);
        else
            buffer.clear (channel, 0, numSamples);
    }

    pieceMidi.clear();

    for (const auto event : midi)
        if (event.samplePosition >= offset && event.samplePosition < offset + numSamples)
            pieceMidi.addEvent (event.data, event.numBytes, event.samplePosition - offset);

    juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), channels, numSamples);

    {
        const juce::ScopedLock lock (processor->getCallbackLock());

        if (bypassed)
            processor->processBlockBypassed (block, pieceMidi);
        else
            processor->processBlock (block, pieceMidi);
    }

    for (int channel = 0; channel < numOutputs; ++channel)
        if (outputs[channel] != nullptr)
            juce::FloatVectorOperations::copy (outputs[channel] + offset, buffer.getReadPointer (juce::jmin (channel, channels - 1)), numSamples);
}

int ProcessorAdapter::getLatencySamples() const noexcept
{
    return processor->getLatencySamples();
}

void ProcessorAdapter::getMeterLevels (float& left, float& right) const noexcept
{
    left = right = 0.0f;

    if (auto* core = effect.getCore())
        core->getMeterLevels (left, right);
}

//==============================================================================
juce::MemoryBlock ProcessorAdapter::getState()
{
    juce::MemoryBlock state;
    processor->getStateInformation (state);
    return state;
}

bool ProcessorAdapter::setState (const void* data, size_t size)
{
    if (size > (size_t) std::numeric_limits<int>::max())
        return false;

    if (auto* plugin = dynamic_cast<BasePlugin*> (processor.get()))
        return plugin->restoreState (data, (int) size);

    processor->setStateInformation (data, (int) size);
    return true;
}

//==============================================================================
void ProcessorAdapter::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float newValue)
{
    if (index < 0 || index >= numParameters)
        return;

    auto& pending = changes[(size_t) index];
    pending.value.store (newValue);
    pending.valueChanged.store (true);
    pending.any.store (true);

    if (changeCallback)
        changeCallback();
}

void ProcessorAdapter::audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&)
{
    processorChanged.store (true);
}

void ProcessorAdapter::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index)
{
    if (index >= 0 && index < numParameters)
    {
        ++changes[(size_t) index].begun;
        changes[(size_t) index].any.store (true);

        if (changeCallback)
            changeCallback();
    }
}

void ProcessorAdapter::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index)
{
    if (index >= 0 && index < numParameters)
    {
        ++changes[(size_t) index].ended;
        changes[(size_t) index].any.store (true);

        if (changeCallback)
            changeCallback();
    }
}
