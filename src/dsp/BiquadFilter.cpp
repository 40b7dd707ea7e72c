#include "dsp/BiquadFilter.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
    constexpr double twoPi = 6.283185307179586;
    constexpr double halfLn2 = 0.34657359027997264;   // ln 2 / 2, octaves to the cookbook's bandwidth term

    // The same bits in: the same bits out of any function of them.
    inline bool sameBits (double a, double b) noexcept
    {
        return std::memcmp (&a, &b, sizeof (double)) == 0;
    }
}

void BiquadFilter::forgetPeakingTerms() noexcept
{
    termsGain = termsFrequency = termsBandwidth = termsSampleRate = std::numeric_limits<double>::quiet_NaN();
    termsValid = false;
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
    c[0] = b0 / a0;
    c[1] = b1 / a0;
    c[2] = b2 / a0;
    c[3] = a1 / a0;
    c[4] = a2 / a0;
}

double BiquadFilter::designFrequency (double frequency) const noexcept
{
    // Above half the sample rate a design breaks down (at low rates the
    // control laws reach there): it is made a little below instead.
    const double limit = 0.45 * sampleRate;
    return frequency > limit ? limit : frequency;
}

void BiquadFilter::computePass (double requestedFrequency, double q) noexcept
{
    forgetPeakingTerms();
    const double frequency = designFrequency (requestedFrequency);
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

void BiquadFilter::computePeaking (double gainDb, double requestedFrequency, double bandwidth) noexcept
{
    const double frequency = designFrequency (requestedFrequency);

    // A glide moves one, two or three of the band's quantities; the terms
    // that depend only on the others are those of the last design, bit for
    // bit, and are not computed again.
    const bool sameAngle = termsValid && sameBits (frequency, termsFrequency) && sameBits (sampleRate, termsSampleRate);

    if (! (termsValid && sameBits (gainDb, termsGain)))
        gainFactor = std::pow (10.0, gainDb * 0.025);

    if (! sameAngle)
    {
        w0 = twoPi * frequency / sampleRate;
        sinW0 = std::sin (w0);
        cosTerm = -2.0 * std::cos (w0);
    }

    if (! (sameAngle && sameBits (bandwidth, termsBandwidth)))
        alpha = sinW0 * std::sinh (halfLn2 * bandwidth * w0 / sinW0);

    termsGain = gainDb;
    termsFrequency = frequency;
    termsBandwidth = bandwidth;
    termsSampleRate = sampleRate;
    termsValid = true;

    b0 = 1.0 + alpha * gainFactor;
    b1 = cosTerm;   // −2·cos(w0)
    b2 = 1.0 - alpha * gainFactor;
    a0 = 1.0 + alpha / gainFactor;
    a1 = cosTerm;
    a2 = 1.0 - alpha / gainFactor;

    // Denormal guard on the coefficients of a band.
    c[0] = b0 / a0 + 1e-20;
    c[1] = b1 / a0 + 1e-20;
    c[2] = b2 / a0 + 1e-20;
    c[3] = a1 / a0 + 1e-20;
    c[4] = a2 / a0 + 1e-20;
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
    forgetPeakingTerms();
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
    forgetPeakingTerms();
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
