#include "dsp/KorvaneCore.h"
#include "dsp/SimdDispatch.h"
#include "reference/ReferenceKorvaneCore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

/*  ns per stereo frame at 44.1 kHz, block 512, for the plain reference
    evaluation and for the shipped core on every vector instruction set the
    CPU has, all in one run, so the ratios compare like with like. At the
    end a table prints each quality and scenario with the reference's time,
    the core's and the ratio.

    Scenarios:
      steady     two tones, parameters settled (the common case)
      automation every one of the 21 parameters moved every 64 samples, as a
                 host's automation would: the smoothing never settles and
                 the filters glide
      glides     the four bands and both cuts kept gliding (their targets
                 flip every block), everything else settled
      silence    digital silence after the gates have closed
      tiny       tones at -600 dB after a loud start (1e-30: where a chain
                 without its tiny offsets would decay into subnormals)
      quiet      tones at -140 dB after a loud start, just above the gates
      bypassed   steady, with the host's bypass on: the chain keeps running
                 and the output is the crossfade's (the reference has no
                 bypass and runs steady)
*/

namespace
{
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;

    constexpr float defaults[21] { 0.0f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f,
                                   0.0f, 0.5f, 0.5f, 0.6f, 0.5f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f };

    enum Scenario { steady, automation, glides, silence, tiny, quiet, bypassed, numScenarios };
    const char* const scenarioNames[numScenarios] { "steady", "automation", "glides", "silence", "tiny", "quiet", "bypassed" };

    void fillTones (std::vector<float>& left, std::vector<float>& right, double amplitude)
    {
        for (int i = 0; i < blockSize; ++i)
        {
            const double t = i / sampleRate;
            left[(size_t) i] = (float) (amplitude * (0.5 * std::sin (2.0 * 3.141592653589793 * 220.0 * t) + 0.1));
            right[(size_t) i] = (float) (amplitude * (0.4 * std::sin (2.0 * 3.141592653589793 * 330.0 * t) + 0.1));
        }
    }

    template <typename Core>
    struct Driver
    {
        std::unique_ptr<Core> core = std::make_unique<Core>();
        std::vector<float> tones = std::vector<float> (blockSize), tonesRight = std::vector<float> (blockSize);
        std::vector<float> zeros = std::vector<float> (blockSize, 0.0f);
        std::vector<float> faint = std::vector<float> (blockSize), faintRight = std::vector<float> (blockSize);
        std::vector<float> left = std::vector<float> (blockSize), right = std::vector<float> (blockSize);
        Scenario scenario;
        long block = 0;

        Driver (int quality, Scenario s) : scenario (s)
        {
            fillTones (tones, tonesRight, 1.0);
            fillTones (faint, faintRight, scenario == tiny ? 1.0e-30 : 1.0e-7);

            for (int i = 0; i < 21; ++i)
                core->setParameter (i, defaults[i]);

            core->setParameter (0, 0.4f);   // 40 dB of preamp: the curve works
            core->prepare (blockSize);
            core->setSampleRate ((float) sampleRate);
            core->setQuality (quality);

            for (int i = 0; i < 100; ++i)   // settle the smoothed values
                run (tones, tonesRight, false);

            if constexpr (std::is_same_v<Core, KorvaneCore>)
                if (scenario == bypassed)
                    core->setBypassed (true, true);

            if (scenario == silence)
                for (int i = 0; i < 300; ++i)   // 150000 samples: both gates close
                    run (zeros, zeros, false);
        }

        /** What the scenario feeds the core, block after block. */
        const std::vector<float>& sourceLeft() const
        {
            return scenario == silence ? zeros : scenario == tiny || scenario == quiet ? faint : tones;
        }

        const std::vector<float>& sourceRight() const
        {
            return scenario == silence ? zeros : scenario == tiny || scenario == quiet ? faintRight : tonesRight;
        }

