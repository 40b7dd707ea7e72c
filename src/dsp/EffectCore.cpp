#include "dsp/EffectCore.h"

#include <cmath>

EffectCore::EffectCore()
{
    // Level to meter position: -24 dB reads 0, 0 dB 0.8, +6 dB and up 1.
    for (int i = 0; i < meterTableSize; ++i)
    {
        const double x = std::abs ((double) (i - 200) * 0.01);
        const double v = x > 0.0 ? 20.0 * std::log10 (x) : -320.0;
        meterTable[(size_t) i] = juce::jlimit (0.0, 1.0, v / 30.0 + 0.8);
    }
}

EffectCore::~EffectCore() = default;

void EffectCore::prepare (int) {}
void EffectCore::setSampleRate (float) {}
void EffectCore::setParameter (int, float) {}
void EffectCore::setTempo (double) {}
void EffectCore::setQuality (int) {}
void EffectCore::clockTick (int, Clock&) {}
int EffectCore::getLatencySamples() { return 0; }
void EffectCore::processStereo (float**, float**, int) {}
void EffectCore::processMono (float**, int) {}

void EffectCore::changePreset()
{
    // A request during a fade continues from the current gain; one during
    // the hold switches again on the next sample.
    const juce::ScopedLock sl (processingLock);
    fadeActive = true;
    fadingOut = true;
    holding = false;
    fadeTarget = 0.0;
    holdCount = 0;
}

void EffectCore::advanceFade (double b, double rateRatio)
{
    if (! fadeActive)
        return;

    fadeGain = fadeGain - ((fadeGain - fadeTarget) * b + 1e-20);

    if (fadeGain < 0.001 && fadingOut)
    {
        fadeTarget = 0.0;
        fadeGain = 0.0;
        holding = true;
        idle = false;
        fadingOut = false;
        holdCount = (juce::int32) (4000.0 * rateRatio);

        if (owner != nullptr)
            owner->applyCurrentPreset();
    }

    if (holdCount > 0 && holding)
    {
        if (--holdCount == 0)
        {
            fadeTarget = 1.0;
            holding = false;
            fadingIn = true;
        }
    }

    if (fadeGain > 0.99 && fadingIn)
    {
        fadeActive = false;
        fadeTarget = 1.0;
        fadeGain = 1.0;
        holding = false;
        idle = true;
        fadingIn = false;
    }
}

void EffectCore::setMeterLevels (float left, float right)
{
    const auto limit = [] (float v) { return v >= 0.0f ? juce::jmin (v, 1.0f) : 0.0f; };
    const juce::ScopedWriteLock sl (meterLock);
    meterLeft = limit (left);
    meterRight = limit (right);
}

void EffectCore::getMeterLevels (float& left, float& right) const
{
    const juce::ScopedReadLock sl (meterLock);
    left = meterLeft;
    right = meterRight;
}
