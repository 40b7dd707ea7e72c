#include "dsp/KorvaneCore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
    constexpr double twoPi = 6.283185307179586;

    // One step of the per-sample parameter smoothing.
    inline double smooth (double current, double target, double b) noexcept
    {
        return current - ((current - target) * b + 1e-20);
    }

    inline double onePoleHighPass (KorvaneCore::OnePoleHighPass& f, double x) noexcept
    {
        const double y = (x - f.previousInput) * f.gain + f.pole * f.previousOutput + 1e-20;
        f.previousInput = x;
        f.previousOutput = y;
        return y;
    }

    inline double onePoleLowPass (KorvaneCore::OnePoleLowPass& f, double x) noexcept
    {
        const double y = x - (x - f.state) * f.pole + 1e-20;
        f.state = y;
        return y;
    }

    void initOnePoleHighPass (KorvaneCore::OnePoleHighPass& f, double frequency, double fs) noexcept
    {
        f.pole = std::exp (-twoPi * frequency / fs) + 1e-20;
        f.gain = (f.pole + 1.0) * 0.5 + 1e-20;
        f.previousOutput = 0.0;
        f.previousInput = 0.0;
    }

    void initOnePoleLowPass (KorvaneCore::OnePoleLowPass& f, double frequency, double fs) noexcept
    {
        f.pole = std::exp (-twoPi * frequency / fs);
        f.state = 0.0;
    }

    inline double brightnessPole (double brightness, double fs) noexcept
    {
        // 369 Hz at brightness 0 up to 2369 Hz at 1.
        return std::exp (-twoPi * (2000.0 * brightness + 369.0) / fs);
    }
}

KorvaneCore::Channel::Channel (const PolyphaseTables<4>& t4, const PolyphaseTables<8>& t8, const PolyphaseTables<16>& t16) noexcept
    : oversampler4 (t4), oversampler8 (t8), oversampler16 (t16)
{
}

KorvaneCore::KorvaneCore()
    : channels { { tables4, tables8, tables16 }, { tables4, tables8, tables16 } }
{
    setQuality (0);
}

KorvaneCore::~KorvaneCore() = default;

void KorvaneCore::prepare (int) {}
void KorvaneCore::setTempo (double) {}
void KorvaneCore::clockTick (int, Clock&) {}

//==============================================================================
void KorvaneCore::setSampleRate (float newSampleRate)
{
    rates.update (SampleRateConstants::usableRate ((double) newSampleRate));
    smoothingCoefficient = rates.parameterSmoothing;
    bypassRamp.setSampleRate (rates.sampleRate);

    const double fs = rates.sampleRate;

    for (auto& c : channels)
    {
        c.highCut.initPass (BiquadFilter::LowPass, highCutHz, 0.1, fs);
        c.lowCut.initPass (BiquadFilter::HighPass, lowCutHz, 0.1, fs);
        c.fixedHighPass.initBandwidthHighPass (155.0, fs, 0.5);

        c.brightness.pole = brightnessPole (rawValue[5], fs);
        c.brightness.state = 0.0;

        initOnePoleHighPass (c.postHighPass, 622.0, fs);
        initOnePoleHighPass (c.preHighPass, 311.0, fs);

        for (auto& stage : c.toneNetwork)
            initOnePoleLowPass (stage, 207.0, fs);

        initOnePoleLowPass (c.envelope, 1.0, fs);

        for (int band = 0; band < numBands; ++band)
            c.bands[band].initPeaking (bandDb[band], bandHz[band], fs, bandOct[band]);
    }

    smoothingCoefficient = rates.parameterSmoothing;
    meterDecay = 1.0 - rates.smoothingFactor * 0.0001;

    // The next sample sets the pole from the smoothed brightness again.
    poleComputedForBrightness = std::numeric_limits<double>::quiet_NaN();
    rightCoefficientsStale = true;
}

