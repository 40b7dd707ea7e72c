#include "OutputSampleCheck.h"

#include <cmath>

void OutputSampleCheck::scan (const juce::AudioBuffer<float>& buffer, int numChannels, int numSamples)
{
    numChannels = juce::jmin (numChannels, buffer.getNumChannels());
    numSamples = juce::jmin (numSamples, buffer.getNumSamples());

    for (int channel = 0; channel < numChannels; ++channel)
    {
        const auto* samples = buffer.getReadPointer (channel);

        for (int i = 0; i < numSamples; ++i)
        {
            const auto kind = std::fpclassify (samples[i]);

            if (kind == FP_NORMAL || kind == FP_ZERO)
                continue;

            if (numBad++ == 0)
            {
                const auto what = kind == FP_NAN ? juce::String ("NaN")
                                : kind == FP_INFINITE ? juce::String ("an infinite sample")
                                : "a subnormal sample (" + juce::String (samples[i]) + ")";
                firstOffence = what + " at channel " + juce::String (channel) + ", sample "
                             + juce::String (numScanned + i);
            }
        }
    }

    numScanned += numSamples;
}
