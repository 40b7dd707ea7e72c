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

    // ns per stereo frame at 44.1 kHz, block 512, on a two-tone signal that
    // keeps both gates open; the argument is the quality level.
    void coreAtQuality (benchmark::State& state)
    {
        KorvaneCore core;

        for (int i = 0; i < 21; ++i)
            core.setParameter (i, defaults[i]);

        core.setParameter (0, 0.4f);   // 40 dB of preamp: the curve works
        core.prepare (blockSize);
        core.setSampleRate ((float) sampleRate);
        core.setQuality ((int) state.range (0));

        std::vector<float> sourceLeft (blockSize), sourceRight (blockSize);

        for (int i = 0; i < blockSize; ++i)
        {
            const double t = i / sampleRate;
            sourceLeft[(size_t) i] = (float) (0.5 * std::sin (2.0 * 3.141592653589793 * 220.0 * t) + 0.1);
            sourceRight[(size_t) i] = (float) (0.4 * std::sin (2.0 * 3.141592653589793 * 330.0 * t) + 0.1);
        }

        std::vector<float> left (blockSize), right (blockSize);

        const auto runBlock = [&]
        {
            std::memcpy (left.data(), sourceLeft.data(), sizeof (float) * blockSize);
            std::memcpy (right.data(), sourceRight.data(), sizeof (float) * blockSize);
            float* l = left.data();
            float* r = right.data();
            core.processStereo (&l, &r, blockSize);
        };

        for (int i = 0; i < 100; ++i)   // settle the smoothed parameters
            runBlock();

        for (auto _ : state)
        {
            runBlock();
            benchmark::DoNotOptimize (left.data());
            benchmark::DoNotOptimize (right.data());
            benchmark::ClobberMemory();
        }

        if (! core.isChannelActive (0) || ! core.isChannelActive (1))
            state.SkipWithError ("a gate closed");

        const auto frames = (double) state.iterations() * blockSize;
        state.SetItemsProcessed ((int64_t) frames);
        state.counters["time_per_frame"] = benchmark::Counter (frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
}

BENCHMARK (coreAtQuality)->ArgName ("quality")->DenseRange (0, 3)->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