        void run (const std::vector<float>& fromLeft, const std::vector<float>& fromRight, bool move)
        {
            std::memcpy (left.data(), fromLeft.data(), sizeof (float) * blockSize);
            std::memcpy (right.data(), fromRight.data(), sizeof (float) * blockSize);

            if (! move || scenario == steady || scenario == silence || scenario == tiny || scenario == quiet || scenario == bypassed)
            {
                float* l = left.data();
                float* r = right.data();
                core->processStereo (&l, &r, blockSize);
                return;
            }

            if (scenario == glides)
            {
                // Flip the targets every block: the glides never end.
                const float v = (block & 1) != 0 ? 0.2f : 0.8f;
                for (int index : { 1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17 })
                    core->setParameter (index, v);

                float* l = left.data();
                float* r = right.data();
                core->processStereo (&l, &r, blockSize);
                ++block;
                return;
            }

            // Automation: every parameter, every 64 samples, along slow sines.
            for (int start = 0; start < blockSize; start += 64)
            {
                const double t = (double) (block * blockSize + start) / sampleRate;

                for (int index = 0; index < 21; ++index)
                {
                    const double v = 0.5 + 0.45 * std::sin (2.0 * 3.141592653589793 * (0.3 + 0.05 * index) * t + index);
                    core->setParameter (index, index == 0 ? (float) (0.2 + 0.3 * v) : (float) v);
                }

                float* l = left.data() + start;
                float* r = right.data() + start;
                core->processStereo (&l, &r, 64);
            }

            ++block;
        }
    };

