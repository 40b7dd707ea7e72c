#include "AudioFiles.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace
{
    [[noreturn]] void fail (const juce::String& message)
    {
        throw std::runtime_error (message.toStdString());
    }

    bool isChunk (const char* bytes, const char* name)
    {
        return std::memcmp (bytes, name, 4) == 0;
    }

    /*  Where a RIFF (or RF64) WAV file's sample data starts, found by walking
        its chunks; -1 when the file has no data chunk to find. */
    juce::int64 findSampleData (juce::InputStream& in)
    {
        char id[4] {};

        if (in.read (id, 4) != 4 || ! (isChunk (id, "RIFF") || isChunk (id, "RF64")))
            return -1;

        in.skipNextBytes (8);   // the RIFF size and "WAVE"

        while (in.read (id, 4) == 4)
        {
            const auto size = (juce::uint32) in.readInt();

            if (isChunk (id, "data"))
                return in.getPosition();

            if (! in.setPosition (in.getPosition() + size + (size & 1)))
                break;
        }

        return -1;
    }
}

AudioClip readWavFile (const juce::File& file)
{
    if (! file.existsAsFile())
        fail ("no such file: " + file.getFullPathName());

    auto stream = file.createInputStream();

    if (stream == nullptr)
        fail ("cannot read " + file.getFullPathName());

    const auto dataStart = findSampleData (*stream);
    const auto fileSize = stream->getTotalLength();
    stream->setPosition (0);

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (stream.release(), true));

    if (reader == nullptr)
        fail ("not a WAV file: " + file.getFullPathName());

    if (reader->lengthInSamples > std::numeric_limits<int>::max() || reader->numChannels == 0)
        fail ("unsupported WAV file: " + file.getFullPathName());

    // Refused rather than mixed or dropped: what a channel beyond the second
    // means (surround, ambisonics, separate takes) is not ours to guess.
    if (reader->numChannels > 2)
        fail (file.getFullPathName() + " has " + juce::String (reader->numChannels)
              + " channels: give a mono or stereo WAV file");

    // JUCE's reader fills what is missing with silence; a file cut short
    // (an interrupted copy or download) is damaged, not quiet.
    const auto bytesPerFrame = (juce::int64) reader->numChannels * (juce::int64) (reader->bitsPerSample / 8);
    const auto framesPresent = dataStart < 0 || bytesPerFrame <= 0 ? reader->lengthInSamples
                                                                    : (fileSize - dataStart) / bytesPerFrame;

    if (framesPresent < reader->lengthInSamples)
        fail ("the WAV file " + file.getFullPathName() + " is cut short: its header announces "
              + juce::String (reader->lengthInSamples) + " frames, the file holds only "
              + juce::String (juce::jmax ((juce::int64) 0, framesPresent)) + " of them");

    AudioClip clip;
    clip.sampleRate = reader->sampleRate;
    clip.samples.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);

    if (! reader->read (&clip.samples, 0, (int) reader->lengthInSamples, 0, true, true))
        fail ("reading " + file.getFullPathName() + " failed");

    return clip;
}

void writeFloatWavFile (const juce::File& file, const AudioClip& clip)
{
    const auto numChannels = clip.samples.getNumChannels();
    const auto numFrames = clip.samples.getNumSamples();
    const auto dataBytes = (juce::uint64) numFrames * (juce::uint64) numChannels * 4;

    if (numChannels < 1 || numChannels > 65535 / 4 || clip.sampleRate < 1.0 || clip.sampleRate > 4.0e6)
        fail ("cannot write a WAV file with " + juce::String (numChannels) + " channels at "
              + juce::String (clip.sampleRate) + " Hz");

    const juce::uint64 riffBytes = 4 + (8 + 18) + (8 + 4) + (8 + dataBytes);

    if (riffBytes > 0xffffffffu)
        fail ("too long for a WAV file (over 4 GB): " + file.getFullPathName());

    file.deleteFile();
    juce::FileOutputStream out (file);

    if (! out.openedOk())
        fail ("cannot write " + file.getFullPathName());

    const auto blockAlign = (juce::uint16) (numChannels * 4);
    const auto rate = (juce::uint32) std::lround (clip.sampleRate);

    out.write ("RIFF", 4);
    out.writeInt ((int) (juce::uint32) riffBytes);
    out.write ("WAVE", 4);

    // Plain IEEE float at any channel count, as sox writes it: sox reads
    // WAVE_FORMAT_EXTENSIBLE float with a warning.
    out.write ("fmt ", 4);
    out.writeInt (18);
    out.writeShort (3);   // WAVE_FORMAT_IEEE_FLOAT
    out.writeShort ((short) numChannels);
    out.writeInt ((int) rate);
    out.writeInt ((int) (rate * blockAlign));
    out.writeShort ((short) blockAlign);
    out.writeShort (32);
    out.writeShort (0);   // no extension, but its size is part of every non-PCM header

    // Every format but PCM names its frame count in a fact chunk.
    out.write ("fact", 4);
    out.writeInt (4);
    out.writeInt (numFrames);

    out.write ("data", 4);
    out.writeInt ((int) (juce::uint32) dataBytes);

    constexpr int framesPerWrite = 4096;
    juce::HeapBlock<juce::uint32> interleaved ((size_t) framesPerWrite * (size_t) numChannels);

    for (int start = 0; start < numFrames; start += framesPerWrite)
    {
        const auto n = juce::jmin (framesPerWrite, numFrames - start);

        for (int channel = 0; channel < numChannels; ++channel)
        {
            const auto* source = clip.samples.getReadPointer (channel, start);

            for (int i = 0; i < n; ++i)
            {
                juce::uint32 bits;
                std::memcpy (&bits, source + i, sizeof (bits));
                interleaved[(size_t) (i * numChannels + channel)] = juce::ByteOrder::swapIfBigEndian (bits);
            }
        }

        if (! out.write (interleaved, (size_t) n * (size_t) blockAlign))
            break;
    }

    out.flush();

    if (out.getStatus().failed())
        fail ("writing " + file.getFullPathName() + " failed: " + out.getStatus().getErrorMessage());
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
