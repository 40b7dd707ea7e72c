#include "plugin/HalcyonEffect.h"

#include "dsp/SampleRateConstants.h"
#include "editor/HalcyonEffectEditor.h"
#include "midi/MidiControl.h"
#include "plugin/XmlNames.h"

#include <cmath>

HalcyonEffect::HalcyonEffect (int presetParameters)
    : BasePluginOldStyle (presetParameters, 0, stereoBuses())
{
}

HalcyonEffect::~HalcyonEffect()
{
    shutDownEditor();

    // The core goes before the preset layer that still points at it.
    setPresetChanger (nullptr);

    if (core != nullptr)
        removePresetManagerListener (core.get());

    clocks.clear();
    core.reset();
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

std::unique_ptr<HalcyonEffect::Core> HalcyonEffect::createCore()
{
    return nullptr;
}

int HalcyonEffect::getQualityLevel() const
{
    const auto q = qualityParameter != nullptr ? qualityParameter->getNormalisedValue() : 0.0f;
    return (int) std::floor (3.0f * q + 0.5f);
}

//==============================================================================
void HalcyonEffect::initialise()
{
    if (hasQualitySetting())
        qualityParameter = getParameterManager().getParameterByName ("Quality");

    for (int i = 0; i < getNumClocks(); ++i)
        clocks.add (new Clock ("Clock " + juce::String (i + 1)));

    core = createCore();

    if (core != nullptr)
    {
        setPresetChanger (core.get());
        core->setOwner (this);
        addPresetManagerListener (core.get());
    }

    BasePluginOldStyle::initialise();

    if (hasQualitySetting() && qualityParameter != nullptr)
        qualityParameter->setValue (qualityValueForLevel (defaultQualityLevel), true);

    // A parameter whose value the start-up preset left unchanged was never
    // announced; the core must know every value before its first prepare.
    if (core != nullptr)
    {
        const juce::ScopedLock sl (frameLock);
        auto& parameters = getParameterManager();

        for (int i = 0; i < parameters.getNumParameters(); ++i)
            if (auto* parameter = parameters.getParameterAt (i))
                core->setParameter (parameter->getIdentifier(), parameter->getNormalisedValue());
    }
}

void HalcyonEffect::parameterChanged (Parameter* parameter)
{
    // The preset name is text, which no core reads. Its change runs with the
    // text's own lock held, and a silent change takes that lock on the audio
    // thread inside a processing call, where the frame lock is held: waiting
    // here for the frame lock would deadlock the two threads.
    if (core != nullptr && parameter->getIdentifier() != currentPresetNameIdentifier)
    {
        const juce::ScopedLock sl (frameLock);

        if (hasQualitySetting() && ! qualityChangeNeedsRestart() && parameter == qualityParameter)
            core->setQuality (getQualityLevel());
        else
            core->setParameter (parameter->getIdentifier(), parameter->getNormalisedValue());
    }

    BasePluginOldStyle::parameterChanged (parameter);
}

//==============================================================================
namespace
{
    const char* const qualityNames[] = { "low", "medium", "high", "highest" };
}

int HalcyonEffect::qualityLevelForName (const juce::String& name)
{
    for (int level = 0; level < 4; ++level)
        if (name.equalsIgnoreCase (qualityNames[level]))
            return level;

    return -1;
}

std::unique_ptr<juce::XmlElement> HalcyonEffect::createUniqueDataXml()
{
    auto element = std::make_unique<juce::XmlElement> ("UniqueData");
    element->setAttribute ("quality", qualityNames[juce::jlimit (0, 3, getQualityLevel())]);
    return element;
}

void HalcyonEffect::restoreUniqueData (const juce::XmlElement& element)
{
    const auto level = qualityLevelForName (XmlNames::attributeText (element, "quality"));

    if (level >= 0 && qualityParameter != nullptr)
        qualityParameter->setValue (level == 3 ? 1.0f : qualityValueForLevel (level), true);
}

std::unique_ptr<juce::XmlElement> HalcyonEffect::createStateXml()
{
    auto state = BasePluginOldStyle::createStateXml();

    if (state != nullptr && hasQualitySetting())
        state->insertChildElement (createUniqueDataXml().release(), 0);

    return state;
}

void HalcyonEffect::restoreStateFromXml (const juce::XmlElement& element)
{
    BasePluginOldStyle::restoreStateFromXml (element);

    if (isStateXml (element))
        for (auto* child : element.getChildIterator())
            if (XmlNames::hasTag (*child, "UniqueData"))
                restoreUniqueData (*child);
}

std::unique_ptr<juce::XmlElement> HalcyonEffect::createUserSettingsXml()
{
    auto root = BasePluginOldStyle::createUserSettingsXml();

    if (root != nullptr && hasQualitySetting())
        root->createNewChildElement ("QualitySettings")->setAttribute ("default", qualityNames[defaultQualityLevel]);

    // Last, so that readers from before the interface size skip it.
    if (root != nullptr)
    {
        const auto size = getInterfaceSize();
        root->createNewChildElement ("InterfaceSettings")
            ->setAttribute ("size", size == automaticInterfaceSize ? juce::String ("automatic") : juce::String (size));
    }

    return root;
}

void HalcyonEffect::loadUserSettingsXml (const juce::XmlElement& element)
{
    BasePluginOldStyle::loadUserSettingsXml (element);

    if (! isUserSettingsXml (element))
        return;

    for (auto* child : element.getChildIterator())
    {
        if (hasQualitySetting() && XmlNames::hasTag (*child, "QualitySettings"))
            if (const auto level = qualityLevelForName (XmlNames::attributeText (*child, "default")); level >= 0)
                defaultQualityLevel = level;

        // "automatic", or a size in per cent; anything else leaves it automatic.
        if (XmlNames::hasTag (*child, "InterfaceSettings"))
        {
            const auto size = XmlNames::attributeText (*child, "size");
            setInterfaceSize (size.isNotEmpty() && size.containsOnly ("0123456789") && isInterfaceSize (size.getIntValue())
                                  ? size.getIntValue() : automaticInterfaceSize);
        }
    }
}

//==============================================================================
void HalcyonEffect::prepareToPlay (double hostSampleRate, int maximumExpectedSamplesPerBlock)
{
    audioRunning.exchange (1);
    const auto sampleRate = SampleRateConstants::usableRate (hostSampleRate);

    for (auto* clock : clocks)
        clock->setSampleRate (sampleRate);

    if (core != nullptr)
    {
        core->prepare (maximumExpectedSamplesPerBlock);
        core->setSampleRate ((float) sampleRate);

        if (hasQualitySetting() && qualityChangeNeedsRestart())
            core->setQuality (getQualityLevel());

        const auto latency = core->getLatencySamples();

        if (latency != getLatencySamples())
            setLatencySamples (latency);   // the wrapper re-announces the delay to the host
    }

    scheduler.clear();
    bypassTakesEffectAtOnce = true;
}

void HalcyonEffect::releaseResources()
{
    audioRunning.exchange (0);
}

//==============================================================================
void HalcyonEffect::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    processWithBypass (buffer, midiMessages, false);
}