//==============================================================================
double KorvaneCore::controlLaw (int index, float value) noexcept
{
    const double v = (double) value;

    switch (index)
    {
        case 0:  return (double) (100.0f * value);                  // preamp dB, in single precision
        case 1:  return 300.0 * (v * v) + 1.0;                       // low cut, 1 … 301 Hz
        case 2:  return 6500.0 * (v * v) + 1500.0;                   // high cut, 1500 … 8000 Hz
        case 6:  return (80.0 * v + 180.0) * v + 40.0;               // bass, 40 … 300 Hz
        case 9:  return (600.0 * v + 1100.0) * v + 300.0;            // middle, 300 … 2000 Hz
        case 12: return 3000.0 * v + 2000.0;                         // treble, 2000 … 5000 Hz
        case 15: return 7000.0 * v + 5000.0;                         // presence, 5000 … 12000 Hz
        case 7: case 10: case 13: case 16:
                 return 48.0 * v - 24.0;                             // band gain, -24 … +24 dB
        case 8: case 11: case 14: case 17:
                 return (1.0 - v) * 3.5 + 0.5;                       // bandwidth, 4 … 0.5 octaves
        case 19: return (31.59762133 * (v * v * v * v) + 0.02514867) * v;   // silence, unity at 0.5, +30 dB at 1
        case 20: return std::floor (value + 0.5f);                   // on from 0.5, the addition in single precision
        default: return v;                                           // bias, tone, brightness, FX
    }
}

void KorvaneCore::setParameter (int index, float value)
{
    if (index < 0 || index > 20)
        return;

    const double q = controlLaw (index, value);
    Channel& left = channels[0];

    if (index >= 1 && index <= 19)
        rawValue[index] = (double) value;

    switch (index)
    {
        case 0:  preampTargetDb = q; break;
        case 1:  lowCutHz = q;  left.lowCut.setTargetFrequency (q); break;
        case 2:  highCutHz = q; left.highCut.setTargetFrequency (q); break;
        case 19: outputGainTarget = q; break;
        case 20: highCutOn = q >= 1.0 ? 1 : (q <= -1.0 ? -1 : 0); break;   // only "0 or not" matters; NaN is off

        case 6: case 9: case 12: case 15:
        {
            const int band = (index - 6) / 3;
            bandHz[band] = q;
            left.bands[band].setTargetFrequency (q);
            break;
        }

        case 7: case 10: case 13: case 16:
        {
            const int band = (index - 7) / 3;
            bandDb[band] = q;
            left.bands[band].setTargetGain (q);
            break;
        }

        case 8: case 11: case 14: case 17:
        {
            const int band = (index - 8) / 3;
            bandOct[band] = q;
            left.bands[band].setTargetBandwidth (q);
            break;
        }

        default:   // 3, 4, 5, 18: the raw value is the quantity
            break;
    }
}

//==============================================================================
void KorvaneCore::setQuality (int level)
{
    if (level == 0)
    {
        quality = 0;
        latency = 0;
    }
    else if (level >= 1 && level <= 3)
    {
        quality = level;
        latency = oversampledDryDelay;

        for (auto& c : channels)
        {
            if (level == 1)      c.oversampler4.clear();
            else if (level == 2) c.oversampler8.clear();
            else                 c.oversampler16.clear();
        }
    }
}

