#pragma once

#include "dsp/BypassRamp.h"
#include "presets/PresetInterfaces.h"

#include <juce_core/juce_core.h>

#include <array>

class Clock;

/*  The base of the effect family's DSP cores (the effect frame knows it as
    HalcyonEffect::Core). Every operation the frame calls has a default that
    does nothing; the base adds the published meter values, the processing
    lock the frame holds around every processing call, the silent preset
    change (fade out, apply the preset at silence, hold, fade back in) and the
    host's bypass switch, which a core follows with its BypassRamp.

    Plain C++ over juce_core: no plug-in or GUI class, so cores can be tested
    and benchmarked on their own.
*/
class EffectCore : public PresetChanger,
                   public PresetManagerListener
{
public:
    static constexpr int meterTableSize = 400;

    EffectCore();
    ~EffectCore() override;

    /** Starts the silent preset change (on the thread that changes presets). */
    void changePreset() override;
    void presetChanged() override {}

    virtual void prepare (int maximumBlockSize);
    virtual void setSampleRate (float sampleRate);
    virtual void setParameter (int index, float value);
    virtual void setTempo (double beatsPerMinute);
    virtual void setQuality (int level);
    virtual void clockTick (int clockIndex, Clock& clock);
    virtual int getLatencySamples();
    /** The host's bypass switch for the coming processing calls (set between
        them, under the frame lock); `immediately` skips the crossfade. */
    void setBypassed (bool shouldBeBypassed, bool immediately) noexcept { bypassRamp.setBypassed (shouldBeBypassed, immediately); }
    bool isBypassed() const noexcept { return bypassRamp.isBypassed(); }
    /** Processes numSamples in place from where the pointers point. */
    virtual void processStereo (float** left, float** right, int numSamples);
    virtual void processMono (float** channel, int numSamples);

    /** Who applies the current preset at silence; null until the frame sets it. */
    void setOwner (PresetApplier* newOwner) noexcept { owner = newOwner; }

    /** One sample of the silent change, called by the derived core's loop
        before it processes the channels; b = k·0.002, rateRatio = fs/44100. */
    void advanceFade (double b, double rateRatio);
    bool isFadeActive() const noexcept { return fadeActive; }
    double getFadeGain() const noexcept { return fadeGain; }

    /** Meter positions, 0 … 1, published by the audio thread once per block. */
    void setMeterLevels (float left, float right);
    void getMeterLevels (float& left, float& right) const;
    double getMeterTableEntry (int index) const noexcept { return meterTable[(size_t) juce::jlimit (0, meterTableSize - 1, index)]; }

    juce::CriticalSection& getProcessingLock() noexcept { return processingLock; }

protected:
    std::array<double, meterTableSize> meterTable {};
    BypassRamp bypassRamp;

private:
    PresetApplier* owner = nullptr;

    mutable juce::ReadWriteLock meterLock;
    float meterLeft = 0.0f, meterRight = 0.0f;

    juce::CriticalSection processingLock;

    bool fadeActive = false, fadingOut = false, fadingIn = false, holding = false, idle = true;
    double fadeTarget = 1.0;
    double fadeGain = 1.0;
    juce::int32 holdCount = 0;

    JUCE_DECLARE_NON_COPYABLE (EffectCore)
};
