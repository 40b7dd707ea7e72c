#include "AudioFiles.h"
#include "DemoPhrase.h"
#include "OutputSampleCheck.h"
#include "PlotWriter.h"
#include "PluginValidator.h"
#include "Spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace
{
    constexpr double rate = 48000.0;
    constexpr int order = 13;
    constexpr int fftSize = 1 << order;

    int loudestBin (const std::vector<float>& db)
    {
        return (int) (std::max_element (db.begin(), db.end()) - db.begin());
    }
}

//==============================================================================
TEST (Spectrum, SinePeaksAtItsBinAtFullScale)
{
    const auto sine = makeSine (rate, 1000.0, 1.0, 1.0f, 1);
    const auto db = averageMagnitudeSpectrumDb (sine.getReadPointer (0), sine.getNumSamples(), order);

    ASSERT_EQ (db.size(), (size_t) fftSize / 2 + 1);
    EXPECT_EQ (loudestBin (db), (int) std::lround (1000.0 * fftSize / rate));
    EXPECT_NEAR (db[(size_t) loudestBin (db)], 0.0f, 1.5f); // at most the window's scalloping loss

    // Centred on a bin, a sine reads full scale exactly.
    const auto centred = makeSine (rate, 171.0 * rate / fftSize, 1.0, 0.5f, 1);
    const auto centredDb = averageMagnitudeSpectrumDb (centred.getReadPointer (0), centred.getNumSamples(), order);
    EXPECT_EQ (loudestBin (centredDb), 171);
    EXPECT_NEAR (centredDb[171], -6.02f, 0.05f);
}

TEST (Spectrum, SilenceAndShortInputReadTheFloor)
{
    const std::vector<float> silence (100, 0.0f);

    for (auto count : { 100, 0 })
    {
        const auto db = averageMagnitudeSpectrumDb (silence.data(), count, order);
        ASSERT_EQ (db.size(), (size_t) fftSize / 2 + 1);
        EXPECT_TRUE (std::all_of (db.begin(), db.end(), [] (float v) { return v == -160.0f; }));
    }
}

//==============================================================================
TEST (PlotWriter, WritesADecodablePicture)
{
    const auto phrase = makeDemoPhrase (rate);
    const auto file = juce::File::createTempFile (".png");
    juce::String error;

    ASSERT_TRUE (writePlot (file, phrase, makeSine (rate, 220.0, 2.0, 0.8f, 1), rate, "Test plot", error)) << error;
    const auto image = juce::ImageFileFormat::loadFrom (file);
    file.deleteFile();

    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 1600);
    EXPECT_EQ (image.getHeight(), 1000);

    const auto first = image.getPixelAt (0, 0);
    bool varied = false;
    for (int y = 0; y < image.getHeight() && ! varied; y += 7)
        for (int x = 0; x < image.getWidth() && ! varied; x += 7)
            varied = image.getPixelAt (x, y) != first;
    EXPECT_TRUE (varied);
}

TEST (PlotWriter, FailsCleanlyForAnUnwritablePath)
{
    juce::AudioBuffer<float> empty (2, 0);
    juce::String error;

    EXPECT_FALSE (writePlot (juce::File ("/proc/no-such-directory/plot.png"), empty, empty, rate, "x", error));
    EXPECT_TRUE (error.isNotEmpty());
}

//==============================================================================
TEST (DemoPhrase, IsDeterministicStereoAndSixSecondsLong)
{
    const auto a = makeDemoPhrase (rate), b = makeDemoPhrase (rate);

    ASSERT_EQ (a.getNumChannels(), 2);
    EXPECT_EQ (a.getNumSamples(), (int) (6.0 * rate));
    ASSERT_EQ (b.getNumSamples(), a.getNumSamples());

    for (int channel = 0; channel < 2; ++channel)
        EXPECT_TRUE (std::equal (a.getReadPointer (channel), a.getReadPointer (channel) + a.getNumSamples(), b.getReadPointer (channel)));
}

