#include "ReferenceKorvaneCore.h"

#include <cmath>

namespace
{
    const double pi = 3.141592653589793;
    const double twoPi = 6.283185307179586;
    const double fourPi = 12.566370614359172;
    const double halfLn2 = 0.34657359027997264;

    void advanceGlide (double step, double& current, double target, bool& flag)
    {
        current = current + step;

        if ((step > 0 && current > target) || (step <= 0 && current < target))
        {
            current = target;
            flag = false;
        }
    }

    double smooth (double s, double target, double b)
    {
        return s - ((s - target) * b + 1e-20);
    }

    double readSample (float f)
    {
        // A NaN or infinite host sample is read as silence.
        if (std::isnan (f) || std::isinf (f))
            return 0.0;

        return (double) f;
    }

    void design (int L, double* h)
    {
        const int N = 16 * L;
        const double c = (N - 1) / 2.0;
        const double omega = L == 4 ? 0.5969026041820606 : L == 8 ? 0.2984513020910303 : 0.14922565104551516;

        for (int n = 0; n < N; ++n)
        {
            const double s = std::sin (omega * (n - c)) / (pi * (n - c));
            const double w = 0.42 - 0.5 * std::cos (twoPi * n / (N - 1)) + 0.08 * std::cos (fourPi * n / (N - 1));
            h[n] = s * w * L;
        }
    }
}

//==============================================================================
// The second-order section.

void ReferenceKorvaneCore::Biquad::reset()
{
    x1 = 0; x2 = 0; y1 = 0; y2 = 0;
}

void ReferenceKorvaneCore::Biquad::computePass (double frequency, double q)
{
    // Designs stay below 0.45 of the sample rate.
    if (frequency > 0.45 * sampleRate) frequency = 0.45 * sampleRate;
    w0 = twoPi * frequency / sampleRate;
    sinW0 = std::sin (w0);
    cosTerm = std::cos (w0);
    alpha = sinW0 / (2 * q);
    const double cs = cosTerm;

    if (type == 0)      { b0 = (1 - cs) / 2; b1 = 1 - cs; b2 = (1 - cs) / 2; }
    else if (type == 1) { b0 = (1 + cs) / 2; b1 = -(1 + cs); b2 = (1 + cs) / 2; }
    else if (type == 2) { b0 = alpha; b1 = 0; b2 = -alpha; }
    else if (type == 3) { b0 = 1; b1 = -2 * cs; b2 = 1; }

    if (type >= 0 && type <= 3)
    {
        a0 = 1 + alpha;
        a1 = -2 * cs;
        a2 = 1 - alpha;
    }

    c[0] = b0 / a0; c[1] = b1 / a0; c[2] = b2 / a0; c[3] = a1 / a0; c[4] = a2 / a0;
}

void ReferenceKorvaneCore::Biquad::computePeaking (double gainDb, double frequency, double bandwidth)
{
    gainFactor = std::pow (10.0, gainDb * 0.025);
    if (frequency > 0.45 * sampleRate) frequency = 0.45 * sampleRate;
    w0 = twoPi * frequency / sampleRate;
    sinW0 = std::sin (w0);
    const double cs = std::cos (w0);
    cosTerm = -2 * cs;
    alpha = sinW0 * std::sinh (halfLn2 * bandwidth * w0 / sinW0);
    const double A = gainFactor;
    b0 = 1 + alpha * A;
    b1 = -2 * cs;
    b2 = 1 - alpha * A;
    a0 = 1 + alpha / A;
    a1 = -2 * cs;
    a2 = 1 - alpha / A;
    c[0] = b0 / a0 + 1e-20; c[1] = b1 / a0 + 1e-20; c[2] = b2 / a0 + 1e-20; c[3] = a1 / a0 + 1e-20; c[4] = a2 / a0 + 1e-20;
}

