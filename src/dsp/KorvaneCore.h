#pragma once

#include "dsp/BiquadFilter.h"
#include "dsp/EffectCore.h"
#include "dsp/Oversampler.h"
#include "dsp/SampleRateConstants.h"
#include "dsp/SimdDispatch.h"

#include <cstdint>
#include <limits>

/*  Korvane's sound: a tube preamplifier model, processed sample by sample in
    double precision on the host's float buffers.

    Per channel: high cut and low cut, a 311 Hz pre-emphasis high-pass, a bias
    that follows the signal's positive envelope, an arctangent transfer curve
    (4, 8 or 16 times oversampled at qualities 1 to 3), a tone control between
    a brightness low-pass and a 622 Hz high-pass, a 207 Hz tone network, a
    fixed 155 Hz high-pass, four peaking bands, a gain compensation that
    follows the preamp, a dry/wet mix whose dry path is delayed to stay
    aligned with the oversampler, and the output volume. A channel closes its
    gate on silence and then costs nothing until it sounds again.

    The right channel's filters never glide themselves: while the right
    channel sounds, they take over the coefficients the left filters last
    computed.

    Speed without changing a bit: while both channels sound, the two chains
    run side by side in the two lanes of one vector (each lane does exactly
    the scalar operations of its channel, so the two dependency chains
    overlap instead of running one after the other); functions of a smoothed
    value (exp, pow, the brightness pole) are recomputed only when that
    value changed; the right filters take over the left coefficients only
    after the left ones changed; the oversampler runs its dot products with
    the phases in the vector lanes, on the widest unit the CPU has; and
    while no gate can close, three consecutive samples are in the chain at
    once, each in a different stage (see runBothChannels).
*/
class KorvaneCore : public EffectCore
{
public:
    enum Band { bass = 0, middle, treble, presence, numBands };

    static constexpr int dryRingLength = 30;
    static constexpr int oversampledDryDelay = 17;

    KorvaneCore();
    ~KorvaneCore() override;

    void prepare (int maximumBlockSize) override;
    void setSampleRate (float sampleRate) override;
    /** Indices 0 to 20 take the parameter's normalised value; others are ignored. */
    void setParameter (int index, float value) override;
    void setTempo (double beatsPerMinute) override;
    /** 0 plain curve; 1, 2, 3 the 4-, 8-, 16-times oversampled one (its
        histories cleared). Any other value changes nothing. */
    void setQuality (int level) override;
    void clockTick (int clockIndex, Clock& clock) override;
    /** The delay of the output behind the input: 17 samples at the
        oversampled qualities (the oversampler's delay, which the dry path
        matches), 0 at quality 0. */
    int getLatencySamples() override { return latency; }
    void processStereo (float** left, float** right, int numSamples) override;
    void processMono (float** channel, int numSamples) override;

    /** The quantity parameter index (0 to 20) stands for at a normalised
        value: dB, Hz, octaves, a linear gain, 0 or 1, or the value itself.
        Indices outside 0 … 20 give the value unchanged. */
    static double controlLaw (int index, float value) noexcept;

    /** 17 at the oversampled qualities, else 0: the same as getLatencySamples(). */
    virtual int oversamplingDelay() const noexcept { return latency; }

    //==============================================================================
    // Target quantities: what setParameter last derived (not the smoothed
    // values the audio is using). All 0 until the parameter is delivered.
    double getPreampTargetDb() const noexcept        { return preampTargetDb; }
    double getLowCutHz() const noexcept              { return lowCutHz; }
    double getHighCutHz() const noexcept             { return highCutHz; }
    double getBiasTarget() const noexcept            { return rawValue[3]; }
    double getToneTarget() const noexcept            { return rawValue[4]; }
    double getBrightnessTarget() const noexcept      { return rawValue[5]; }
    double getBandHz (int band) const noexcept       { return bandHz[band]; }
    double getBandDb (int band) const noexcept       { return bandDb[band]; }
    double getBandOctaves (int band) const noexcept  { return bandOct[band]; }
    double getFxTarget() const noexcept              { return rawValue[18]; }
    double getOutputGainTarget() const noexcept      { return outputGainTarget; }
    std::int32_t getHighCutOn() const noexcept       { return highCutOn; }
    /** The normalised value last delivered for parameters 1 to 19. */
    double getRawParameter (int index) const noexcept { return rawValue[index]; }

    //==============================================================================
    // Running state.
    struct OnePoleHighPass
    {
        double previousOutput = 0.0, previousInput = 0.0, gain = 0.0, pole = 0.0;
    };

    struct OnePoleLowPass
    {
        double state = 0.0, pole = 0.0;
    };

    /** Everything one channel keeps from sample to sample. */
    struct Channel
    {
        Channel (const PolyphaseTables<4>&, const PolyphaseTables<8>&, const PolyphaseTables<16>&) noexcept;

        double dryRing[2 * dryRingLength] {};   // each sample stored twice, so a delayed read never wraps
        BiquadFilter highCut, lowCut, fixedHighPass;
        OnePoleHighPass postHighPass, preHighPass;
        OnePoleLowPass envelope, brightness;
        OnePoleLowPass toneNetwork[4];
        BiquadFilter bands[numBands];
        bool active = false;
        double gateEnvelope = 0.0;
        Oversampler<4> oversampler4;
        Oversampler<8> oversampler8;
        Oversampler<16> oversampler16;
    };

