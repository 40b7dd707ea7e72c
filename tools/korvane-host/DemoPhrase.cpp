#include "DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
    constexpr double pi = 3.14159265358979323846;

    constexpr double phraseSeconds = 6.0;
    constexpr double beatSeconds = 60.0 / 100.0;
    constexpr double peakLevel = 0.5; // -6 dBFS

    // Everything has faded out by here, leaving a little silence at the end.
    constexpr double fadeStartSeconds = 5.55;
    constexpr double fadeEndSeconds = 5.85;

    /** A small generator of its own, so the noise bursts are the same
        whatever library or platform the phrase is built with. */
    class NoiseSource
    {
    public:
        explicit NoiseSource (std::uint32_t seed) : state (seed * 2654435761u + 0x9e3779b9u) {}

        double next() // uniform in -1 … 1
        {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            return (double) state / 2147483647.5 - 1.0;
        }

    private:
        std::uint32_t state;
    };

    struct Note
    {
        double startBeat;
        double lengthBeats;   // until the string is damped
        int midiNote;
        double velocity;      // 0 … 1: loudness and brightness of the pluck
        double pan;           // -1 (left) … +1 (right)
    };

    double noteFrequency (int midiNote)
    {
        return 440.0 * std::pow (2.0, (midiNote - 69) / 12.0);
    }

    /*  One plucked string: a delay line one period long, filled with a
        softened noise burst, fed back through a gentle two-point lowpass (the
        high harmonics die first, as on a real string) and a first-order
        allpass that supplies the fraction of a sample the integer delay
        cannot, so high notes stay in tune. When the note ends the string is
        damped over a few tens of milliseconds, as a fretting hand does.
    */
    void addPluckedString (juce::AudioBuffer<float>& out, double sampleRate, const Note& note, std::uint32_t seed)
    {
        const auto frequency = noteFrequency (note.midiNote);
        const auto period = sampleRate / frequency;

        // Loop delay: integer line + 0.5 (lowpass) + allpass fraction.
        const auto lowpassDelay = 0.5;
        const auto lineLength = std::max (2, (int) std::floor (period - lowpassDelay - 0.1));
        const auto fraction = period - lowpassDelay - lineLength;
        const auto allpass = (1.0 - fraction) / (1.0 + fraction);

        // Low strings ring longer than high ones, as they do on a guitar.
        const auto sustainSeconds = juce::jmap ((double) note.midiNote, 40.0, 64.0, 3.5, 1.6);
        const auto loopGain = std::pow (0.001, 1.0 / (sustainSeconds * frequency));

        // The burst: noise, smoothed more for softer plucks, with a pick
        // position comb (plucked at about a fifth of the string) and its
        // average removed so no offset circulates in the loop.
        std::vector<double> line ((std::size_t) lineLength);
        NoiseSource noise (seed);
        const auto smoothing = juce::jmap (note.velocity, 0.0, 1.0, 0.75, 0.35);
        double smoothed = 0.0;

        for (auto& s : line)
        {
            smoothed += (1.0 - smoothing) * (noise.next() - smoothed);
            s = smoothed;
        }

        const auto pickOffset = std::max (1, (int) std::lround (lineLength * 0.2));
        std::vector<double> burst (line.size());

        for (std::size_t i = 0; i < line.size(); ++i)
            burst[i] = line[i] - (i >= (std::size_t) pickOffset ? line[i - (std::size_t) pickOffset] : 0.0);

        double mean = 0.0;
        for (auto s : burst) mean += s;
        mean /= (double) burst.size();

        for (std::size_t i = 0; i < line.size(); ++i)
            line[i] = (burst[i] - mean) * note.velocity;

        const auto start = (int) std::lround (note.startBeat * beatSeconds * sampleRate);
        const auto dampAt = start + (int) std::lround (note.lengthBeats * beatSeconds * sampleRate);
        const auto dampSamples = 0.06 * sampleRate;
        const auto end = std::min (out.getNumSamples(), dampAt + (int) (dampSamples * 3.0));

        // Constant-power pan.
        const auto angle = (note.pan + 1.0) * pi / 4.0;
        const auto gainLeft = std::cos (angle), gainRight = std::sin (angle);
        auto* left = out.getWritePointer (0);
        auto* right = out.getWritePointer (1);

        double previous = 0.0, allpassIn = 0.0, allpassOut = 0.0;
        std::size_t index = 0;

        for (int n = start; n < end; ++n)
        {
            const auto y = line[index];
            const auto lowpassed = loopGain * 0.5 * (y + previous);
            previous = y;

            allpassOut = allpass * lowpassed + allpassIn - allpass * allpassOut;
            allpassIn = lowpassed;
            line[index] = allpassOut;
            index = (index + 1) % line.size();

            const auto damping = n < dampAt ? 1.0 : std::exp (-(n - dampAt) / (dampSamples / 3.0));
            const auto sample = y * damping;
            left[n] += (float) (sample * gainLeft);
            right[n] += (float) (sample * gainRight);
        }
    }

    /*  The riff: two bars of E minor pentatonic, opening on an E5 power chord
        and coming back to it, with a G5 in the middle. Chords are strummed
        downwards, a few milliseconds from string to string.
    */
    std::vector<Note> riff()
    {
        std::vector<Note> notes;

        const auto chord = [&notes] (double beat, double length, std::initializer_list<int> strings, double velocity)
        {
            double offset = 0.0, pan = -0.35;
            const auto panStep = 0.7 / (double) std::max<std::size_t> (strings.size() - 1, 1);

            for (auto midiNote : strings)
            {
                notes.push_back ({ beat + offset, length - offset, midiNote, velocity, pan });
                offset += 0.025; // about 15 ms at 100 bpm
                pan += panStep;
                velocity *= 0.92;
            }
        };

        // Single notes sit a little off centre, higher notes further right.
        const auto single = [&notes] (double beat, double length, int midiNote, double velocity)
        {
            notes.push_back ({ beat, length, midiNote, velocity, juce::jmap ((double) midiNote, 50.0, 64.0, -0.2, 0.3) });
        };

        chord  (0.0, 1.0, { 40, 47, 52 }, 1.0);   // E5
        single (1.0, 0.5, 55, 0.80);              // G
        single (1.5, 0.5, 57, 0.75);              // A
        single (2.0, 0.5, 59, 0.85);              // B
        single (2.5, 0.5, 57, 0.70);              // A
        single (3.0, 0.5, 55, 0.75);              // G
        single (3.5, 0.5, 52, 0.80);              // E

        single (4.0, 0.5, 50, 0.85);              // D
        single (4.5, 0.5, 52, 0.75);              // E
        chord  (5.0, 1.0, { 43, 50, 55 }, 0.95);  // G5
        single (6.0, 0.5, 57, 0.80);              // A
        single (6.5, 0.5, 59, 0.75);              // B
        single (7.0, 0.5, 62, 0.90);              // D
        single (7.5, 0.5, 59, 0.75);              // B

        chord  (8.0, 1.25, { 40, 47, 52 }, 1.0);  // E5, let ring

        return notes;
    }

    /** The tone of a pickup into a cable: a second-order lowpass with a
        slight resonance, so the raw pluck is not harsh. */
    void pickupTone (float* samples, int numSamples, double sampleRate)
    {
        const auto frequency = std::min (4200.0, sampleRate * 0.4);
        const auto q = 0.9;
        const auto w = 2.0 * pi * frequency / sampleRate;
        const auto alpha = std::sin (w) / (2.0 * q);
        const auto a0 = 1.0 + alpha;
        const auto b0 = (1.0 - std::cos (w)) * 0.5 / a0, b1 = (1.0 - std::cos (w)) / a0;
        const auto a1 = -2.0 * std::cos (w) / a0, a2 = (1.0 - alpha) / a0;
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

        for (int n = 0; n < numSamples; ++n)
        {
            const auto x = (double) samples[n];
            const auto y = b0 * x + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1; x1 = x;
            y2 = y1; y1 = y;
            samples[n] = (float) y;
        }
    }

    /** Takes out the offset a sum of strings can drift by: a first-order
        highpass at about 20 Hz. */
    void removeOffset (float* samples, int numSamples, double sampleRate)
    {
        const auto r = std::exp (-2.0 * pi * 20.0 / sampleRate);
        double previousIn = 0.0, previousOut = 0.0;

        for (int n = 0; n < numSamples; ++n)
        {
            const auto x = (double) samples[n];
            previousOut = x - previousIn + r * previousOut;
            previousIn = x;
            samples[n] = (float) previousOut;
        }
    }
}

