#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

/** Audio read from or written to a WAV file. */
struct AudioClip
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 44100.0;
};

/** Reads a mono or stereo WAV file (16/24/32-bit PCM or 32-bit float).
    Throws std::runtime_error when the file is missing, not a WAV, cut
    short of the length its header announces, or has more channels. */
AudioClip readWavFile (const juce::File& file);

/** Writes 32-bit float WAV with the complete header such files need (the
    format's extension size and a "fact" chunk with the frame count).
    Throws std::runtime_error when it cannot. */
void writeFloatWavFile (const juce::File& file, const AudioClip& clip);

/** The clip at another sample rate (windowed-sinc resampling). */
AudioClip resampled (const AudioClip& clip, double newSampleRate);

/** Peak and RMS level per channel, in dBFS (-inf for silence). */
struct ChannelLevels
{
    float peakDb = 0.0f, rmsDb = 0.0f;
};

juce::Array<ChannelLevels> measureLevels (const juce::AudioBuffer<float>& samples);
