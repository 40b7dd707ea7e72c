#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

/** Audio read from or written to a WAV file. */
struct AudioClip
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 44100.0;
};

/** Reads a WAV file (16/24/32-bit PCM or 32-bit float, any channel count).
    Throws std::runtime_error when the file is missing or not a WAV. */
AudioClip readWavFile (const juce::File& file);

/** Writes 32-bit float WAV. Throws std::runtime_error when it cannot. */
void writeFloatWavFile (const juce::File& file, const AudioClip& clip);

/** The clip at another sample rate (windowed-sinc resampling). */
AudioClip resampled (const AudioClip& clip, double newSampleRate);

/** Peak and RMS level per channel, in dBFS (-inf for silence). */
struct ChannelLevels
{
    float peakDb = 0.0f, rmsDb = 0.0f;
};

juce::Array<ChannelLevels> measureLevels (const juce::AudioBuffer<float>& samples);
