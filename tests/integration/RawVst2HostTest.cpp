#include "RawVst2Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

// The built VST 2.4 library as a host that follows the SDK sees it: every
// number below is the SDK's, not FST's.
namespace
{
    constexpr int block = 512;
    constexpr double rate = 44100.0;
    const char* const qualityNames[] = { "low", "medium", "high", "highest" };

    std::unique_ptr<RawVst2Host> loadPlugin()
    {
        auto host = std::make_unique<RawVst2Host> (KORVANE_VST2_PATH, rate, block);
        return host->isLoaded() ? std::move (host) : nullptr;
    }

    struct Signal
    {
        std::vector<float> left, right;
    };

    /** Noise in the left channel and a slow sine in the right, `blocks` blocks long. */
    Signal testSignal (int blocks, unsigned seed)
    {
        Signal s;
        std::mt19937 random (seed);
        std::uniform_real_distribution<float> noise (-0.5f, 0.5f);

        for (int i = 0; i < blocks * block; ++i)
        {
            s.left.push_back (noise (random));
            s.right.push_back (0.4f * (float) std::sin (0.031 * i));
        }

        return s;
    }

    /** The whole signal through the plug-in block by block; `beforeBlock`
        runs before each block with its number. */
    template <typename BeforeBlock>
    Signal render (RawVst2Host& host, const Signal& in, BeforeBlock&& beforeBlock)
    {
        Signal out;
        std::vector<float> l (block), r (block), ol, orr;

        for (size_t start = 0; start < in.left.size(); start += block)
        {
            beforeBlock ((int) (start / block));
            std::copy_n (in.left.begin() + (long) start, block, l.begin());
            std::copy_n (in.right.begin() + (long) start, block, r.begin());
            host.process (l, r, ol, orr);
            out.left.insert (out.left.end(), ol.begin(), ol.end());
            out.right.insert (out.right.end(), orr.begin(), orr.end());
        }

        return out;
    }

    Signal render (RawVst2Host& host, const Signal& in)
    {
        return render (host, in, [] (int) {});
    }

    std::string text (const char* buffer)
    {
        return std::string (buffer, strnlen (buffer, 64));
    }

    int expectedLatency (int quality) { return quality == 0 ? 0 : 17; }
}

