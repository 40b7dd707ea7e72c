#include "dsp/KorvaneCore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;

    // Korvane's parameter defaults, the way the frame delivers them before
    // the first prepare.
    constexpr float defaults[21] { 0.0f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f,
                                   0.0f, 0.5f, 0.5f, 0.6f, 0.5f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f };

    /** What the core is fed, block after block. */
    enum class Signal
    {
        twoTones,     // keeps both gates open
        silence,      // digital silence after a loud start: the gates close
        veryQuiet,    // tones at -600 dB, deep in the subnormal range
        quietTail     // a loud start, then tones at -140 dB: just above the gates
    };

    void fill (std::vector<float>& left, std::vector<float>& right, Signal signal, bool start)
    {
        const double amplitude = signal == Signal::twoTones || start ? 1.0
                               : signal == Signal::veryQuiet ? 1.0e-30
                               : signal == Signal::quietTail ? 1.0e-7 : 0.0;

        for (int i = 0; i < blockSize; ++i)
        {
            const double t = i / sampleRate;
            const double offset = amplitude == 1.0 ? 0.1 : 0.0;
            left[(size_t) i] = (float) (amplitude * (0.5 * std::sin (2.0 * 3.141592653589793 * 220.0 * t) + offset));
            right[(size_t) i] = (float) (amplitude * (0.4 * std::sin (2.0 * 3.141592653589793 * 330.0 * t) + offset));
        }
    }

    // ns per stereo frame at 44.1 kHz, block 512; the arguments are the
    // quality level and the signal.
    void core (benchmark::State& state)
    {
        const auto signal = (Signal) state.range (1);
        KorvaneCore korvane;

        for (int i = 0; i < 21; ++i)
            korvane.setParameter (i, defaults[i]);

        korvane.setParameter (0, 0.4f);   // 40 dB of preamp: the curve works
        korvane.prepare (blockSize);
        korvane.setSampleRate ((float) sampleRate);
        korvane.setQuality ((int) state.range (0));

        std::vector<float> startLeft (blockSize), startRight (blockSize), sourceLeft (blockSize), sourceRight (blockSize);
        fill (startLeft, startRight, signal, true);
        fill (sourceLeft, sourceRight, signal, false);
        std::vector<float> left (blockSize), right (blockSize);

        const auto runBlock = [&] (const std::vector<float>& fromLeft, const std::vector<float>& fromRight)
        {
            std::memcpy (left.data(), fromLeft.data(), sizeof (float) * blockSize);
            std::memcpy (right.data(), fromRight.data(), sizeof (float) * blockSize);
            float* l = left.data();
            float* r = right.data();
            korvane.processStereo (&l, &r, blockSize);
        };

        for (int i = 0; i < 100; ++i)   // settle the smoothed parameters
            runBlock (startLeft, startRight);

        for (auto _ : state)
        {
            runBlock (sourceLeft, sourceRight);
            benchmark::DoNotOptimize (left.data());
            benchmark::DoNotOptimize (right.data());
            benchmark::ClobberMemory();
        }

        if (signal == Signal::twoTones && (! korvane.isChannelActive (0) || ! korvane.isChannelActive (1)))
            state.SkipWithError ("a gate closed");

        const auto frames = (double) state.iterations() * blockSize;
        state.SetItemsProcessed ((int64_t) frames);
        state.counters["time_per_frame"] = benchmark::Counter (frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        state.counters["seconds_of_audio"] = frames / sampleRate;
    }
}

// Signals 0 to 3: two tones, silence, very quiet (subnormal), a quiet tail.
BENCHMARK (core)->ArgNames ({ "quality", "signal" })->ArgsProduct ({ { 0, 1, 2, 3 }, { 0, 1, 2, 3 } })
    ->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