TEST (DemoPhrase, PeaksAtMinusSixAndEndsInSilence)
{
    for (auto sampleRate : { 44100.0, 96000.0 })
    {
        const auto phrase = makeDemoPhrase (sampleRate);
        const auto tail = (int) (0.1 * sampleRate);

        EXPECT_NEAR (juce::Decibels::gainToDecibels (phrase.getMagnitude (0, phrase.getNumSamples())), -6.0f, 0.5f);
        EXPECT_LT (phrase.getMagnitude (phrase.getNumSamples() - tail, tail), 1.0e-4f); // below -80 dBFS
        EXPECT_GT (phrase.getRMSLevel (1, 0, phrase.getNumSamples()), 0.01f);           // both channels play
    }
}

TEST (OutputSampleCheck, FindsNaNInfinitiesAndSubnormalsButNotZeros)
{
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    buffer.setSample (0, 3, -0.0f);
    buffer.setSample (1, 5, 0.25f);
    buffer.setSample (1, 6, std::numeric_limits<float>::min());   // the smallest normal number

    OutputSampleCheck check;
    check.scan (buffer, 2, 64);
    EXPECT_TRUE (check.isClean());
    EXPECT_EQ (check.getSamplesScanned(), 64);

    buffer.setSample (1, 10, std::numeric_limits<float>::denorm_min());
    buffer.setSample (0, 20, std::numeric_limits<float>::quiet_NaN());
    buffer.setSample (0, 30, -std::numeric_limits<float>::infinity());
    check.scan (buffer, 2, 64);

    EXPECT_FALSE (check.isClean());
    EXPECT_EQ (check.getNumBadSamples(), 3);
    EXPECT_EQ (check.getSamplesScanned(), 128);
    // The first offence by channel order, with its position in the stream.
    EXPECT_EQ (check.getFirstOffence(), "NaN at channel 0, sample 84");
}

TEST (OutputSampleCheck, LooksOnlyAtTheChannelsAndSamplesItIsGiven)
{
    juce::AudioBuffer<float> buffer (3, 16);
    buffer.clear();
    buffer.setSample (2, 0, std::numeric_limits<float>::quiet_NaN());   // an input-only channel
    buffer.setSample (0, 12, std::numeric_limits<float>::infinity());   // past the block

    OutputSampleCheck check;
    check.scan (buffer, 2, 8);
    EXPECT_TRUE (check.isClean());

    check.scan (buffer, 1, 16);
    EXPECT_EQ (check.getFirstOffence(), "an infinite sample at channel 0, sample 20");
}

//==============================================================================
namespace
{
    /*  A small plug-in whose state is its two parameters, kept either in
        the instance or, as in a plug-in that keeps what should be per
        instance in a static, in storage every instance shares. */
    class TwoParameterPlugin : public juce::AudioPluginInstance
    {
    public:
        explicit TwoParameterPlugin (bool shareState)
            : AudioPluginInstance (BusesProperties().withInput ("In", juce::AudioChannelSet::stereo())
                                                   .withOutput ("Out", juce::AudioChannelSet::stereo()))
        {
            auto* storage = shareState ? shared : own;
            addHostedParameter (std::make_unique<Value> ("gain", storage[0]));
            addHostedParameter (std::make_unique<Value> ("tone", storage[1]));
        }

        void fillInPluginDescription (juce::PluginDescription& d) const override
        {
            d.name = "Two parameters";
            d.pluginFormatName = "Test";
        }

        const juce::String getName() const override { return "Two parameters"; }
        void prepareToPlay (double, int) override {}
        void releaseResources() override {}

        void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&) override
        {
            buffer.applyGain (getParameters()[0]->getValue());
        }