void ReferenceKorvaneCore::Biquad::initPass (std::int32_t t, double frequency, double q, double fs)
{
    sampleRate = fs;
    type = t;
    currentBandwidth = q; targetBandwidth = q;
    currentFrequency = frequency; targetFrequency = frequency;
    frequencyGliding = false; qGliding = false;
    computePass (frequency, q);
    reset();
}

void ReferenceKorvaneCore::Biquad::initPeaking (double gainDb, double frequency, double fs, double bandwidth)
{
    sampleRate = fs;
    computePeaking (gainDb, frequency, bandwidth);
    currentGain = gainDb; targetGain = gainDb;
    currentBandwidth = bandwidth; targetBandwidth = bandwidth;
    currentFrequency = frequency; targetFrequency = frequency;
    gainGliding = false; bandwidthGliding = false; frequencyGliding = false;
    reset();
}

void ReferenceKorvaneCore::Biquad::initBandwidthHighPass (double frequency, double fs, double bandwidth)
{
    sampleRate = fs;
    type = 1;
    // The core only ever asks for 155 Hz and half an octave: w0 = 2π·155/fs
    // and the damping factor ln 2 / 4.
    (void) frequency;
    (void) bandwidth;
    w0 = 973.8937226128359 / sampleRate;
    sinW0 = std::sin (w0);
    cosTerm = std::cos (w0);
    alpha = sinW0 * std::sinh (0.17328679513998632 * w0 / sinW0);
    b0 = (1 + cosTerm) / 2; b1 = -(1 + cosTerm); b2 = (1 + cosTerm) / 2;
    a0 = 1 + alpha; a1 = -2 * cosTerm; a2 = 1 - alpha;
    c[0] = b0 / a0; c[1] = b1 / a0; c[2] = b2 / a0; c[3] = a1 / a0; c[4] = a2 / a0;
    reset();
}

void ReferenceKorvaneCore::Biquad::setTargetGain (double g)
{
    targetGain = g; gainGliding = true;
    gainStep = g > currentGain ? 0.01 : -0.01;
}

void ReferenceKorvaneCore::Biquad::setTargetFrequency (double f)
{
    targetFrequency = f; frequencyGliding = true;
    frequencyStep = f > currentFrequency ? 1.0 : -1.0;
}

void ReferenceKorvaneCore::Biquad::setTargetBandwidth (double b)
{
    targetBandwidth = b; bandwidthGliding = true;
    bandwidthStep = b > currentBandwidth ? 0.001 : -0.001;
}

double ReferenceKorvaneCore::Biquad::processPass (double x)
{
    if (frequencyGliding || qGliding)
    {
        if (frequencyGliding) advanceGlide (frequencyStep, currentFrequency, targetFrequency, frequencyGliding);
        if (qGliding)         advanceGlide (qStep, currentBandwidth, targetBandwidth, qGliding);
        computePass (currentFrequency, currentBandwidth);
    }

    return filter (x);
}

double ReferenceKorvaneCore::Biquad::processPeaking (double x)
{
    if (gainGliding || frequencyGliding || bandwidthGliding)
    {
        if (gainGliding)      advanceGlide (gainStep, currentGain, targetGain, gainGliding);
        if (frequencyGliding) advanceGlide (frequencyStep, currentFrequency, targetFrequency, frequencyGliding);
        if (bandwidthGliding) advanceGlide (bandwidthStep, currentBandwidth, targetBandwidth, bandwidthGliding);
        computePeaking (currentGain, currentFrequency, currentBandwidth);
    }

    return filter (x);
}

double ReferenceKorvaneCore::Biquad::filter (double x)
{
    const double y = c[1] * x1 + c[0] * x + c[2] * x2 - c[3] * y1 - c[4] * y2 + 1e-20;
    x2 = x1; x1 = x;
    y2 = y1; y1 = y;
    lastOutput = y;
    return y;
}

//==============================================================================
// The oversampled curve.