//==============================================================================
void KorvaneCore::advanceSharedState() noexcept
{
    const double b = smoothingCoefficient;

    preampDb = smooth (preampDb, preampTargetDb, b);
    bias = smooth (bias, rawValue[3], b);
    tone = smooth (tone, rawValue[4], b);
    brightness = smooth (brightness, rawValue[5], b);
    fx = smooth (fx, rawValue[18], b);
    outputGain = smooth (outputGain, outputGainTarget, b);

    // The gains and the pole are functions of one smoothed value each; once
    // that value has settled (bit for bit) their last results still hold.
    if (preampDb != gainsComputedForPreampDb)
    {
        // From about +10 dB at 0 dB of preamp down to about -17.6 dB at 100 dB.
        const double g = 0.3012764109395346 * std::exp (-4.118746329577581 * (preampDb * 0.01 + 1e-20)) + 0.32866730476386563;
        compensationGain = 32.0 * (g * g * g * g * g) + 1e-20;
        preampLinearGain = std::pow (10.0, preampDb * 0.05);
        gainsComputedForPreampDb = preampDb;
    }

    if (brightness != poleComputedForBrightness)
    {
        const double pole = brightnessPole (brightness, rates.sampleRate) + 1e-20;
        channels[0].brightness.pole = pole;
        channels[1].brightness.pole = pole;
        poleComputedForBrightness = brightness;
    }
}

void KorvaneCore::meter (int index, double y) noexcept
{
    // Level to table entry in steps of 0.01 of full scale, truncated
    // towards zero and limited to the table.
    const double position = y * 100.0 + 200.0;
    const int entry = position >= 399.0 ? 399 : (position > 0.0 ? (int) position : 0);
    const double m = meterTable[(size_t) entry];

    if (m > meterLevel[index])
        meterLevel[index] = m;

    meterLevel[index] = meterLevel[index] * meterDecay + 1e-20;
}

double KorvaneCore::bypassOutput (int index, double processed, const double (&metersBefore)[2]) noexcept
{
    // The chain metered its own output; the meter shows the mix instead.
    const double y = bypassRamp.mix (processed, channels[index].dryRing[ringIndex + dryRingLength - latency]);
    meterLevel[index] = metersBefore[index];
    meter (index, y);
    return y;
}

double KorvaneCore::curve (Channel& c, double u) noexcept
{
    switch (quality)
    {
        case 1:  return 0.25 * c.oversampler4.process (u, instructionSet);
        case 2:  return 0.125 * c.oversampler8.process (u, instructionSet);
        case 3:  return 0.0625 * c.oversampler16.process (u, instructionSet);
        default: return std::atan (u);
    }
}

bool KorvaneCore::inputStillDelayed (const Channel& c) const noexcept
{
    // The inputs of the last `latency` samples have not reached the output
    // yet (the dry path's delay, matched by the oversampler's).
    for (int k = 0; k < latency; ++k)
        if (c.dryRing[ringIndex + dryRingLength - k] != 0.0)
            return true;

    return false;
}

void KorvaneCore::gate (Channel& c, double y) noexcept
{
    // The gate follows the signed output: it closes when the envelope has
    // fallen below 2e-5, and not while input is still on its way through
    // the delay: a click after silence must come out, late, not vanish.
    c.gateEnvelope = (meterDecay + 1e-20) * c.gateEnvelope;

    if (y > c.gateEnvelope)
        c.gateEnvelope = y;

    if (c.gateEnvelope < 2e-5 && ! inputStillDelayed (c))
        c.active = false;
}