juce::AudioBuffer<float> makeDemoPhrase (double sampleRate)
{
    const auto numSamples = (int) std::lround (phraseSeconds * sampleRate);
    juce::AudioBuffer<float> phrase (2, numSamples);
    phrase.clear();

    const auto notes = riff();

    for (std::size_t i = 0; i < notes.size(); ++i)
        addPluckedString (phrase, sampleRate, notes[i], (std::uint32_t) (i + 1) * 7919u);

    for (int channel = 0; channel < phrase.getNumChannels(); ++channel)
    {
        pickupTone (phrase.getWritePointer (channel), numSamples, sampleRate);
        removeOffset (phrase.getWritePointer (channel), numSamples, sampleRate);
    }

    // The last chord is faded out by hand, so the phrase ends in silence
    // whatever the strings are still doing.
    const auto fadeStart = (int) std::lround (fadeStartSeconds * sampleRate);
    const auto fadeEnd = (int) std::lround (fadeEndSeconds * sampleRate);

    for (int channel = 0; channel < phrase.getNumChannels(); ++channel)
    {
        auto* samples = phrase.getWritePointer (channel);

        for (int n = std::max (fadeStart, 0); n < numSamples; ++n)
        {
            const auto position = (double) (n - fadeStart) / (double) (fadeEnd - fadeStart);
            samples[n] *= position >= 1.0 ? 0.0f : (float) (0.5 + 0.5 * std::cos (pi * position));
        }
    }

    const auto peak = phrase.getMagnitude (0, numSamples);

    if (peak > 0.0f)
        phrase.applyGain ((float) (peakLevel / peak));

    return phrase;
}

juce::AudioBuffer<float> makeSine (double sampleRate, double frequency, double seconds, float amplitude, int channels)
{
    const auto numSamples = std::max (0, (int) std::lround (seconds * sampleRate));
    juce::AudioBuffer<float> sine (std::max (channels, 0), numSamples);

    for (int channel = 0; channel < sine.getNumChannels(); ++channel)
    {
        auto* samples = sine.getWritePointer (channel);

        // The phase is computed from the sample index, not accumulated, so
        // long sines do not drift.
        for (int n = 0; n < numSamples; ++n)
        {
            const auto phase = 2.0 * pi * std::fmod (frequency * (double) n / sampleRate, 1.0);
            samples[n] = (float) (amplitude * std::sin (phase));
        }
    }

    return sine;
}
