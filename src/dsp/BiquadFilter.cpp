#include "dsp/BiquadFilter.h"

#include <cmath>

namespace
{
    constexpr double twoPi = 6.283185307179586;
    constexpr double halfLn2 = 0.34657359027997264;   // ln 2 / 2, octaves to the cookbook's bandwidth term
}

BiquadFilter::BiquadFilter() noexcept = default;

void BiquadFilter::reset() noexcept
{
    x1 = 0.0;
    x2 = 0.0;
    y1 = 0.0;
    y2 = 0.0;
}

void BiquadFilter::normalise() noexcept
{
    c0 = b0 / a0;
    c1 = b1 / a0;
    c2 = b2 / a0;
    c3 = a1 / a0;
    c4 = a2 / a0;
}

void BiquadFilter::computePass (double frequency, double q) noexcept
{
    w0 = twoPi * frequency / sampleRate;
    sinW0 = std::sin (w0);
    cosTerm = std::cos (w0);
    alpha = sinW0 / (2.0 * q);

    const double cosW0 = cosTerm;
    bool known = true;

    switch (type)
    {
        case LowPass:
            b0 = (1.0 - cosW0) / 2.0;
            b1 = 1.0 - cosW0;
            b2 = (1.0 - cosW0) / 2.0;
            break;

        case HighPass:
            b0 = (1.0 + cosW0) / 2.0;
            b1 = -(1.0 + cosW0);
            b2 = (1.0 + cosW0) / 2.0;
            break;

        case BandPass:   // 0 dB peak gain
            b0 = alpha;
            b1 = 0.0;
            b2 = -alpha;
            break;

        case Notch:
            b0 = 1.0;
            b1 = -2.0 * cosW0;
            b2 = 1.0;
            break;

        default:
            // An unknown type keeps the raw coefficients it had.
            known = false;
            break;
    }

    if (known)
    {
        a0 = 1.0 + alpha;
        a1 = -2.0 * cosW0;
        a2 = 1.0 - alpha;
    }

    normalise();
}

void BiquadFilter::computePeaking (double gainDb, double frequency, double bandwidth) noexcept
{
    gainFactor = std::pow (10.0, gainDb * 0.025);
    w0 = twoPi * frequency / sampleRate;
    sinW0 = std::sin (w0);
    const double cosW0 = std::cos (w0);
    cosTerm = -2.0 * cosW0;
    alpha = sinW0 * std::sinh (halfLn2 * bandwidth * w0 / sinW0);

    b0 = 1.0 + alpha * gainFactor;
    b1 = -2.0 * cosW0;
    b2 = 1.0 - alpha * gainFactor;
    a0 = 1.0 + alpha / gainFactor;
    a1 = -2.0 * cosW0;
    a2 = 1.0 - alpha / gainFactor;

    // Denormal guard on the coefficients of a band.
    c0 = b0 / a0 + 1e-20;
    c1 = b1 / a0 + 1e-20;
    c2 = b2 / a0 + 1e-20;
    c3 = a1 / a0 + 1e-20;
    c4 = a2 / a0 + 1e-20;
}

void BiquadFilter::initPass (std::int32_t filterType, double frequency, double q, double newSampleRate) noexcept
{
    sampleRate = newSampleRate;
    type = filterType;
    currentBandwidth = q;
    targetBandwidth = q;
    currentFrequency = frequency;
    targetFrequency = frequency;
    frequencyGliding = false;
    qGliding = false;
    computePass (frequency, q);
    reset();
}

void BiquadFilter::initPeaking (double gainDb, double frequency, double newSampleRate, double bandwidth) noexcept
{
    sampleRate = newSampleRate;
    computePeaking (gainDb, frequency, bandwidth);
    currentGain = gainDb;
    targetGain = gainDb;
    currentBandwidth = bandwidth;
    targetBandwidth = bandwidth;
    currentFrequency = frequency;
    targetFrequency = frequency;
    gainGliding = false;
    bandwidthGliding = false;
    frequencyGliding = false;
    reset();
}

void BiquadFilter::initBandwidthHighPass (double frequency, double newSampleRate, double bandwidth) noexcept
{
    sampleRate = newSampleRate;
    type = HighPass;
    w0 = twoPi * frequency / sampleRate;
    sinW0 = std::sin (w0);
    cosTerm = std::cos (w0);
    alpha = sinW0 * std::sinh (halfLn2 * bandwidth * w0 / sinW0);

    b0 = (1.0 + cosTerm) / 2.0;
    b1 = -(1.0 + cosTerm);
    b2 = (1.0 + cosTerm) / 2.0;
    a0 = 1.0 + alpha;
    a1 = -2.0 * cosTerm;
    a2 = 1.0 - alpha;
    normalise();
    reset();
}

// A target equal to the current value takes the negative step: the next
// sample overshoots by one step and clamps back, so exactly one sample
// recomputes the coefficients.

void BiquadFilter::setTargetGain (double g) noexcept
{
    targetGain = g;
    gainGliding = true;
    gainStep = g > currentGain ? 0.01 : -0.01;
}

void BiquadFilter::setTargetFrequency (double f) noexcept
{
    targetFrequency = f;
    frequencyGliding = true;
    frequencyStep = f > currentFrequency ? 1.0 : -1.0;
}

void BiquadFilter::setTargetBandwidth (double b) noexcept
{
    targetBandwidth = b;
    bandwidthGliding = true;
    bandwidthStep = b > currentBandwidth ? 0.001 : -0.001;
}