void HalcyonEffect::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    processWithBypass (buffer, midiMessages, true);
}

void HalcyonEffect::processWithBypass (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages, bool bypassed)
{
    const auto numSamples = buffer.getNumSamples();
    const auto inputs = juce::jmin (getTotalNumInputChannels(), buffer.getNumChannels());
    const auto outputs = juce::jmin (getTotalNumOutputChannels(), buffer.getNumChannels());

    if (core != nullptr)
    {
        const juce::ScopedLock sl (frameLock);
        core->setBypassed (bypassed, bypassTakesEffectAtOnce);
    }

    bypassTakesEffectAtOnce = false;

    if (! clocks.isEmpty() && core != nullptr)
        runClocksForBlock();

    stereo = inputs == 2 && inputs == outputs;

    // A host that hands over no channel gets silence; the block's events
    // pass by unheard.
    if (inputs == 0)
    {
        buffer.clear();
        scheduler.takeBlock (midiMessages);
        scheduler.carryOver (numSamples);
        return;
    }

    left = buffer.getWritePointer (0);
    right = stereo ? buffer.getWritePointer (1) : nullptr;

    scheduler.takeBlock (midiMessages);
    samplesPending = 0;
    samplesDone = 0;

    for (int j = 0; j < numSamples; ++j)
    {
        if (scheduler.hasEventsAt (j))
        {
            flush();
            scheduler.forEachEventAt (j, [this] (const juce::uint8* data, int numBytes) { handleMidiEvent (data, numBytes); });
        }

        if (! clocks.isEmpty())
            advanceClocks();

        ++samplesPending;
    }

    flush();
    scheduler.carryOver (numSamples);

    // A mono input sounds on every output: a mono track on a stereo bus
    // stays in the middle.
    for (int channel = stereo ? 2 : 1; channel < outputs; ++channel)
        buffer.copyFrom (channel, 0, buffer, 0, 0, numSamples);
}

void HalcyonEffect::flush()
{
    if (samplesPending <= 0)
        return;

    if (core != nullptr)
    {
        const juce::ScopedLock frame (frameLock);
        const juce::ScopedLock processing (core->getProcessingLock());

        if (stereo)
            core->processStereo (&left, &right, samplesPending);
        else
            core->processMono (&left, samplesPending);
    }

    left += samplesPending;

    if (stereo)
        right += samplesPending;

    samplesDone += samplesPending;
    samplesPending = 0;
}

void HalcyonEffect::handleMidiEvent (const juce::uint8* data, int numBytes)
{
    if (numBytes < 2)
        return;

    const auto status = data[0] & 0xf0;

    if (status == 0xb0)
        getMidiControl().processMidiMessage (data, numBytes);
    else if (status == 0xc0)
        selectPresetFromProgramChange (data[1]);
}

void HalcyonEffect::runClocksForBlock()
{
    auto* hostPlayHead = getPlayHead();

    if (hostPlayHead == nullptr)
        return;

    const auto position = hostPlayHead->getPosition();

    if (! position.hasValue())
        return;

    const auto bpm = position->getBpm();

    if (bpm.hasValue())
    {
        const juce::ScopedLock sl (frameLock);
        core->setTempo (*bpm);
    }

    for (auto* clock : clocks)
    {
        if (bpm.hasValue())
            clock->setTempo (*bpm);

        const auto quarterNotes = position->getPpqPosition().orFallback (clock->getPosition());

        if (position->getIsPlaying())
        {
            if (! clock->isRunning())
                clock->start (quarterNotes);
        }
        else if (clock->isRunning())
        {
            clock->stop();
        }
    }
}

void HalcyonEffect::advanceClocks()
{
    for (int k = 0; k < clocks.size(); ++k)
    {
        auto* clock = clocks.getUnchecked (k);

        if (clock->advance())
        {
            flush();

            if (core != nullptr && clock->isGateOn())
            {
                const juce::ScopedLock sl (frameLock);
                core->clockTick (k, *clock);
            }
        }
    }
}

std::unique_ptr<BasePluginEditor> HalcyonEffect::createEditorComponent()
{
    return std::make_unique<HalcyonEffectEditor> (*this);
}