double KorvaneCore::processChannel (Channel& c, int index, double x) noexcept
{
    double w = x;
    bool recomputed = false;

    if (highCutOn != 0)
    {
        recomputed |= c.highCut.advancePass();
        w = c.highCut.filter (w);
    }

    recomputed |= c.lowCut.advancePass();
    w = c.lowCut.filter (w);
    w = 8.0 * onePoleHighPass (c.preHighPass, w);

    // The bias follows the positive envelope of the pre-emphasised signal.
    const double rectified = w > 0.0 ? w : 0.0;
    c.envelope.state = rectified - (rectified - c.envelope.state) * c.envelope.pole + 1e-20;
    const double biasTerm = c.envelope.state * bias * 0.2;

    const double u = (w + biasTerm) * preampLinearGain * 0.079575;
    const double s = curve (c, u);

    // Tone: 1 picks the brightness low-pass, 0 the 622 Hz high-pass.
    const double hp = onePoleHighPass (c.postHighPass, s);
    const double lp = onePoleLowPass (c.brightness, s);
    const double mix = (lp - hp) * tone + hp + 1e-20;

    // Tone network: the 207 Hz low-pass's difference signal, smoothed by
    // three more low-passes, added to a share of its complement.
    const double k1 = onePoleLowPass (c.toneNetwork[0], mix);
    double d = k1 - mix;
    d = onePoleLowPass (c.toneNetwork[1], d);
    d = onePoleLowPass (c.toneNetwork[2], d);
    d = onePoleLowPass (c.toneNetwork[3], d);
    double out = (mix - k1) * 0.472 + d;

    out = c.fixedHighPass.filter (out);

    for (auto& band : c.bands)
    {
        recomputed |= band.advancePeaking();
        out = band.filter (out);
    }

    if (index == 0 && recomputed)
        rightCoefficientsStale = true;

    const double e = out * compensationGain + 1e-20;
    const double dry = c.dryRing[ringIndex + dryRingLength - latency];
    const double y = ((e - dry) * fx + dry) * outputGain + 1e-20;

    meter (index, y);
    gate (c, y);
    return y;
}

//==============================================================================
// Both channels side by side. Lane 0 does what processChannel does for the
// left channel, lane 1 what it does for the right one, operation for
// operation; the right lane uses the left filters' coefficients, which is
// what the right filters would have copied after the left chain ran.

namespace
{
    using Pair = double __attribute__ ((vector_size (16)));

    inline Pair splat (double v) noexcept { return Pair { v, v }; }
}

void KorvaneCore::copyLeftCoefficientsToRight() noexcept
{
    Channel& left = channels[0];
    Channel& right = channels[1];

    for (int band = 0; band < numBands; ++band)
        right.bands[band].copyCoefficientsFrom (left.bands[band]);

    right.highCut.copyCoefficientsFrom (left.highCut);
    right.lowCut.copyCoefficientsFrom (left.lowCut);
    rightCoefficientsStale = false;
}

namespace
{
    template <typename History>
    void gatherHistory (History& h, const BiquadFilter& l, const BiquadFilter& r) noexcept
    {
        double a[4], b[4];
        l.loadHistory (a);
        r.loadHistory (b);
        h.x1 = Pair { a[0], b[0] };
        h.x2 = Pair { a[1], b[1] };
        h.y1 = Pair { a[2], b[2] };
        h.y2 = Pair { a[3], b[3] };
    }

    template <typename History>
    void scatterHistory (const History& h, BiquadFilter& l, BiquadFilter& r) noexcept
    {
        const double a[4] { h.x1[0], h.x2[0], h.y1[0], h.y2[0] };
        const double b[4] { h.x1[1], h.x2[1], h.y1[1], h.y2[1] };
        l.storeHistory (a);
        r.storeHistory (b);
    }

    /** Both lanes of each of a filter's five coefficients. */
    inline void splatCoefficients (Pair* to, const BiquadFilter& f) noexcept
    {
        const double* c = f.coefficients();

        for (int i = 0; i < 5; ++i)
            to[i] = splat (c[i]);
    }

    /** Direct form I on both lanes, in the order BiquadFilter::filter uses;
        c holds the coefficients already in both lanes. */
    template <typename History>
    inline Pair filterPair (const Pair* c, History& h, Pair x) noexcept
    {
        const Pair y = c[1] * h.x1 + c[0] * x + c[2] * h.x2 - c[3] * h.y1 - c[4] * h.y2 + 1e-20;
        h.x2 = h.x1;
        h.x1 = x;
        h.y2 = h.y1;
        h.y1 = y;
        return y;
    }
}

