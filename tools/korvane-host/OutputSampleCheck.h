#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/*  Watches a plug-in's output for samples no host should receive: NaN,
    infinities and subnormal numbers (which cost some CPUs a hundred times
    a normal sample's work in every plug-in after this one). Keeps the first
    offence and counts all of them.
*/
class OutputSampleCheck
{
public:
    /** Scans the first numSamples of every channel of the buffer. */
    void scan (const juce::AudioBuffer<float>& buffer, int numChannels, int numSamples);

    bool isClean() const noexcept               { return numBad == 0; }
    juce::int64 getSamplesScanned() const noexcept { return numScanned; }
    juce::int64 getNumBadSamples() const noexcept  { return numBad; }

    /** "NaN at channel 1, sample 4410" for the first offence, or empty. */
    const juce::String& getFirstOffence() const noexcept { return firstOffence; }

private:
    juce::int64 numScanned = 0, numBad = 0;
    juce::String firstOffence;
};