        double getTailLengthSeconds() const override { return 0.0; }
        bool acceptsMidi() const override { return false; }
        bool producesMidi() const override { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        bool hasEditor() const override { return false; }
        int getNumPrograms() override { return 1; }
        int getCurrentProgram() override { return 0; }
        void setCurrentProgram (int) override {}
        const juce::String getProgramName (int) override { return {}; }
        void changeProgramName (int, const juce::String&) override {}

        void getStateInformation (juce::MemoryBlock& destination) override
        {
            const float values[2] { getParameters()[0]->getValue(), getParameters()[1]->getValue() };
            destination.replaceAll (values, sizeof (values));
        }

        void setStateInformation (const void* data, int size) override
        {
            if (size != (int) sizeof (float[2]))
                return;

            float values[2];
            std::memcpy (values, data, sizeof (values));
            getParameters()[0]->setValue (values[0]);
            getParameters()[1]->setValue (values[1]);
        }

    private:
        struct Value : public HostedParameter
        {
            Value (juce::String idToUse, std::atomic<float>& storageToUse) : id (std::move (idToUse)), storage (storageToUse) {}
            juce::String getParameterID() const override { return id; }
            float getValue() const override { return storage; }
            void setValue (float newValue) override { storage = newValue; }
            float getDefaultValue() const override { return 0.5f; }
            juce::String getName (int) const override { return id; }
            juce::String getLabel() const override { return {}; }
            float getValueForText (const juce::String& text) const override { return text.getFloatValue(); }

            const juce::String id;
            std::atomic<float>& storage;
        };

        std::atomic<float> own[2] { 0.5f, 0.5f };
        static inline std::atomic<float> shared[2] { 0.5f, 0.5f };
    };

    PluginValidator::Outcome validateInstances (bool shareState)
    {
        TwoParameterPlugin plugin (shareState);
        PluginValidator::Settings settings;
        settings.secondsPerCase = 0.2;
        PluginValidator validator (plugin, settings, [shareState] { return std::make_unique<TwoParameterPlugin> (shareState); });
        return validator.checkInstancesOnSeveralThreads();
    }
}

TEST (PluginValidator, InstancesThatShareTheirStateFailTheCheckOfSeveralInstances)
{
    const auto own = validateInstances (false);
    EXPECT_EQ (own.result, PluginValidator::Outcome::passed) << own.detail;
    EXPECT_TRUE (own.detail.contains ("4 instances")) << own.detail;

    const auto shared = validateInstances (true);
    EXPECT_EQ (shared.result, PluginValidator::Outcome::failed) << shared.detail;
    EXPECT_TRUE (shared.detail.contains ("saves another state than its own")) << shared.detail;

    // Without a way to make instances, the check says so rather than passing.
    TwoParameterPlugin plugin (false);
    PluginValidator validator (plugin, {});
    EXPECT_EQ (validator.checkInstancesOnSeveralThreads().result, PluginValidator::Outcome::skipped);
}

//==============================================================================
// The WAV files korvane-host reads and writes.
namespace
{
    struct Chunk
    {
        juce::int64 offset = -1;   // of its contents
        juce::uint32 size = 0;
    };

    // The chunks of a RIFF WAV file by name, and whether the walk reached the
    // file's end exactly.
    std::map<juce::String, Chunk> chunksOf (const juce::MemoryBlock& file, bool& endsExactly)
    {
        std::map<juce::String, Chunk> chunks;
        juce::MemoryInputStream in (file, false);
        endsExactly = false;

        char id[4] {};
        if (in.read (id, 4) != 4 || std::memcmp (id, "RIFF", 4) != 0)
            return chunks;

        const auto riffSize = (juce::uint32) in.readInt();
        if (riffSize + 8 != file.getSize() || in.read (id, 4) != 4 || std::memcmp (id, "WAVE", 4) != 0)
            return chunks;

        while (in.getNumBytesRemaining() >= 8)
        {
            in.read (id, 4);
            const auto size = (juce::uint32) in.readInt();
            chunks[juce::String (id, 4)] = { in.getPosition(), size };
            in.setPosition (in.getPosition() + size + (size & 1));
        }

        endsExactly = in.getPosition() == (juce::int64) file.getSize();
        return chunks;
    }

    juce::uint16 shortAt (const juce::MemoryBlock& file, juce::int64 offset)
    {
        return juce::ByteOrder::littleEndianShort (static_cast<const char*> (file.getData()) + offset);
    }

    juce::uint32 intAt (const juce::MemoryBlock& file, juce::int64 offset)
    {
        return juce::ByteOrder::littleEndianInt (static_cast<const char*> (file.getData()) + offset);
    }