void KorvaneCore::takeStereoCoefficients() noexcept
{
    const Channel& l = channels[0];
    StereoCoefficients& c = stereoCoefficients;

    splatCoefficients (c.highCut, l.highCut);
    splatCoefficients (c.lowCut, l.lowCut);
    splatCoefficients (c.fixedHighPass, l.fixedHighPass);

    for (int band = 0; band < numBands; ++band)
        splatCoefficients (c.bands[band], l.bands[band]);

    c.preGain = splat (l.preHighPass.gain);
    c.prePole = splat (l.preHighPass.pole);
    c.envelopePole = splat (l.envelope.pole);
    c.postGain = splat (l.postHighPass.gain);
    c.postPole = splat (l.postHighPass.pole);

    for (int i = 0; i < 4; ++i)
        c.tonePole[i] = splat (l.toneNetwork[i].pole);
}

void KorvaneCore::enterLockstep() noexcept
{
    Channel& l = channels[0];
    Channel& r = channels[1];

    takeStereoCoefficients();

    gatherHistory (stereo.highCut, l.highCut, r.highCut);
    gatherHistory (stereo.lowCut, l.lowCut, r.lowCut);
    gatherHistory (stereo.fixedHighPass, l.fixedHighPass, r.fixedHighPass);

    for (int band = 0; band < numBands; ++band)
        gatherHistory (stereo.bands[band], l.bands[band], r.bands[band]);

    stereo.preInput = Pair { l.preHighPass.previousInput, r.preHighPass.previousInput };
    stereo.preOutput = Pair { l.preHighPass.previousOutput, r.preHighPass.previousOutput };
    stereo.envelope = Pair { l.envelope.state, r.envelope.state };
    stereo.postInput = Pair { l.postHighPass.previousInput, r.postHighPass.previousInput };
    stereo.postOutput = Pair { l.postHighPass.previousOutput, r.postHighPass.previousOutput };
    stereo.brightness = Pair { l.brightness.state, r.brightness.state };

    for (int i = 0; i < 4; ++i)
        stereo.tone[i] = Pair { l.toneNetwork[i].state, r.toneNetwork[i].state };

    inLockstep = true;
}

void KorvaneCore::leaveLockstep() noexcept
{
    Channel& l = channels[0];
    Channel& r = channels[1];

    scatterHistory (stereo.highCut, l.highCut, r.highCut);
    scatterHistory (stereo.lowCut, l.lowCut, r.lowCut);
    scatterHistory (stereo.fixedHighPass, l.fixedHighPass, r.fixedHighPass);

    for (int band = 0; band < numBands; ++band)
        scatterHistory (stereo.bands[band], l.bands[band], r.bands[band]);

    l.preHighPass.previousInput = stereo.preInput[0];    r.preHighPass.previousInput = stereo.preInput[1];
    l.preHighPass.previousOutput = stereo.preOutput[0];  r.preHighPass.previousOutput = stereo.preOutput[1];
    l.envelope.state = stereo.envelope[0];               r.envelope.state = stereo.envelope[1];
    l.postHighPass.previousInput = stereo.postInput[0];  r.postHighPass.previousInput = stereo.postInput[1];
    l.postHighPass.previousOutput = stereo.postOutput[0]; r.postHighPass.previousOutput = stereo.postOutput[1];
    l.brightness.state = stereo.brightness[0];           r.brightness.state = stereo.brightness[1];

    for (int i = 0; i < 4; ++i)
    {
        l.toneNetwork[i].state = stereo.tone[i][0];
        r.toneNetwork[i].state = stereo.tone[i][1];
    }

    // The right filters copied the left coefficients on every one of these
    // samples; they hold the last of them.
    copyLeftCoefficientsToRight();
    inLockstep = false;
}