double ReferenceKorvaneCore::Oversampler::process (double u)
{
    const int L = factor;

    input.buffer[input.writePos] = u;
    input.buffer[input.writePos + 16] = u;
    const double* W = input.buffer + input.writePos;

    double v[16];

    for (int p = 0; p < L; ++p)
    {
        double sum = 0;

        for (int j = 0; j < 16; ++j)
            sum = sum + (W[j] * tables[p][j] + 1e-20);

        v[p] = sum;
    }

    input.writePos = input.writePos + 1;
    if (input.writePos == 16) input.writePos = 0;

    double a[16];

    for (int p = 0; p < L; ++p)
        a[p] = std::atan (v[p]);

    const int position = phases[0].writePos;

    for (int p = 0; p < L; ++p)
    {
        phases[p].buffer[position] = a[p];
        phases[p].buffer[position + 16] = a[p];
    }

    // The decimation sum: first each phase's 16 terms in tap order, then
    // the L partial sums folded in halves (the upper half added to the lower
    // half, until one is left).
    double partial[16];

    for (int p = 0; p < L; ++p)
    {
        const double* P = phases[p].buffer + position;
        double sum = 0;

        for (int j = 0; j < 16; ++j)
            sum = sum + (P[j] * tables[L - 1 - p][j] + 1e-20);

        partial[p] = sum;
    }

    for (int width = L / 2; width >= 1; width = width / 2)
        for (int p = 0; p < width; ++p)
            partial[p] = partial[p] + partial[p + width];

    const double y = partial[0];

    phases[0].writePos = phases[0].writePos + 1;
    if (phases[0].writePos == 16) phases[0].writePos = 0;

    scratch = y;
    return y;
}

void ReferenceKorvaneCore::Oversampler::clear()
{
    for (double& b : input.buffer) b = 0;

    for (int p = 0; p < factor; ++p)
        for (double& b : phases[p].buffer) b = 0;
}

//==============================================================================

ReferenceKorvaneCore::ReferenceKorvaneCore()
{
    for (int i = 0; i < 400; ++i)
    {
        const double x = std::fabs ((i - 200) * 0.01);
        const double v = x > 0 ? 20 * std::log10 (x) : -320.0;
        double e = v / 30 + 0.8;
        if (e < 0) e = 0;
        if (e > 1) e = 1;
        meterTable[i] = e;
    }

    design (4, prototype4);
    design (8, prototype8);
    design (16, prototype16);

    for (int k2 = 0; k2 < 16; ++k2)
    {
        for (int p = 0; p < 4; ++p)  phase4[p][k2] = prototype4[4 * k2 + p];
        for (int p = 0; p < 8; ++p)  phase8[p][k2] = prototype8[8 * k2 + p];
        for (int p = 0; p < 16; ++p) phase16[p][k2] = prototype16[16 * k2 + p];
    }

    for (auto& c : channelState)
    {
        c.os4.factor = 4;   c.os4.tables = phase4;
        c.os8.factor = 8;   c.os8.tables = phase8;
        c.os16.factor = 16; c.os16.tables = phase16;
    }

    setQuality (0);
}

ReferenceKorvaneCore::~ReferenceKorvaneCore() = default;