    AudioClip clipOf (int channels, int frames)
    {
        AudioClip clip;
        clip.sampleRate = 48000.0;
        clip.samples = makeSine (clip.sampleRate, 440.0, frames / clip.sampleRate, 0.5f, channels);

        for (int channel = 0; channel < channels; ++channel)
            clip.samples.applyGain (channel, 0, frames, 1.0f / (float) (channel + 1));

        return clip;
    }

    bool sameSamples (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
    {
        if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
            return false;

        for (int channel = 0; channel < a.getNumChannels(); ++channel)
            if (std::memcmp (a.getReadPointer (channel), b.getReadPointer (channel), sizeof (float) * (size_t) a.getNumSamples()) != 0)
                return false;

        return true;
    }

    // A mono or stereo file as JUCE's own WAV writer makes it.
    juce::MemoryBlock juceWav (const AudioClip& clip, int bits)
    {
        juce::MemoryBlock bytes;
        {
            juce::WavAudioFormat wav;
            std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (new juce::MemoryOutputStream (bytes, false), clip.sampleRate,
                                                                                   (unsigned int) clip.samples.getNumChannels(), bits, {}, 0));
            writer->writeFromAudioSampleBuffer (clip.samples, 0, clip.samples.getNumSamples());
        }
        return bytes;
    }
}

TEST (AudioFiles, FloatWavHasAFactChunkWithItsFrameCount)
{
    for (const int channels : { 1, 2, 4 })
    {
        const auto clip = clipOf (channels, 12345);
        juce::TemporaryFile temp (".wav");
        writeFloatWavFile (temp.getFile(), clip);

        juce::MemoryBlock file;
        ASSERT_TRUE (temp.getFile().loadFileAsData (file));
        bool endsExactly = false;
        const auto chunks = chunksOf (file, endsExactly);
        EXPECT_TRUE (endsExactly) << channels;

        ASSERT_EQ (chunks.count ("fmt "), 1u) << channels;
        ASSERT_EQ (chunks.count ("fact"), 1u) << channels;
        ASSERT_EQ (chunks.count ("data"), 1u) << channels;

        const auto fmt = chunks.at ("fmt ");
        EXPECT_EQ (fmt.size, 18u);
        EXPECT_EQ (shortAt (file, fmt.offset), 3);   // WAVE_FORMAT_IEEE_FLOAT
        EXPECT_EQ (shortAt (file, fmt.offset + 2), channels);
        EXPECT_EQ (intAt (file, fmt.offset + 4), 48000u);
        EXPECT_EQ (intAt (file, fmt.offset + 8), 48000u * 4u * (juce::uint32) channels);
        EXPECT_EQ (shortAt (file, fmt.offset + 12), 4 * channels);
        EXPECT_EQ (shortAt (file, fmt.offset + 14), 32);
        EXPECT_EQ (shortAt (file, fmt.offset + 16), 0);   // the extension's size

        EXPECT_EQ (chunks.at ("fact").size, 4u);
        EXPECT_EQ (intAt (file, chunks.at ("fact").offset), 12345u);
        EXPECT_EQ (chunks.at ("data").size, 12345u * 4u * (juce::uint32) channels);

        // JUCE's reader takes it, every sample as written.
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (temp.getFile().createInputStream().release(), true));
        ASSERT_NE (reader, nullptr);
        EXPECT_TRUE (reader->usesFloatingPointData);
        EXPECT_EQ (reader->numChannels, (unsigned int) channels);
        EXPECT_EQ (reader->lengthInSamples, 12345);
        juce::AudioBuffer<float> back (channels, 12345);
        reader->read (&back, 0, 12345, 0, true, true);
        EXPECT_TRUE (sameSamples (back, clip.samples)) << channels;

        if (channels <= 2)
            EXPECT_TRUE (sameSamples (readWavFile (temp.getFile()).samples, clip.samples)) << channels;
    }
}