KorvaneCore::Pair KorvaneCore::inputOfBothChannels (double xL, double xR) noexcept
{
    Channel& l = channels[0];
    Pair w { xL, xR };

    StereoCoefficients& k = stereoCoefficients;

    if (highCutOn != 0)
    {
        if (l.highCut.advancePass())
            splatCoefficients (k.highCut, l.highCut);

        w = filterPair (k.highCut, stereo.highCut, w);
    }

    if (l.lowCut.advancePass())
        splatCoefficients (k.lowCut, l.lowCut);

    w = filterPair (k.lowCut, stereo.lowCut, w);

    {
        const Pair y = (w - stereo.preInput) * k.preGain + k.prePole * stereo.preOutput + 1e-20;
        stereo.preInput = w;
        stereo.preOutput = y;
        w = 8.0 * y;
    }

    const Pair rectified = w > 0.0 ? w : splat (0.0);
    stereo.envelope = rectified - (rectified - stereo.envelope) * k.envelopePole + 1e-20;
    const Pair biasTerm = stereo.envelope * bias * 0.2;

    return (w + biasTerm) * preampLinearGain * 0.079575;
}

KorvaneCore::Pair KorvaneCore::curveOfBothChannels (Pair u, const SharedSample& shared) noexcept
{
    Channel& l = channels[0];
    Channel& r = channels[1];
    StereoCoefficients& k = stereoCoefficients;
    Pair s;
    {
        double sL = 0.0, sR = 0.0;

        switch (quality)
        {
            case 1:  Oversampler<4>::processPair (l.oversampler4, r.oversampler4, u[0], u[1], sL, sR, instructionSet);
                     s = 0.25 * Pair { sL, sR }; break;
            case 2:  Oversampler<8>::processPair (l.oversampler8, r.oversampler8, u[0], u[1], sL, sR, instructionSet);
                     s = 0.125 * Pair { sL, sR }; break;
            case 3:  Oversampler<16>::processPair (l.oversampler16, r.oversampler16, u[0], u[1], sL, sR, instructionSet);
                     s = 0.0625 * Pair { sL, sR }; break;
            default: s = Pair { std::atan (u[0]), std::atan (u[1]) }; break;
        }
    }

    Pair hp;
    {
        hp = (s - stereo.postInput) * k.postGain + k.postPole * stereo.postOutput + 1e-20;
        stereo.postInput = s;
        stereo.postOutput = hp;
    }

    const Pair lp = s - (s - stereo.brightness) * shared.brightnessPole + 1e-20;
    stereo.brightness = lp;
    const Pair mix = (lp - hp) * shared.tone + hp + 1e-20;

    const Pair k1 = mix - (mix - stereo.tone[0]) * k.tonePole[0] + 1e-20;
    stereo.tone[0] = k1;
    Pair d = k1 - mix;

    for (int i = 1; i < 4; ++i)
    {
        d = d - (d - stereo.tone[i]) * k.tonePole[i] + 1e-20;
        stereo.tone[i] = d;
    }

    return (mix - k1) * 0.472 + d;
}

KorvaneCore::Pair KorvaneCore::backOfBothChannels (Pair out, const SharedSample& shared) noexcept
{
    Channel& l = channels[0];
    Channel& r = channels[1];
    StereoCoefficients& k = stereoCoefficients;

    out = filterPair (k.fixedHighPass, stereo.fixedHighPass, out);

    for (int band = 0; band < numBands; ++band)
    {
        if (l.bands[band].advancePeaking())
            splatCoefficients (k.bands[band], l.bands[band]);

        out = filterPair (k.bands[band], stereo.bands[band], out);
    }

    const Pair e = out * shared.compensationGain + 1e-20;
    const Pair y = ((e - shared.dry) * shared.fx + shared.dry) * shared.outputGain + 1e-20;

    meter (0, y[0]);
    gate (l, y[0]);
    meter (1, y[1]);
    gate (r, y[1]);
    return y;
}

namespace
{
    /** Some hosts hand over NaN or infinite samples; one of them would leave
        every filter and history of the chain non-finite for good, so the
        core reads such a sample as silence. */
    inline double finiteOrZero (float sample) noexcept
    {
        return std::isfinite (sample) ? (double) sample : 0.0;
    }
}

