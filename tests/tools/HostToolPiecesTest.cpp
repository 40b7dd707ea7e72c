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