    int getQuality() const noexcept                               { return quality; }
    const SampleRateConstants& getSampleRateConstants() const noexcept { return rates; }
    const Channel& getChannel (int channel) const noexcept        { return channels[channel]; }
    double getPreampDb() const noexcept                           { return preampDb; }
    double getPreampLinearGain() const noexcept                   { return preampLinearGain; }
    double getCompensationGain() const noexcept                   { return compensationGain; }
    double getFx() const noexcept                                 { return fx; }
    double getOutputGain() const noexcept                         { return outputGain; }
    double getMeterLevel (int channel) const noexcept             { return meterLevel[channel]; }
    double getMeterDecay() const noexcept                         { return meterDecay; }
    bool isChannelActive (int channel) const noexcept             { return channels[channel].active; }
    /** The last output sample of a channel in double precision, before its
        conversion to float (for tests that compare the arithmetic exactly). */
    double getLastOutput (int channel) const noexcept             { return lastOutput[channel]; }

private:
    typedef double Pair __attribute__ ((vector_size (16)));   // lane 0 left, lane 1 right

    /** The recursive states of both chains, side by side, while both
        channels sound (the channels' own copies are stale meanwhile). */
    struct StereoHistory
    {
        Pair x1, x2, y1, y2;
    };

    struct StereoChain
    {
        StereoHistory highCut, lowCut, fixedHighPass, bands[numBands];
        Pair preInput, preOutput, envelope, postInput, postOutput, brightness, tone[4];
    };

    /** The left filters' coefficients, each already in both lanes, so that
        the side-by-side chain reads them without broadcasting every one on
        every sample. Taken at the start of each side-by-side run and again
        whenever a left filter recomputes its coefficients during it. */
    struct StereoCoefficients
    {
        Pair highCut[5], lowCut[5], fixedHighPass[5], bands[numBands][5];
        Pair preGain, prePole, envelopePole, postGain, postPole, tonePole[4];
    };

    void takeStereoCoefficients() noexcept;

    void advanceSharedState() noexcept;
    double processChannel (Channel& channel, int index, double x) noexcept;
    /** What the later stages of a side-by-side sample take from the shared
        state of their own sample (which later samples move on meanwhile). */
    struct SharedSample
    {
        Pair dry;
        double tone, brightnessPole, compensationGain, fx, outputGain;
    };

    Pair inputOfBothChannels (double xL, double xR) noexcept;
    Pair curveOfBothChannels (Pair u, const SharedSample& shared) noexcept;
    Pair backOfBothChannels (Pair out, const SharedSample& shared) noexcept;
    SharedSample takeSharedSample() const noexcept;
    bool gatesStayOpen (int samples) const noexcept;
    void beginSideBySideSample (double xL, double xR) noexcept;
    void storeDry (double xL, double xR) noexcept;
    void emit (float* left, float* right, int index, Pair y) noexcept;
    int runBothChannels (float* left, float* right, int start, int numSamples, double xL, double xR) noexcept;
    int finishSideBySideRun (int last) noexcept;
    void enterLockstep() noexcept;
    void leaveLockstep() noexcept;
    void copyLeftCoefficientsToRight() noexcept;
    void meter (int index, double y) noexcept;
    /** The bypass mix of one output sample of a channel, metered. */
    double bypassOutput (int index, double processed, const double (&metersBefore)[2]) noexcept;
    bool inputStillDelayed (const Channel& channel) const noexcept;
    void gate (Channel& channel, double y) noexcept;
    double curve (Channel& channel, double u) noexcept;

    std::int32_t quality = 0;
    std::int32_t ringIndex = 0;
    std::int32_t latency = 0;

    PolyphaseTables<4> tables4;
    PolyphaseTables<8> tables8;
    PolyphaseTables<16> tables16;

    // Targets
    double preampTargetDb = 0.0;
    double rawValue[20] {};   // normalised values of parameters 1 to 19 (entry 0 unused)
    double outputGainTarget = 0.0;

    // Smoothed per sample
    double preampDb = 0.0, compensationGain = 0.0, bias = 0.0, tone = 0.0, brightness = 0.0, fx = 0.0, outputGain = 0.0;

    // Derived by the control laws
    double bandHz[numBands] {}, bandDb[numBands] {}, bandOct[numBands] {};
    double lowCutHz = 0.0, highCutHz = 0.0;
    std::int32_t highCutOn = 0;

    SampleRateConstants rates;

    double meterLevel[2] {};
    double smoothingCoefficient = 0.0;
    double meterDecay = 0.0;
    double preampLinearGain = 0.0;

    // The values the per-sample gains and brightness pole were last
    // computed for (NaN: not yet, or the rate changed).
    double gainsComputedForPreampDb = std::numeric_limits<double>::quiet_NaN();
    double poleComputedForBrightness = std::numeric_limits<double>::quiet_NaN();

    Channel channels[2];

    StereoChain stereo;
    StereoCoefficients stereoCoefficients;
    double lastOutput[2] {};
    bool inLockstep = false;
    bool rightCoefficientsStale = true;   // a left filter recomputed since the right one last copied
    DspInstructionSet instructionSet = DspInstructionSet::sse2;   // read at the start of each processing call
};