KorvaneCore::SharedSample KorvaneCore::takeSharedSample() const noexcept
{
    const int dryIndex = ringIndex + dryRingLength - latency;
    return { Pair { channels[0].dryRing[dryIndex], channels[1].dryRing[dryIndex] },
             tone, channels[0].brightness.pole, compensationGain, fx, outputGain };
}

bool KorvaneCore::gatesStayOpen (int samples) const noexcept
{
    // A gate's envelope falls by one decay step per sample at most and the
    // gate closes only below 2e-5: from these envelopes on, the next
    // `samples` samples cannot close either gate.
    for (const auto& c : channels)
    {
        double floor = c.gateEnvelope;

        for (int n = 0; n < samples; ++n)
            floor = (meterDecay + 1e-20) * floor;

        if (! (floor >= 2e-5))
            return false;
    }

    return true;
}

void KorvaneCore::beginSideBySideSample (double xL, double xR) noexcept
{
    if (++ringIndex == dryRingLength)
        ringIndex = 0;

    advanceSharedState();
    storeDry (xL, xR);
}

void KorvaneCore::storeDry (double xL, double xR) noexcept
{
    // Each sample twice, so that a delayed read never wraps.
    channels[0].dryRing[ringIndex] = xL;
    channels[0].dryRing[ringIndex + dryRingLength] = xL;
    channels[1].dryRing[ringIndex] = xR;
    channels[1].dryRing[ringIndex + dryRingLength] = xR;
}

void KorvaneCore::emit (float* l, float* r, int i, Pair y) noexcept
{
    lastOutput[0] = y[0];
    lastOutput[1] = y[1];
    l[i] = (float) y[0];
    r[i] = (float) y[1];
}

int KorvaneCore::runBothChannels (float* l, float* r, int i, int numSamples, double xL, double xR) noexcept
{
    // Sample i has been read and the shared state advanced for it. The
    // chain runs as a pipeline of three stages on three consecutive samples:
    // the input filters and the bias of sample i + 2, the curve and the tone
    // filters of sample i + 1, the equaliser, the mix, the meters and the
    // gates of sample i. The stages share no state, so their dependency
    // chains overlap; each filter still sees its samples in order and every
    // operation is the one-sample step's. What a stage needs of the shared
    // state of its own sample travels with it. A sample enters the pipeline
    // only while no gate can close before it, since a closed gate would
    // leave it unprocessed.
    Pair u0 = inputOfBothChannels (xL, xR);
    SharedSample shared0 = takeSharedSample();

    if (! (i + 1 < numSamples && gatesStayOpen (1)))
    {
        emit (l, r, i, backOfBothChannels (curveOfBothChannels (u0, shared0), shared0));
        return finishSideBySideRun (i);
    }

    beginSideBySideSample (finiteOrZero (l[i + 1]), finiteOrZero (r[i + 1]));
    Pair u1 = inputOfBothChannels (channels[0].dryRing[ringIndex], channels[1].dryRing[ringIndex]);
    SharedSample shared1 = takeSharedSample();
    Pair out0 = curveOfBothChannels (u0, shared0);

    while (i + 2 < numSamples && gatesStayOpen (2))
    {
        beginSideBySideSample (finiteOrZero (l[i + 2]), finiteOrZero (r[i + 2]));
        const Pair u2 = inputOfBothChannels (channels[0].dryRing[ringIndex], channels[1].dryRing[ringIndex]);
        const SharedSample shared2 = takeSharedSample();

        emit (l, r, i, backOfBothChannels (out0, shared0));
        out0 = curveOfBothChannels (u1, shared1);
        shared0 = shared1;
        u1 = u2;
        shared1 = shared2;
        ++i;
    }

    // Sample i + 1 entered while its gates were sure to stay open.
    emit (l, r, i, backOfBothChannels (out0, shared0));
    emit (l, r, i + 1, backOfBothChannels (curveOfBothChannels (u1, shared1), shared1));
    return finishSideBySideRun (i + 1);
}