TEST (RawVst2Host, AnswersTheQuestionsFstLeavesUnnumbered)
{
    auto host = loadPlugin();
    ASSERT_NE (host, nullptr) << "could not load " << KORVANE_VST2_PATH;

    EXPECT_EQ (host->dispatch (sdk::effGetVstVersion), 2400);
    EXPECT_EQ (host->canDo ("bypass"), 1);

    // A tenth of a second of tail, in samples of the host's rate.
    EXPECT_EQ (host->dispatch (sdk::effGetTailSize), 4410);
    host->dispatch (sdk::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ (host->dispatch (sdk::effGetTailSize), 9600);

    // MIDI in on every channel, no MIDI out.
    EXPECT_EQ (host->dispatch (sdk::effGetNumMidiInputChannels), 16);
    EXPECT_EQ (host->dispatch (sdk::effGetNumMidiOutputChannels), 0);

    // The SDK answers "keys required" reversed: 0 means the editor wants them.
    EXPECT_EQ (host->dispatch (sdk::effKeysRequired), 0);

    EXPECT_EQ (host->getEffect().initialDelay, 0);
}

TEST (RawVst2Host, TheOneProgramIsTheCurrentPresetUnderItsName)
{
    auto host = loadPlugin();
    ASSERT_NE (host, nullptr);
    EXPECT_EQ (host->getEffect().numPrograms, 1);

    char name[64];
    std::memset (name, 'x', sizeof (name));
    host->dispatch (sdk::effGetProgramName, 0, 0, name);
    EXPECT_EQ (text (name), "Honky Tonk");

    std::memset (name, 'x', sizeof (name));
    EXPECT_EQ (host->dispatch (sdk::effGetProgramNameIndexed, 0, 0, name), 1);
    EXPECT_EQ (text (name), "Honky Tonk");

    // There is no second program: no answer, but a terminated empty text.
    std::memset (name, 'x', sizeof (name));
    EXPECT_EQ (host->dispatch (sdk::effGetProgramNameIndexed, 1, 0, name), 0);
    EXPECT_EQ (name[0], 0);

    // A MIDI program change selects another preset: the host is asked to
    // update its display (audioMasterUpdateDisplay, 42) and reads the new name.
    host->resume();
    const auto updatesBefore = host->callsOf (sdk::audioMasterUpdateDisplay);
    host->sendMidi (0xc0, 5);
    std::vector<float> in (block, 0.0f), outLeft, outRight;
    host->process (in, in, outLeft, outRight);

    EXPECT_TRUE (host->waitForCall (sdk::audioMasterUpdateDisplay, updatesBefore, 10000));
    std::memset (name, 'x', sizeof (name));
    host->dispatch (sdk::effGetProgramName, 0, 0, name);
    EXPECT_FALSE (text (name).empty());
    EXPECT_NE (text (name), "Honky Tonk");
    EXPECT_LT (strnlen (name, sizeof (name)), (size_t) 25);   // the SDK's 24 characters and the zero
}

TEST (RawVst2Host, ReportsTheLatencyOfEachQualityAndReannouncesItOnRestart)
{
    auto host = loadPlugin();
    ASSERT_NE (host, nullptr);

    host->setQuality ("low");
    host->resume();
    EXPECT_EQ (host->getEffect().initialDelay, 0);
    int previous = 0;

    for (int quality : { 2, 0, 3, 1 })
    {
        const auto announcedBefore = host->callsOf (sdk::audioMasterIOChanged);

        // A quality change takes effect, and changes the latency, when the
        // host stops and starts processing.
        host->setQuality (qualityNames[quality]);
        EXPECT_EQ (host->getEffect().initialDelay, expectedLatency (previous)) << "before the restart, quality " << quality;
        const bool changes = expectedLatency (previous) != expectedLatency (quality);
        previous = quality;

        host->suspend();
        host->resume();
        EXPECT_EQ (host->getEffect().initialDelay, expectedLatency (quality)) << "quality " << quality;

        // The host hears of a change through audioMasterIOChanged (13).
        if (changes)
            EXPECT_TRUE (host->waitForCall (sdk::audioMasterIOChanged, announcedBefore, 10000)) << "quality " << quality;
    }
}

TEST (RawVst2Host, AnImpulseOnTheDryPathArrivesAtTheReportedLatency)
{
    for (int quality = 0; quality < 4; ++quality)
    {
        auto host = loadPlugin();
        ASSERT_NE (host, nullptr);
        host->setQuality (qualityNames[quality]);
        host->getEffect().setParameter (&host->getEffect(), 18, 0.0f);   // FX: dry only
        host->resume();
        const auto latency = host->getEffect().initialDelay;
        EXPECT_EQ (latency, expectedLatency (quality));

        // A second to let the FX glide settle, then an impulse.
        Signal in;
        in.left.assign ((size_t) (100 * block), 0.0f);
        in.right = in.left;
        const int at = 90 * block + 100;
        in.left[(size_t) at] = 0.5f;
        in.right[(size_t) at] = -0.5f;

        const auto out = render (*host, in);

        for (const auto* channel : { &out.left, &out.right })
        {
            const auto peak = std::max_element (channel->begin(), channel->end(),
                                                [] (float a, float b) { return std::abs (a) < std::abs (b); });
            EXPECT_EQ (peak - channel->begin(), at + latency) << "quality " << quality;
        }
    }
}

TEST (RawVst2Host, BypassGivesTheInputDelayedByTheLatencyAndSwitchesWithoutAClick)
{
    for (int quality = 0; quality < 4; ++quality)
    {
        SCOPED_TRACE ("quality " + std::string (qualityNames[quality]));

        auto bypassed = loadPlugin();
        auto reference = loadPlugin();
        ASSERT_NE (bypassed, nullptr);
        ASSERT_NE (reference, nullptr);

        for (auto* host : { bypassed.get(), reference.get() })
        {
            host->setQuality (qualityNames[quality]);
            host->resume();
        }

        const auto latency = bypassed->getEffect().initialDelay;
        ASSERT_EQ (latency, expectedLatency (quality));

        // Bypass from block 20 to block 40 (effSetBypass, 44).
        const auto in = testSignal (60, 7u + (unsigned) quality);
        const auto out = render (*bypassed, in, [&] (int b)
        {
            if (b == 20) EXPECT_EQ (bypassed->dispatch (sdk::effSetBypass, 0, 1), 1);
            if (b == 40) bypassed->dispatch (sdk::effSetBypass, 0, 0);
        });
        const auto processed = render (*reference, in);

        const int fade = (int) std::round (0.005 * rate);
        const int bypassStart = 20 * block, bypassEnd = 40 * block;

        for (int channel = 0; channel < 2; ++channel)
        {
            const auto& o = channel == 0 ? out.left : out.right;
            const auto& p = channel == 0 ? processed.left : processed.right;
            const auto& x = channel == 0 ? in.left : in.right;

            // Fully bypassed: the input, delayed by the latency the host was
            // told, bit for bit.
            for (int i = bypassStart + fade; i < bypassEnd; ++i)
                ASSERT_EQ (o[(size_t) i], x[(size_t) (i - latency)]) << "channel " << channel << ", sample " << i;

            // Before the switch and once the fade back is over: exactly what
            // a never bypassed instance gives (the chain kept running).
            for (int i = 0; i < bypassStart; ++i)
                ASSERT_EQ (o[(size_t) i], p[(size_t) i]) << "channel " << channel << ", sample " << i;

            for (int i = bypassEnd + fade; i < (int) o.size(); ++i)
                ASSERT_EQ (o[(size_t) i], p[(size_t) i]) << "channel " << channel << ", sample " << i;
        }

        // The sine channel moves smoothly through both switches: no step
        // larger than the processed or the dry signal takes on its own,
        // plus what the crossfade itself adds over its length.
        const auto largestStep = [] (const std::vector<float>& s, int from, int to)
        {
            float largest = 0.0f;
            for (int i = std::max (from, 1); i < to; ++i)
                largest = std::max (largest, std::abs (s[(size_t) i] - s[(size_t) i - 1]));
            return largest;
        };

        const auto ownSteps = std::max (largestStep (processed.right, block, (int) processed.right.size()),
                                        largestStep (in.right, block, (int) in.right.size()));

        for (int edge : { bypassStart, bypassEnd })
            EXPECT_LE (largestStep (out.right, edge, edge + fade + 1), ownSteps + 2.0f / (float) fade) << "switch at " << edge;
    }
}

TEST (RawVst2Host, AMonoInputSoundsOnBothOutputs)
{
    auto host = loadPlugin();
    ASSERT_NE (host, nullptr);

    // A mono track on a stereo bus: one input, two outputs (effSetSpeakerArrangement, 42).
    sdk::VstSpeakerArrangement mono {}, stereo {};
    mono.type = sdk::kSpeakerArrMono;
    mono.numChannels = 1;
    mono.speakers[0].type = sdk::kSpeakerM;
    stereo.type = sdk::kSpeakerArrStereo;
    stereo.numChannels = 2;
    stereo.speakers[0].type = sdk::kSpeakerL;
    stereo.speakers[1].type = sdk::kSpeakerR;
    ASSERT_EQ (host->dispatch (sdk::effSetSpeakerArrangement, 0, (std::intptr_t) &mono, &stereo), 1);

    host->resume();

    // Whatever the host leaves in the second input is not heard.
    auto in = testSignal (20, 3u);
    std::fill (in.right.begin(), in.right.end(), 0.9f);
    const auto out = render (*host, in);

    float loudest = 0.0f;

    for (size_t i = 0; i < out.left.size(); ++i)
    {
        ASSERT_EQ (out.left[i], out.right[i]) << "sample " << i;
        loudest = std::max (loudest, std::abs (out.left[i]));
    }

    EXPECT_GT (loudest, 0.05f);
}

TEST (RawVst2Host, NoSampleRateAHostNamesLeavesTheInstanceBroken)
{
    // 0, negative, NaN and infinite rates are no rate: the instance runs at
    // 44.1 kHz, finite, and a later proper rate finds it as a fresh
    // instance's restart would. An absurdly high one is limited.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const auto warmUp = testSignal (20, 11u);
    const auto after = testSignal (20, 12u);

    auto reference = loadPlugin();
    ASSERT_NE (reference, nullptr);
    reference->resume();
    const auto referenceWarm = render (*reference, warmUp);
    reference->suspend();
    reference->resume();
    const auto expected = render (*reference, after);

    for (float bad : { 0.0f, -44100.0f, nan, infinity, -infinity, 1.0e9f })
    {
        SCOPED_TRACE ("rate " + std::to_string (bad));
        auto host = loadPlugin();
        ASSERT_NE (host, nullptr);

        host->dispatch (sdk::effSetSampleRate, 0, 0, nullptr, bad);
        host->resume();
        const auto warm = render (*host, warmUp);

        for (const auto* channel : { &warm.left, &warm.right })
            for (const auto sample : *channel)
                ASSERT_TRUE (std::isfinite (sample));

        if (! (bad > 1.0e6f))
            EXPECT_EQ (warm.left, referenceWarm.left);

        host->suspend();
        host->dispatch (sdk::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        host->resume();
        const auto out = render (*host, after);

        for (size_t i = 0; i < out.left.size(); ++i)
            ASSERT_TRUE (std::isfinite (out.left[i]) && std::isfinite (out.right[i])) << "sample " << i;

        if (! (bad > 1.0e6f))
        {
            EXPECT_EQ (out.left, expected.left);
            EXPECT_EQ (out.right, expected.right);
        }
    }
}

TEST (RawVst2Host, EveryFactoryPresetSoundsAtEveryRateFrom8kHzTo384kHz)
{
    // Filters the control laws set above half the rate are designed just
    // below it: every preset gives finite output with signal in it.
    for (float rate : { 8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f })
    {
        SCOPED_TRACE ("rate " + std::to_string ((int) rate));
        auto host = loadPlugin();
        ASSERT_NE (host, nullptr);
        host->dispatch (sdk::effSetSampleRate, 0, 0, nullptr, rate);
        host->resume();

        const auto in = testSignal (8, 21u);

        for (int preset = 0; preset < 128; ++preset)
        {
            host->sendMidi (0xc0, (unsigned char) preset);
            const auto out = render (*host, in);
            double sum = 0.0;

            for (size_t i = 0; i < out.left.size(); ++i)
            {
                ASSERT_TRUE (std::isfinite (out.left[i]) && std::isfinite (out.right[i])) << "preset " << preset << ", sample " << i;
                sum += (double) out.left[i] * out.left[i] + (double) out.right[i] * out.right[i];
            }

            EXPECT_GT (std::sqrt (sum / (2.0 * (double) out.left.size())), 1.0e-4) << "preset " << preset;
        }
    }
}

TEST (RawVst2Host, BlocksLongerThanAnnouncedWithAnyOutputPointersStayInsideTheBuffers)
{
    // The host announces 64 samples and then sends 4096 at once: the
    // output is what 64 blocks of 64 give.
    const auto in = testSignal (8, 31u);
    const int n = 4096;

    auto announced = loadPlugin();
    auto oversized = loadPlugin();
    ASSERT_NE (announced, nullptr);
    ASSERT_NE (oversized, nullptr);

    for (auto* host : { announced.get(), oversized.get() })
    {
        host->dispatch (sdk::effSetBlockSize, 0, 64);
        host->resume();
    }

    std::vector<float> expectedLeft, expectedRight, l (64), r (64), ol, orr;

    for (int start = 0; start < n; start += 64)
    {
        std::copy_n (in.left.begin() + start, 64, l.begin());
        std::copy_n (in.right.begin() + start, 64, r.begin());
        announced->process (l, r, ol, orr);
        expectedLeft.insert (expectedLeft.end(), ol.begin(), ol.end());
        expectedRight.insert (expectedRight.end(), orr.begin(), orr.end());
    }

    std::vector<float> left (in.left.begin(), in.left.begin() + n), right (in.right.begin(), in.right.begin() + n);
    std::vector<float> outLeft ((size_t) n), outRight ((size_t) n);
    float* inputs[2] { left.data(), right.data() };
    float* outputs[2] { outLeft.data(), outRight.data() };
    oversized->processRaw (inputs, outputs, n);
    EXPECT_EQ (outLeft, expectedLeft);
    EXPECT_EQ (outRight, expectedRight);

    // Outputs that alias each other or the inputs, or are missing: every
    // write stays inside the buffers (the suite's sanitizer and valgrind
    // runs would see one that does not), and what is written is finite.
    std::vector<float> shared ((size_t) n + 16, 7.0f);
    float* aliased[2] { shared.data(), shared.data() };
    oversized->processRaw (inputs, aliased, n);

    float* inPlace[2] { left.data(), right.data() };
    oversized->processRaw (inPlace, inPlace, n);

    float* missing[2] { nullptr, nullptr };
    oversized->processRaw (inputs, missing, n);

    for (int i = 0; i < n; ++i)
        ASSERT_TRUE (std::isfinite (shared[(size_t) i]) && std::isfinite (left[(size_t) i])) << i;

    for (size_t i = (size_t) n; i < shared.size(); ++i)
        ASSERT_EQ (shared[i], 7.0f) << "written past the block at " << i;
}

TEST (RawVst2Host, EveryTextQuestionGetsATerminatedAnswer)
{
    auto host = loadPlugin();
    ASSERT_NE (host, nullptr);

    for (int opcode : { sdk::effGetParamName, sdk::effGetParamLabel, sdk::effGetParamDisplay })
        for (int index : { -1, 21, 22, 127, 128, 100000 })
        {
            char text[64];
            std::memset (text, 'x', sizeof (text));
            host->dispatch (opcode, index, 0, text);
            EXPECT_EQ (text[0], 0) << "opcode " << opcode << ", index " << index;
        }

    // A parameter that exists still answers with its text.
    char name[64];
    std::memset (name, 'x', sizeof (name));
    host->dispatch (sdk::effGetParamName, 0, 0, name);
    EXPECT_EQ (text (name), "Preamp Gain");
}