void ReferenceKorvaneCore::setSampleRate (float newRate)
{
    const double fs = (double) newRate;
    sampleRate = fs;
    k = 2 * (1 - std::pow (0.5, 44100.0 / fs));
    rateRatio = fs / 44100.0;
    smoothingCoefficient = k * 0.002;

    for (auto& c : channelState)
    {
        c.highCut.initPass (0, highCutHz, 0.1, fs);
        c.lowCut.initPass (1, lowCutHz, 0.1, fs);
    }

    for (auto& c : channelState)
        c.fixedHighPass.initBandwidthHighPass (155, fs, 0.5);

    for (auto& c : channelState)
    {
        c.brightPole = std::exp (-twoPi * (2000 * raw[5] + 369) / fs);
        c.brightState = 0;

        c.postP = std::exp (-twoPi * 622 / fs) + 1e-20;
        c.postC = (c.postP + 1) * 0.5 + 1e-20;
        c.postPrevIn = 0; c.postPrevOut = 0;

        c.preP = std::exp (-twoPi * 311 / fs) + 1e-20;
        c.preC = (c.preP + 1) * 0.5 + 1e-20;
        c.prePrevIn = 0; c.prePrevOut = 0;

        for (int i = 0; i < 4; ++i)
        {
            c.tonePole[i] = std::exp (-twoPi * 207 / fs);
            c.toneState[i] = 0;
        }

        c.envPole = std::exp (-twoPi * 1 / fs);
        c.envState = 0;

        for (int b = 0; b < 4; ++b)
            c.bands[b].initPeaking (bandDb[b], bandHz[b], fs, bandOct[b]);
    }

    smoothingCoefficient = k * 0.002;
    meterDecay = 1 - k * 0.0001;
}

void ReferenceKorvaneCore::setParameter (int index, float value)
{
    if (index < 0 || index > 20)
        return;

    const double v = (double) value;

    if (index >= 1 && index <= 19)
        raw[index] = v;

    Channel& left = channelState[0];

    if (index == 0)
    {
        const float dB = 100.0f * value;
        preampTargetDb = (double) dB;
    }
    else if (index == 1)  { lowCutHz = 300 * (v * v) + 1;     left.lowCut.setTargetFrequency (lowCutHz); }
    else if (index == 2)  { highCutHz = 6500 * (v * v) + 1500; left.highCut.setTargetFrequency (highCutHz); }
    else if (index == 6)  { bandHz[0] = (80 * v + 180) * v + 40;    left.bands[0].setTargetFrequency (bandHz[0]); }
    else if (index == 9)  { bandHz[1] = (600 * v + 1100) * v + 300; left.bands[1].setTargetFrequency (bandHz[1]); }
    else if (index == 12) { bandHz[2] = 3000 * v + 2000;            left.bands[2].setTargetFrequency (bandHz[2]); }
    else if (index == 15) { bandHz[3] = 7000 * v + 5000;            left.bands[3].setTargetFrequency (bandHz[3]); }
    else if (index == 7 || index == 10 || index == 13 || index == 16)
    {
        const int b = (index - 7) / 3;
        bandDb[b] = 48 * v - 24;
        left.bands[b].setTargetGain (bandDb[b]);
    }
    else if (index == 8 || index == 11 || index == 14 || index == 17)
    {
        const int b = (index - 8) / 3;
        bandOct[b] = (1 - v) * 3.5 + 0.5;
        left.bands[b].setTargetBandwidth (bandOct[b]);
    }
    else if (index == 19)
    {
        outputGainTarget = (31.59762133 * (v * v * v * v) + 0.02514867) * v;
    }
    else if (index == 20)
    {
        const float sum = value + 0.5f;
        const float f = std::floor (sum);
        highCutOn = f >= 1.0f ? 1 : (f <= -1.0f ? -1 : 0);   // only "0 or not" matters
    }
}

void ReferenceKorvaneCore::setQuality (int q)
{
    if (q == 0)
    {
        quality = 0;
        latency = 0;
    }
    else if (q == 1 || q == 2 || q == 3)
    {
        quality = q;
        latency = 17;

        for (auto& c : channelState)
        {
            if (q == 1) c.os4.clear();
            if (q == 2) c.os8.clear();
            if (q == 3) c.os16.clear();
        }
    }
}

//==============================================================================

void ReferenceKorvaneCore::changePreset()
{
    fadeActive = true;
    fadingOut = true;
    holding = false;
    fadeTarget = 0;
    holdCount = 0;
}

