#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** A six-second stereo guitar riff for trying the plug-in out: plucked
    strings (Karplus–Strong) playing single notes and a few power chords in
    E minor pentatonic at 100 bpm, slightly spread across the stereo field,
    peaking at -6 dBFS and fading to silence at the end.

    The phrase is synthesised, not loaded, and the same sample rate always
    gives the same samples.
*/
juce::AudioBuffer<float> makeDemoPhrase (double sampleRate);

/** A sine of the given frequency and peak amplitude, starting at phase 0,
    the same in every channel; its length is seconds * sampleRate, rounded.
*/
juce::AudioBuffer<float> makeSine (double sampleRate, double frequency, double seconds, float amplitude, int channels);