TEST (AudioFiles, SoxReadsTheFloatWavWithoutAWarning)
{
    const juce::File sox ("/usr/bin/sox");

    if (! sox.existsAsFile())
        GTEST_SKIP() << "sox is not installed";

    juce::TemporaryFile temp (".wav");

    for (const int channels : { 1, 2, 4 })
    {
        writeFloatWavFile (temp.getFile(), clipOf (channels, 4800));

        // The header as soxi shows it, then every sample read through.
        for (const auto& arguments : { juce::StringArray { "--i", temp.getFile().getFullPathName() },
                                       juce::StringArray { temp.getFile().getFullPathName(), "-n", "stat" } })
        {
            juce::StringArray command { sox.getFullPathName() };
            command.addArray (arguments);

            juce::ChildProcess process;
            ASSERT_TRUE (process.start (command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr));
            const auto output = process.readAllProcessOutput();
            ASSERT_TRUE (process.waitForProcessToFinish (60000));
            EXPECT_EQ (process.getExitCode(), 0u) << output;
            EXPECT_FALSE (output.containsIgnoreCase ("warn")) << channels << " channels\n" << output;

            if (arguments[0] == "--i")
            {
                EXPECT_TRUE (output.contains ("32-bit Floating Point PCM")) << output;
                EXPECT_TRUE (output.contains ("4800 samples")) << output;
                EXPECT_TRUE (output.contains ("Channels       : " + juce::String (channels))) << output;
            }
            else
            {
                EXPECT_TRUE (output.contains ("Samples read:")) << output;
                EXPECT_TRUE (output.contains (juce::String (4800 * channels))) << output;
            }
        }
    }
}

TEST (AudioFiles, ReadsWhatJucesWriterMakes)
{
    const auto clip = clipOf (2, 4000);

    for (const int bits : { 16, 24, 32 })
    {
        juce::TemporaryFile temp (".wav");
        const auto bytes = juceWav (clip, bits);
        temp.getFile().replaceWithData (bytes.getData(), bytes.getSize());

        const auto read = readWavFile (temp.getFile());
        EXPECT_EQ (read.samples.getNumChannels(), 2) << bits;
        EXPECT_EQ (read.samples.getNumSamples(), 4000) << bits;
        EXPECT_EQ (read.sampleRate, 48000.0);
        EXPECT_NEAR (read.samples.getMagnitude (0, 0, 4000), 0.5f, 1.0e-3f) << bits;
    }
}

TEST (AudioFiles, AFileCutShortOfItsHeaderIsAnError)
{
    // A second of 16-bit stereo whose header still announces all of it,
    // cut after 14 frames of its data.
    const auto bytes = juceWav (clipOf (2, 48000), 16);
    bool endsExactly = false;
    const auto chunks = chunksOf (bytes, endsExactly);
    ASSERT_EQ (chunks.count ("data"), 1u);

    juce::TemporaryFile temp (".wav");
    temp.getFile().replaceWithData (bytes.getData(), (size_t) chunks.at ("data").offset + 14 * 4);

    try
    {
        readWavFile (temp.getFile());
        FAIL() << "a cut file was read";
    }
    catch (const std::runtime_error& e)
    {
        const juce::String message (e.what());
        EXPECT_TRUE (message.contains ("cut short")) << message;
        EXPECT_TRUE (message.contains ("48000 frames")) << message;
        EXPECT_TRUE (message.contains ("only 14 of them")) << message;
    }

    // Cut inside the header: no WAV at all.
    temp.getFile().replaceWithData (bytes.getData(), 20);
    EXPECT_THROW (readWavFile (temp.getFile()), std::runtime_error);

    // The whole file reads.
    temp.getFile().replaceWithData (bytes.getData(), bytes.getSize());
    EXPECT_EQ (readWavFile (temp.getFile()).samples.getNumSamples(), 48000);
}

TEST (AudioFiles, MoreThanTwoChannelsAreRefusedWithTheirCount)
{
    juce::TemporaryFile temp (".wav");
    writeFloatWavFile (temp.getFile(), clipOf (4, 4800));

    try
    {
        readWavFile (temp.getFile());
        FAIL() << "a 4-channel file was read";
    }
    catch (const std::runtime_error& e)
    {
        const juce::String message (e.what());
        EXPECT_TRUE (message.contains ("4 channels")) << message;
        EXPECT_TRUE (message.contains ("mono or stereo")) << message;
    }
}