void ReferenceKorvaneCore::advanceFade (double b, double ratio)
{
    if (! fadeActive)
        return;

    fadeGain = fadeGain - ((fadeGain - fadeTarget) * b + 1e-20);

    if (fadeGain < 0.001 && fadingOut)
    {
        fadeTarget = 0;
        fadeGain = 0;
        holding = true;
        idle = false;
        fadingOut = false;
        holdCount = (std::int32_t) (4000 * ratio);

        if (owner != nullptr)
            owner->applyCurrentPreset();
    }

    if (holdCount > 0 && holding)
    {
        holdCount = holdCount - 1;

        if (holdCount == 0)
        {
            fadeTarget = 1;
            holding = false;
            fadingIn = true;
        }
    }

    if (fadeGain > 0.99 && fadingIn)
    {
        fadeActive = false;
        fadeTarget = 1;
        fadeGain = 1;
        holding = false;
        idle = true;
        fadingIn = false;
    }
}

void ReferenceKorvaneCore::publishMeters (float left, float right)
{
    meterLeft = left >= 0 ? (left > 1 ? 1.0f : left) : 0.0f;
    meterRight = right >= 0 ? (right > 1 ? 1.0f : right) : 0.0f;
}

//==============================================================================

double ReferenceKorvaneCore::chain (Channel& c, double x)
{
    double w = x;

    if (highCutOn != 0)
        w = c.highCut.processPass (w);

    w = c.lowCut.processPass (w);

    {
        const double y = (w - c.prePrevIn) * c.preC + c.preP * c.prePrevOut + 1e-20;
        c.prePrevIn = w;
        c.prePrevOut = y;
        w = 8 * y;
    }

    const double r = w > 0 ? w : 0;
    c.envState = r - (r - c.envState) * c.envPole + 1e-20;
    const double biasTerm = c.envState * bias * 0.2;

    const double u = (w + biasTerm) * preampLinearGain * 0.079575;
    double s;

    if (quality == 0)      s = std::atan (u);
    else if (quality == 1) s = 0.25 * c.os4.process (u);
    else if (quality == 2) s = 0.125 * c.os8.process (u);
    else                   s = 0.0625 * c.os16.process (u);

    const double hp = (s - c.postPrevIn) * c.postC + c.postP * c.postPrevOut + 1e-20;
    c.postPrevIn = s;
    c.postPrevOut = hp;
    const double lp = s - (s - c.brightState) * c.brightPole + 1e-20;
    c.brightState = lp;
    const double mix = (lp - hp) * tone + hp + 1e-20;

    const double k1 = mix - (mix - c.toneState[0]) * c.tonePole[0] + 1e-20;
    c.toneState[0] = k1;
    double t = k1 - mix;

    for (int i = 1; i < 4; ++i)
    {
        t = t - (t - c.toneState[i]) * c.tonePole[i] + 1e-20;
        c.toneState[i] = t;
    }

    double out = (mix - k1) * 0.472 + t;
    out = c.fixedHighPass.filter (out);

    for (int b = 0; b < 4; ++b)
        out = c.bands[b].processPeaking (out);

    const double e = out * compensationGain + 1e-20;
    const double dry = c.dryRing[ringIndex + 30 - latency];
    const double y = ((e - dry) * fx + dry) * outputGain + 1e-20;

    // Meter: the table entry of the level in steps of 0.01, truncated
    // towards zero, then the hold-and-decay.
    const double position = y * 100 + 200;
    int index;
    if (! (position > 0))     index = 0;
    else if (position >= 399) index = 399;
    else                      index = (int) position;

    const double m = meterTable[index];
    if (m > c.meterLevel) c.meterLevel = m;
    c.meterLevel = c.meterLevel * meterDecay + 1e-20;

    // The gate closes on a quiet output once no input waits in the delay.
    bool delayedInput = false;
    for (int back = 0; back < latency; ++back)
        if (c.dryRing[ringIndex + 30 - back] != 0) delayedInput = true;

    c.gateEnvelope = (meterDecay + 1e-20) * c.gateEnvelope;
    if (y > c.gateEnvelope) c.gateEnvelope = y;
    if (c.gateEnvelope < 2e-5 && ! delayedInput) c.active = false;

    return y;
}