int KorvaneCore::finishSideBySideRun (int last) noexcept
{
    if (++ringIndex == dryRingLength)
        ringIndex = 0;

    return last + 1;
}

//==============================================================================
void KorvaneCore::processStereo (float** leftChannel, float** rightChannel, int numSamples)
{
    float* const l = *leftChannel;
    float* const r = *rightChannel;
    Channel& left = channels[0];
    Channel& right = channels[1];
    instructionSet = korvane_dsp::activeInstructionSet();

    for (int i = 0; i < numSamples;)
    {
        advanceSharedState();

        const double xL = finiteOrZero (l[i]);
        const double xR = finiteOrZero (r[i]);

        if (xL != 0.0) left.active = true;
        if (xR != 0.0) right.active = true;

        storeDry (xL, xR);

        if (isFadeActive())
            advanceFade (rates.parameterSmoothing, rates.rateRatio);

        const bool bypassing = bypassRamp.isEngaged();
        double metersBefore[2];

        if (bypassing)
        {
            metersBefore[0] = meterLevel[0];
            metersBefore[1] = meterLevel[1];
            bypassRamp.advance();
        }

        double yL = xL;
        double yR = xR;

        if (left.active && right.active && ! isFadeActive() && ! bypassing)
        {
            if (! inLockstep)
                enterLockstep();

            i = runBothChannels (l, r, i, numSamples, xL, xR);
            continue;
        }

        if (left.active && right.active)
        {
            if (! inLockstep)
                enterLockstep();

            const SharedSample shared = takeSharedSample();
            const Pair y = backOfBothChannels (curveOfBothChannels (inputOfBothChannels (xL, xR), shared), shared);
            yL = y[0];
            yR = y[1];
        }
        else
        {
            if (inLockstep)
                leaveLockstep();

            if (left.active)
                yL = processChannel (left, 0, xL);

            if (right.active)
            {
                if (rightCoefficientsStale)
                    copyLeftCoefficientsToRight();

                yR = processChannel (right, 1, xR);
            }
        }

        if (isFadeActive())
        {
            const double gain = getFadeGain();
            yL *= gain;
            yR *= gain;
        }

        if (bypassing)
        {
            yL = bypassOutput (0, yL, metersBefore);
            yR = bypassOutput (1, yR, metersBefore);
        }

        emit (l, r, i, Pair { yL, yR });

        if (++ringIndex == dryRingLength)
            ringIndex = 0;

        ++i;
    }

    if (inLockstep)
        leaveLockstep();

    setMeterLevels ((float) meterLevel[0], (float) meterLevel[1]);
}

void KorvaneCore::processMono (float** channel, int numSamples)
{
    float* const data = *channel;
    Channel& left = channels[0];
    instructionSet = korvane_dsp::activeInstructionSet();

    for (int i = 0; i < numSamples; ++i)
    {
        advanceSharedState();

        const double x = finiteOrZero (data[i]);

        if (x != 0.0)
            left.active = true;

        left.dryRing[ringIndex] = x;
        left.dryRing[ringIndex + dryRingLength] = x;

        if (isFadeActive())
            advanceFade (rates.parameterSmoothing, rates.rateRatio);

        const bool bypassing = bypassRamp.isEngaged();
        double metersBefore[2];

        if (bypassing)
        {
            metersBefore[0] = meterLevel[0];
            metersBefore[1] = meterLevel[1];
            bypassRamp.advance();
        }

        double y = x;
        const bool metered = left.active || bypassing;

        if (left.active)
            y = processChannel (left, 0, x);

        if (isFadeActive())
            y *= getFadeGain();

        if (bypassing)
            y = bypassOutput (0, y, metersBefore);

        if (metered)
            meterLevel[1] = meterLevel[0];   // both meters show the mono level

        lastOutput[0] = y;
        data[i] = (float) y;

        if (++ringIndex == dryRingLength)
            ringIndex = 0;
    }

    setMeterLevels ((float) meterLevel[0], (float) meterLevel[0]);
}
