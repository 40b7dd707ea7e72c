#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_graphics/juce_graphics.h>

/** Draws a 1600 × 1000 PNG comparing a plug-in's input and output: the two
    waveforms one above the other on a shared time axis, each channel in its
    own colour, and both average spectra on a logarithmic frequency axis.

    Drawing uses software images only, so it works without a display; a
    juce::ScopedJuceInitialiser_GUI must exist for the fonts. An existing file
    is replaced. Returns false, with the reason in error, when the picture
    cannot be written.
*/
bool writePlot (const juce::File& pngFile,
                const juce::AudioBuffer<float>& input,
                const juce::AudioBuffer<float>& output,
                double sampleRate,
                const juce::String& title,
                juce::String& error);