double ReferenceKorvaneCore::advanceSmoothedValues()
{
    const double b = smoothingCoefficient;
    preampDb = smooth (preampDb, preampTargetDb, b);
    const double g = 0.3012764109395346 * std::exp (-4.118746329577581 * (preampDb * 0.01 + 1e-20)) + 0.32866730476386563;
    compensationGain = 32 * (g * g * g * g * g) + 1e-20;
    bias = smooth (bias, raw[3], b);
    tone = smooth (tone, raw[4], b);
    brightness = smooth (brightness, raw[5], b);
    fx = smooth (fx, raw[18], b);
    outputGain = smooth (outputGain, outputGainTarget, b);
    preampLinearGain = std::pow (10.0, preampDb * 0.05);
    return std::exp (-twoPi * (2000 * brightness + 369) / sampleRate) + 1e-20;   // the brightness pole
}

void ReferenceKorvaneCore::processStereo (float** leftChannel, float** rightChannel, int numSamples)
{
    float* l = *leftChannel;
    float* r = *rightChannel;
    Channel& L = channelState[0];
    Channel& R = channelState[1];

    for (int i = 0; i < numSamples; ++i)
    {
        const double pole = advanceSmoothedValues();
        L.brightPole = pole;
        R.brightPole = pole;

        const double xL = readSample (l[i]);
        const double xR = readSample (r[i]);
        if (xL != 0) L.active = true;
        if (xR != 0) R.active = true;

        L.dryRing[ringIndex] = xL; L.dryRing[ringIndex + 30] = xL;
        R.dryRing[ringIndex] = xR; R.dryRing[ringIndex + 30] = xR;

        advanceFade (k * 0.002, rateRatio);

        double yL = xL, yR = xR;

        if (L.active)
            yL = chain (L, xL);

        if (R.active)
        {
            for (int band = 0; band < 4; ++band)
                for (int n = 0; n < 5; ++n)
                    R.bands[band].c[n] = L.bands[band].c[n];

            for (int n = 0; n < 5; ++n)
            {
                R.highCut.c[n] = L.highCut.c[n];
                R.lowCut.c[n] = L.lowCut.c[n];
            }

            yR = chain (R, xR);
        }

        if (fadeActive)
        {
            yL = yL * fadeGain;
            yR = yR * fadeGain;
        }

        lastOutput[0] = yL;
        lastOutput[1] = yR;
        l[i] = (float) yL;
        r[i] = (float) yR;

        ringIndex = ringIndex + 1;
        if (ringIndex == 30) ringIndex = 0;
    }

    publishMeters ((float) L.meterLevel, (float) R.meterLevel);
}

void ReferenceKorvaneCore::processMono (float** channel, int numSamples)
{
    float* d = *channel;
    Channel& L = channelState[0];

    for (int i = 0; i < numSamples; ++i)
    {
        const double pole = advanceSmoothedValues();
        L.brightPole = pole;
        channelState[1].brightPole = pole;

        const double x = readSample (d[i]);
        if (x != 0) L.active = true;
        L.dryRing[ringIndex] = x; L.dryRing[ringIndex + 30] = x;

        advanceFade (k * 0.002, rateRatio);

        double y = x;

        if (L.active)
        {
            y = chain (L, x);
            channelState[1].meterLevel = L.meterLevel;
        }

        if (fadeActive)
            y = y * fadeGain;

        lastOutput[0] = y;
        d[i] = (float) y;

        ringIndex = ringIndex + 1;
        if (ringIndex == 30) ringIndex = 0;
    }

    publishMeters ((float) L.meterLevel, (float) L.meterLevel);
}
