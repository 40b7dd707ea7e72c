#pragma once

#include "presets/PresetInterfaces.h"

#include <cstdint>

class Clock;

/*  Korvane's tube core evaluated the plain way, for comparison only: every
    sample recomputes everything as the design states it (smoothed values,
    exp, pow, poles, coefficients of gliding filters, every polyphase product
    in its own order), with no caching and no reordering. It owns its own
    filters, oversamplers, meter table and silent preset change, so nothing
    of the shipped core's code is shared with it.

    The shipped KorvaneCore must produce exactly the same output bits, meter
    values and preset-change timing; tests/dsp/ReferenceIdentityTest.cpp
    checks that sample by sample. Not part of the plug-in.
*/
class ReferenceKorvaneCore
{
public:
    ReferenceKorvaneCore();
    ~ReferenceKorvaneCore();

    ReferenceKorvaneCore (const ReferenceKorvaneCore&) = delete;
    ReferenceKorvaneCore& operator= (const ReferenceKorvaneCore&) = delete;

    void prepare (int) {}
    void setTempo (double) {}
    void clockTick (int, Clock&) {}
    int getLatencySamples() const { return latency; }
    int oversamplingDelay() const { return latency; }

    void setSampleRate (float fs);
    void setParameter (int index, float value);
    void setQuality (int q);
    void processStereo (float** left, float** right, int numSamples);
    void processMono (float** channel, int numSamples);

    void changePreset();
    void setOwner (PresetApplier* o) { owner = o; }
    void getMeterLevels (float& left, float& right) const { left = meterLeft; right = meterRight; }

    double getMeterLevel (int channel) const { return channelState[channel].meterLevel; }
    bool isChannelActive (int channel) const { return channelState[channel].active; }
    double getFadeGain() const { return fadeGain; }
    double getLastOutput (int channel) const { return lastOutput[channel]; }
    bool isFadeActive() const { return fadeActive; }

    //==============================================================================
    struct Biquad
    {
        std::int32_t type = 0;   // 0 low-pass, 1 high-pass, 2 band-pass, 3 notch
        double sampleRate = 0;
        double c[5] {};
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0, lastOutput = 0;
        double gainFactor = 0, w0 = 0, sinW0 = 0, cosTerm = 0, alpha = 0;
        double a0 = 0, a1 = 0, a2 = 0, b0 = 0, b1 = 0, b2 = 0;
        double gainStep = 0, frequencyStep = 0, bandwidthStep = 0, qStep = 0;
        double currentGain = 0, currentBandwidth = 0, currentFrequency = 0;
        double targetGain = 0, targetBandwidth = 0, targetFrequency = 0;
        bool gainGliding = false, bandwidthGliding = false, frequencyGliding = false, qGliding = false;

        void reset();
        void computePass (double frequency, double q);
        void computePeaking (double gainDb, double frequency, double bandwidth);
        void initPass (std::int32_t type, double frequency, double q, double sampleRate);
        void initPeaking (double gainDb, double frequency, double sampleRate, double bandwidth);
        void initBandwidthHighPass (double frequency, double sampleRate, double bandwidth);
        void setTargetGain (double g);
        void setTargetFrequency (double f);
        void setTargetBandwidth (double b);
        double processPass (double x);
        double processPeaking (double x);
        double filter (double x);
    };

    struct History
    {
        double buffer[32] {};
        std::int32_t writePos = 0;
    };

    struct Oversampler
    {
        int factor = 4;
        const double (*tables)[16] = nullptr;   // tables[p][k] = g_p[k]
        History input;
        History phases[16];
        double scratch = 0;

        double process (double u);
        void clear();
    };

private:
    /** One sample's step of every smoothed value and what follows from it
        (compensation, linear preamp gain); returns the brightness pole. */
    double advanceSmoothedValues();

    struct Channel
    {
        double dryRing[60] {};
        Biquad highCut, lowCut, fixedHighPass;
        double postPrevOut = 0, postPrevIn = 0, postC = 0, postP = 0;
        double prePrevOut = 0, prePrevIn = 0, preC = 0, preP = 0;
        double envState = 0, envPole = 0;
        double brightState = 0, brightPole = 0;
        double toneState[4] {}, tonePole[4] {};
        Biquad bands[4];
        bool active = false;
        double gateEnvelope = 0;
        double meterLevel = 0;
        Oversampler os4, os8, os16;
    };

    double chain (Channel& c, double x);
    void advanceFade (double b, double rateRatio);
    void publishMeters (float left, float right);

    std::int32_t quality = 0;
    std::int32_t ringIndex = 0;
    std::int32_t latency = 0;

    double prototype4[64] {}, prototype8[128] {}, prototype16[256] {};
    double phase4[4][16] {}, phase8[8][16] {}, phase16[16][16] {};

    double preampTargetDb = 0;
    double raw[20] {};
    double outputGainTarget = 0;
    double preampDb = 0, compensationGain = 0, bias = 0, tone = 0, brightness = 0, fx = 0, outputGain = 0;
    double bandHz[4] {}, bandDb[4] {}, bandOct[4] {};
    double lowCutHz = 0, highCutHz = 0;
    std::int32_t highCutOn = 0;

    double sampleRate = 44100.0, k = 1.0, rateRatio = 1.0;
    double smoothingCoefficient = 0, meterDecay = 0;
    double preampLinearGain = 0;

    Channel channelState[2];

    double meterTable[400] {};
    float meterLeft = 0, meterRight = 0;
    PresetApplier* owner = nullptr;
    bool fadeActive = false, fadingOut = false, fadingIn = false, holding = false, idle = true;
    double fadeTarget = 1.0, fadeGain = 1.0;
    std::int32_t holdCount = 0;
    double lastOutput[2] {};
};