    template <typename Core>
    void timeCore (benchmark::State& state, int quality, Scenario scenario, DspInstructionSet set)
    {
        korvane_dsp::forceInstructionSet (set);
        Driver<Core> driver (quality, scenario);
        const auto& source = driver.sourceLeft();
        const auto& sourceRight = driver.sourceRight();

        for (auto _ : state)
        {
            driver.run (source, sourceRight, true);
            benchmark::DoNotOptimize (driver.left.data());
            benchmark::DoNotOptimize (driver.right.data());
            benchmark::ClobberMemory();
        }

        if ((scenario == steady || scenario == automation || scenario == glides || scenario == bypassed) && (! driver.core->isChannelActive (0) || ! driver.core->isChannelActive (1)))
            state.SkipWithError ("a gate closed");
        if (scenario == silence && (driver.core->isChannelActive (0) || driver.core->isChannelActive (1)))
            state.SkipWithError ("a gate stayed open");

        const auto frames = (double) state.iterations() * blockSize;
        state.SetItemsProcessed ((int64_t) frames);
        // Seconds per (1e-9 · frames): ns per stereo frame as a plain number.
        state.counters["ns_per_frame"] = benchmark::Counter (frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        korvane_dsp::forceInstructionSet (korvane_dsp::bestInstructionSet());
    }

    /** For callgrind: n blocks of one case, in a function of their own so
        that --toggle-collect can count just them. */
    template <typename Core>
    __attribute__ ((noinline)) void measuredBlocks (Driver<Core>& driver, int n)
    {
        for (int i = 0; i < n; ++i)
            driver.run (driver.sourceLeft(), driver.sourceRight(), true);
    }

    /** "--count=NAME,BLOCKS": runs the named case (e.g. korvane_avx2/q3/steady)
        for BLOCKS blocks without timing, for
          valgrind --tool=callgrind --toggle-collect='*measuredBlocks*' korvane_core_bench --count=…
        Instructions per stereo frame = Ir / (BLOCKS · 512). */
    int countInstructions (const std::string& request)
    {
        const auto comma = request.find (',');
        const std::string name = request.substr (0, comma);
        const int blocks = comma == std::string::npos ? 20 : std::stoi (request.substr (comma + 1));

        for (int q = 0; q < 4; ++q)
            for (int sc = 0; sc < numScenarios; ++sc)
            {
                const std::string suffix = "/q" + std::to_string (q) + "/" + scenarioNames[sc];

                if (name == "reference" + suffix)
                {
                    Driver<ReferenceKorvaneCore> driver (q, (Scenario) sc);
                    measuredBlocks (driver, blocks);
                    return 0;
                }

                for (auto set : { DspInstructionSet::sse2, DspInstructionSet::avx2, DspInstructionSet::avx512 })
                    if (name == "korvane_" + std::string (korvane_dsp::instructionSetName (set)) + suffix)
                    {
                        if (! korvane_dsp::forceInstructionSet (set))
                            return 2;
                        Driver<KorvaneCore> driver (q, (Scenario) sc);
                        measuredBlocks (driver, blocks);
                        return 0;
                    }
            }

        std::fprintf (stderr, "no case %s\n", name.c_str());
        return 1;
    }

    /** The console output plus, at the end, the reference-to-core ratios. */
    class RatioReporter : public benchmark::ConsoleReporter
    {
    public:
        void ReportRuns (const std::vector<Run>& runs) override
        {
            ConsoleReporter::ReportRuns (runs);

            for (const auto& run : runs)
            {
                if (run.error_occurred || run.run_type != Run::RT_Iteration)
                    continue;
                const auto it = run.counters.find ("ns_per_frame");
                if (it == run.counters.end())
                    continue;
                // With --benchmark_repetitions the fastest repetition counts:
                // on a shared machine the slower ones measure the other load.
                const auto name = run.run_name.function_name;
                const auto known = results.find (name);
                if (known == results.end() || it->second.value < known->second)
                    results[name] = it->second.value;
            }
        }

        void printRatios() const
        {
            std::vector<std::string> sets;
            for (auto s : { DspInstructionSet::sse2, DspInstructionSet::avx2, DspInstructionSet::avx512 })
                if (korvane_dsp::isSupported (s))
                    sets.push_back (korvane_dsp::instructionSetName (s));

            std::printf ("\nns per stereo frame (44.1 kHz, block 512, fastest repetition); ratio = reference / core\n");
            std::printf ("%-8s %-11s %10s", "quality", "scenario", "reference");
            for (auto& s : sets)
                std::printf (" %10s %7s", s.c_str(), "ratio");
            std::printf ("\n");

            for (int q = 0; q < 4; ++q)
                for (int sc = 0; sc < numScenarios; ++sc)
                {
                    const std::string suffix = "/q" + std::to_string (q) + "/" + scenarioNames[sc];
                    const auto ref = results.find ("reference" + suffix);
                    if (ref == results.end())
                        continue;
                    std::printf ("%-8d %-11s %10.1f", q, scenarioNames[sc], ref->second);
                    for (auto& s : sets)
                    {
                        const auto c = results.find ("korvane_" + s + suffix);
                        if (c == results.end()) std::printf (" %10s %7s", "-", "-");
                        else std::printf (" %10.1f %6.2fx", c->second, ref->second / c->second);
                    }
                    std::printf ("\n");
                }
        }

    private:
        std::map<std::string, double> results;
    };
}

int main (int argc, char** argv)
{
    if (argc == 2 && std::strncmp (argv[1], "--count=", 8) == 0)
        return countInstructions (argv[1] + 8);

    for (int q = 0; q < 4; ++q)
        for (int sc = 0; sc < numScenarios; ++sc)
        {
            const std::string suffix = "/q" + std::to_string (q) + "/" + scenarioNames[sc];
            const auto scenario = (Scenario) sc;

            benchmark::RegisterBenchmark (("reference" + suffix).c_str(), [=] (benchmark::State& s)
                { timeCore<ReferenceKorvaneCore> (s, q, scenario, DspInstructionSet::sse2); })->Unit (benchmark::kMicrosecond);

            for (auto set : { DspInstructionSet::sse2, DspInstructionSet::avx2, DspInstructionSet::avx512 })
                if (korvane_dsp::isSupported (set))
                    benchmark::RegisterBenchmark (("korvane_" + std::string (korvane_dsp::instructionSetName (set)) + suffix).c_str(),
                                                  [=] (benchmark::State& s) { timeCore<KorvaneCore> (s, q, scenario, set); })
                        ->Unit (benchmark::kMicrosecond);
        }

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
