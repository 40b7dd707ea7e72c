#pragma once

#include "dsp/EffectCore.h"
#include "plugin/Clock.h"
#include "plugin/MidiEventScheduler.h"
#include "presets/BasePluginOldStyle.h"

#include <atomic>
#include <memory>

/*  The audio frame shared by the family's stereo effects: two inputs and two
    outputs (a mono input with stereo output is accepted too: the processed
    mono signal goes to both outputs), MIDI in, no MIDI out. It drives a DSP
    core: every block is cut at the sample positions of its MIDI events, so
    that controller and program changes take effect on their exact sample;
    parameter changes reach the core under the frame lock; the family's
    quality setting reaches it at prepare, and the core's latency goes to the
    host from there; the host's bypass reaches it with every block.
*/
class HalcyonEffect : public BasePluginOldStyle
{
public:
    using Core = EffectCore;

    explicit HalcyonEffect (int numPresetParameters);
    ~HalcyonEffect() override;

    void initialise() override;
    void parameterChanged (Parameter* parameter) override;

    // The quality travels in the state as UniqueData (first child, applied
    // last) and in the user settings as QualitySettings.
    std::unique_ptr<juce::XmlElement> createStateXml() override;
    void restoreStateFromXml (const juce::XmlElement& element) override;
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override;
    void loadUserSettingsXml (const juce::XmlElement& element) override;
    virtual std::unique_ptr<juce::XmlElement> createUniqueDataXml();
    virtual void restoreUniqueData (const juce::XmlElement& element);

    /** "low", "medium", "high", "highest"; -1 for anything else (any case). */
    static int qualityLevelForName (const juce::String& name);

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;
    /** The host's bypass (every format's wrapper calls this instead of
        processBlock while its bypass is on): the block is processed as usual,
        MIDI included, and the core crossfades its output to the input
        delayed by the reported latency. */
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlockBypassed;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    bool acceptsMidi() const override  { return true; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }

    //==============================================================================
    virtual std::unique_ptr<Core> createCore();
    std::unique_ptr<BasePluginEditor> createEditorComponent() override;
    virtual int getNumClocks() const           { return 0; }
    virtual bool hasQualitySetting() const = 0;
    virtual bool qualityChangeNeedsRestart() const { return true; }

    /** 0 low, 1 medium, 2 high, 3 highest: ⌊3·q + 0.5⌋ of the Quality
        parameter's normalised value, in single precision. */
    int getQualityLevel() const;
    /** The normalised value that stores a quality level. */
    static float qualityValueForLevel (int level) noexcept { return (float) level * 0.33333334f; }

    int getDefaultQualityLevel() const noexcept { return defaultQualityLevel; }
    void setDefaultQualityLevel (int level) noexcept { defaultQualityLevel = juce::jlimit (0, 3, level); }

    /** True between prepareToPlay() and releaseResources(). */
    bool isAudioRunning() const noexcept { return audioRunning.load() != 0; }

    Core* getCore() const noexcept { return core.get(); }
    juce::CriticalSection& getFrameLock() noexcept { return frameLock; }

private:
    static BusesProperties stereoBuses();
    void processWithBypass (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages, bool bypassed);
    void flush();
    void handleMidiEvent (const juce::uint8* data, int numBytes);
    void advanceClocks();
    void runClocksForBlock();

    // The block being processed.
    int samplesPending = 0;
    int samplesDone = 0;
    bool stereo = true;
    float* left = nullptr;
    float* right = nullptr;

    int defaultQualityLevel = 0;
    Parameter* qualityParameter = nullptr;
    std::atomic<int> audioRunning { 0 };
    bool bypassTakesEffectAtOnce = true;   // the first block after a prepare
    MidiEventScheduler scheduler;
    juce::CriticalSection frameLock;
    std::unique_ptr<Core> core;
    juce::OwnedArray<Clock> clocks;
};
