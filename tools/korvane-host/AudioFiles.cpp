#include "AudioFiles.h"

#include <cmath>
#include <stdexcept>

namespace
{
    [[noreturn]] void fail (const juce::String& message)
    {
        throw std::runtime_error (message.toStdString());
    }
}

AudioClip readWavFile (const juce::File& file)
{
    if (! file.existsAsFile())
        fail ("no such file: " + file.getFullPathName());

    auto stream = file.createInputStream();

    if (stream == nullptr)
        fail ("cannot read " + file.getFullPathName());

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (stream.release(), true));

    if (reader == nullptr)
        fail ("not a WAV file: " + file.getFullPathName());

    if (reader->lengthInSamples > std::numeric_limits<int>::max() || reader->numChannels == 0)
        fail ("unsupported WAV file: " + file.getFullPathName());

    AudioClip clip;
    clip.sampleRate = reader->sampleRate;
    clip.samples.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);
    reader->read (&clip.samples, 0, (int) reader->lengthInSamples, 0, true, true);
    return clip;
}

void writeFloatWavFile (const juce::File& file, const AudioClip& clip)
{
    file.deleteFile();
    auto stream = file.createOutputStream();

    if (stream == nullptr)
        fail ("cannot write " + file.getFullPathName());

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), clip.sampleRate, (unsigned int) clip.samples.getNumChannels(), 32, {}, 0));

    if (writer == nullptr)
        fail ("cannot write a WAV file with " + juce::String (clip.samples.getNumChannels()) + " channels at "
              + juce::String (clip.sampleRate) + " Hz");

    stream.release(); // the writer owns it now

    if (! writer->writeFromAudioSampleBuffer (clip.samples, 0, clip.samples.getNumSamples()))
        fail ("writing " + file.getFullPathName() + " failed");
}

AudioClip resampled (const AudioClip& clip, double newSampleRate)
{
    if (newSampleRate == clip.sampleRate)
        return clip;

    const auto ratio = clip.sampleRate / newSampleRate;
    const auto outLength = (int) std::ceil (clip.samples.getNumSamples() / ratio);

    AudioClip result;
    result.sampleRate = newSampleRate;
    result.samples.setSize (clip.samples.getNumChannels(), outLength);
    result.samples.clear();

    // The interpolator reads ahead of the samples it produces, so the input
    // is padded with silence.
    juce::AudioBuffer<float> padded (clip.samples.getNumChannels(), clip.samples.getNumSamples() + 64);
    padded.clear();

    for (int channel = 0; channel < clip.samples.getNumChannels(); ++channel)
    {
        padded.copyFrom (channel, 0, clip.samples, channel, 0, clip.samples.getNumSamples());
        juce::WindowedSincInterpolator interpolator;
        interpolator.process (ratio, padded.getReadPointer (channel), result.samples.getWritePointer (channel), outLength);
    }

    return result;
}

juce::Array<ChannelLevels> measureLevels (const juce::AudioBuffer<float>& samples)
{
    juce::Array<ChannelLevels> levels;
    const auto n = samples.getNumSamples();

    for (int channel = 0; channel < samples.getNumChannels(); ++channel)
    {
        ChannelLevels level;
        level.peakDb = juce::Decibels::gainToDecibels (samples.getMagnitude (channel, 0, n), -INFINITY);
        level.rmsDb = juce::Decibels::gainToDecibels (n > 0 ? samples.getRMSLevel (channel, 0, n) : 0.0f, -INFINITY);
        levels.add (level);
    }

    return levels;
}
