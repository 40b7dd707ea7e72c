#include <benchmark/benchmark.h>

#include <cmath>

/*  What the core's unavoidable operations cost on this machine, for the
    lower bound in the README: one std::atan, std::exp and std::pow, each
    timed as a dependent chain (latency) and on independent inputs
    (throughput), and the oversampler's multiply-add term
    acc += w·g + 1e-20 as one dependent chain and as 16 independent ones
    (baseline SSE2, and AVX2 where the CPU has it).
    Also sin, cos and sinh, which a gliding filter recomputes. Reported as
    ns per operation (counter ns_per_op).
*/

namespace
{
    constexpr int n = 1024;

    void report (benchmark::State& state, double operationsPerIteration)
    {
        const double ops = (double) state.iterations() * operationsPerIteration;
        state.counters["ns_per_op"] = benchmark::Counter (ops * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    template <double (*f) (double)>
    void chained (benchmark::State& state, double start, double offset)
    {
        double x = start;
        for (auto _ : state)
            for (int i = 0; i < n; ++i)
                x = f (x) + offset;   // the next call waits for this one
        benchmark::DoNotOptimize (x);
        report (state, n);
    }

    template <double (*f) (double)>
    void independent (benchmark::State& state, double start, double step)
    {
        double inputs[n], sum = 0.0;
        for (int i = 0; i < n; ++i)
            inputs[i] = start + step * i;
        for (auto _ : state)
        {
            for (int i = 0; i < n; ++i)
                sum += f (inputs[i]) * 1e-30;   // the calls overlap; the sum costs one add each
            benchmark::ClobberMemory();
        }
        benchmark::DoNotOptimize (sum);
        report (state, n);
    }

    double atanOf (double x) { return std::atan (x); }
    double expOf (double x) { return std::exp (x); }
    double powOf (double x) { return std::pow (10.0, x); }
    double sinOf (double x) { return std::sin (x); }
    double cosOf (double x) { return std::cos (x); }
    double sinhOf (double x) { return std::sinh (x); }

    void atanChain (benchmark::State& s)       { chained<atanOf> (s, 0.3, 0.2); }
    void atanIndependent (benchmark::State& s) { independent<atanOf> (s, -2.0, 0.004); }
    void expChain (benchmark::State& s)        { chained<expOf> (s, -1.0, -1.3); }
    void expIndependent (benchmark::State& s)  { independent<expOf> (s, -3.0, 0.003); }
    void powChain (benchmark::State& s)        { chained<powOf> (s, 0.1, -0.9); }
    void powIndependent (benchmark::State& s)  { independent<powOf> (s, -1.0, 0.002); }
    // The angles and damping terms a gliding filter recomputes.
    void sinIndependent (benchmark::State& s)  { independent<sinOf> (s, 0.005, 0.0005); }
    void cosIndependent (benchmark::State& s)  { independent<cosOf> (s, 0.005, 0.0005); }
    void sinhIndependent (benchmark::State& s) { independent<sinhOf> (s, 0.01, 0.001); }

    // The oversampler's term: acc += w·g + 1e-20, with 256 terms per round.
    void multiplyAddChain (benchmark::State& state)
    {
        double w[256], g[256];
        for (int i = 0; i < 256; ++i) { w[i] = 0.001 * i; g[i] = 0.5 - 0.001 * i; }
        double acc = 0.0;
        for (auto _ : state)
        {
            for (int i = 0; i < 256; ++i)
                acc += w[i] * g[i] + 1e-20;
            benchmark::DoNotOptimize (acc);
        }
        report (state, 256);
    }

#if (defined (__GNUC__) || defined (__clang__)) && defined (__x86_64__)
    // The same 16 independent chains with 4-wide AVX2 vectors (no FMA).
    __attribute__ ((target ("avx2"), noinline)) void independentTermsAvx2 (const double* __restrict w, const double* __restrict g, double* __restrict acc)
    {
        for (int j = 0; j < 16; ++j)
            for (int p = 0; p < 16; ++p)
                acc[p] += w[16 * j + p] * g[16 * j + p] + 1e-20;
    }

    void multiplyAddIndependentAvx2 (benchmark::State& state)
    {
        if (! __builtin_cpu_supports ("avx2"))
        {
            state.SkipWithError ("no AVX2");
            return;
        }

        alignas (64) double w[256], g[256];
        for (int i = 0; i < 256; ++i) { w[i] = 0.001 * i; g[i] = 0.5 - 0.001 * i; }
        alignas (64) double acc[16] {};
        for (auto _ : state)
        {
            independentTermsAvx2 (w, g, acc);
            benchmark::ClobberMemory();
        }
        benchmark::DoNotOptimize (acc);
        report (state, 256);
    }
#endif

    void multiplyAddIndependent (benchmark::State& state)
    {
        alignas (64) double w[256], g[256];
        for (int i = 0; i < 256; ++i) { w[i] = 0.001 * i; g[i] = 0.5 - 0.001 * i; }
        alignas (64) double acc[16] {};
        for (auto _ : state)
        {
            for (int j = 0; j < 16; ++j)
                for (int p = 0; p < 16; ++p)
                    acc[p] += w[16 * j + p] * g[16 * j + p] + 1e-20;   // 16 chains, vectorisable
            benchmark::DoNotOptimize (acc);
            benchmark::ClobberMemory();
        }
        report (state, 256);
    }
}

BENCHMARK (atanChain);
BENCHMARK (atanIndependent);
BENCHMARK (expChain);
BENCHMARK (expIndependent);
BENCHMARK (powChain);
BENCHMARK (powIndependent);
BENCHMARK (sinIndependent);
BENCHMARK (cosIndependent);
BENCHMARK (sinhIndependent);
BENCHMARK (multiplyAddChain);
BENCHMARK (multiplyAddIndependent);
#if (defined (__GNUC__) || defined (__clang__)) && defined (__x86_64__)
BENCHMARK (multiplyAddIndependentAvx2);
#endif

BENCHMARK_MAIN();
