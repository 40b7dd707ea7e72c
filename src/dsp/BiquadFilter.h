#pragma once

#include <cstdint>

/*  A double-precision second-order IIR section with the bilinear-transform
    designs of the audio-EQ cookbook: low-, high- and band-pass and notch
    ("pass" filters, tuned by frequency and Q) and the peaking equaliser band
    (frequency, gain in dB, bandwidth in octaves).

    Each quantity can glide towards a target by a fixed step per sample
    (1 Hz, 0.01 dB, 0.001 octave); the coefficients are recomputed on every
    sample of a glide and left alone otherwise.
*/
class BiquadFilter
{
public:
    enum FilterType : std::int32_t { LowPass = 0, HighPass = 1, BandPass = 2, Notch = 3 };

    BiquadFilter() noexcept;
    virtual ~BiquadFilter() = default;

    BiquadFilter (const BiquadFilter&) = default;
    BiquadFilter& operator= (const BiquadFilter&) = default;

    /** Clears the input and output history; lastOutput is kept. */
    virtual void reset() noexcept;

    /** The frequency a design uses: the one asked for, at most 0.45·fs. */
    double designFrequency (double frequency) const noexcept;
    void computePass (double frequency, double q) noexcept;
    void computePeaking (double gainDb, double frequency, double bandwidth) noexcept;

    void initPass (std::int32_t filterType, double frequency, double q, double newSampleRate) noexcept;
    void initPeaking (double gainDb, double frequency, double newSampleRate, double bandwidth) noexcept;
    /** A high-pass whose damping comes from a bandwidth in octaves. */
    void initBandwidthHighPass (double frequency, double newSampleRate, double bandwidth) noexcept;

    void setTargetGain (double g) noexcept;
    void setTargetFrequency (double f) noexcept;
    void setTargetBandwidth (double b) noexcept;

    /** Advances a pass filter's running frequency and Q glides by one
        sample and recomputes its coefficients; returns whether it did. */
    bool advancePass() noexcept
    {
        if (! (frequencyGliding || qGliding))
            return false;

        if (frequencyGliding)
            advanceGlide (frequencyStep, currentFrequency, targetFrequency, frequencyGliding);

        if (qGliding)
            advanceGlide (qStep, currentBandwidth, targetBandwidth, qGliding);

        computePass (currentFrequency, currentBandwidth);
        return true;
    }

    /** Advances a peaking band's running gain, frequency and bandwidth
        glides by one sample and recomputes its coefficients; returns
        whether it did. */
    bool advancePeaking() noexcept
    {
        if (! (gainGliding || frequencyGliding || bandwidthGliding))
            return false;

        if (gainGliding)
            advanceGlide (gainStep, currentGain, targetGain, gainGliding);

        if (frequencyGliding)
            advanceGlide (frequencyStep, currentFrequency, targetFrequency, frequencyGliding);

        if (bandwidthGliding)
            advanceGlide (bandwidthStep, currentBandwidth, targetBandwidth, bandwidthGliding);

        computePeaking (currentGain, currentFrequency, currentBandwidth);
        return true;
    }

    /** One sample through a pass filter, advancing its frequency and Q glides first. */
    double processPass (double x) noexcept
    {
        advancePass();
        return filter (x);
    }

    /** One sample through a peaking band, advancing its gain, frequency and
        bandwidth glides first. */
    double processPeaking (double x) noexcept
    {
        advancePeaking();
        return filter (x);
    }

    /** Direct form I. The 1e-20 added to every output keeps the recursion
        out of denormal numbers when the input falls silent. */
    double filter (double x) noexcept
    {
        const double y = c[1] * x1 + c[0] * x + c[2] * x2 - c[3] * y1 - c[4] * y2 + 1e-20;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        lastOutput = y;
        return y;
    }

    /** Takes over another filter's normalised coefficients (a channel that
        follows the glides of its partner). */
    void copyCoefficientsFrom (const BiquadFilter& other) noexcept
    {
        c[0] = other.c[0]; c[1] = other.c[1]; c[2] = other.c[2]; c[3] = other.c[3]; c[4] = other.c[4];
    }

    /** The input and output history (x1, x2, y1, y2), for a caller that runs
        the same recursion on its own copy; storing sets lastOutput to y1. */
    void loadHistory (double* h) const noexcept    { h[0] = x1; h[1] = x2; h[2] = y1; h[3] = y2; }
    void storeHistory (const double* h) noexcept   { x1 = h[0]; x2 = h[1]; y1 = h[2]; y2 = h[3]; lastOutput = y1; }
    const double* coefficients() const noexcept    { return c; }

    double getCoefficient (int i) const noexcept   { return c[i]; }
    double getCurrentFrequency() const noexcept    { return currentFrequency; }
    double getCurrentGain() const noexcept         { return currentGain; }
    double getCurrentBandwidth() const noexcept    { return currentBandwidth; }
    double getLastOutput() const noexcept          { return lastOutput; }
    bool isGliding() const noexcept                { return gainGliding || bandwidthGliding || frequencyGliding || qGliding; }

private:
    static void advanceGlide (double step, double& current, double target, bool& gliding) noexcept
    {
        current += step;

        if ((step > 0.0 && current > target) || (step <= 0.0 && current < target))
        {
            current = target;
            gliding = false;
        }
    }

    void normalise() noexcept;
    void forgetPeakingTerms() noexcept;

    std::int32_t type = LowPass;
    double sampleRate = 0.0;
    double c[5] {};   // b0/a0, b1/a0, b2/a0, a1/a0, a2/a0
    double x1 = 0.0, x2 = 0.0;
    double y1 = 0.0, y2 = 0.0;
    double lastOutput = 0.0;
    double gainFactor = 0.0;
    double w0 = 0.0;
    double sinW0 = 0.0;
    double cosTerm = 0.0;
    double alpha = 0.0;
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, b0 = 0.0, b1 = 0.0, b2 = 0.0;
    double gainStep = 0.0, frequencyStep = 0.0, bandwidthStep = 0.0, qStep = 0.0;
    double currentGain = 0.0;
    double currentBandwidth = 0.0;   // octaves for a peaking band, Q for a pass filter
    double currentFrequency = 0.0;
    double targetGain = 0.0, targetBandwidth = 0.0, targetFrequency = 0.0;
    bool gainGliding = false, bandwidthGliding = false, frequencyGliding = false, qGliding = false;

    // The inputs the peaking terms (gainFactor; w0, sinW0, cosTerm; alpha)
    // were last computed from.
    double termsGain = 0.0, termsFrequency = 0.0, termsBandwidth = 0.0, termsSampleRate = 0.0;
    bool termsValid = false;
};
