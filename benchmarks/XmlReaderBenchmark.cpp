#include "plugin/XmlReader.h"

#include <benchmark/benchmark.h>

#include <string>

/*  What the strict reader costs on the product's largest document (a state
    of 128 presets, about 117 KB) and how fast it refuses the hostile ones:
    a cut-short state, 50,000 nested elements, a 4 MB attribute and a
    100 MB document. Times per document.
*/
namespace
{
    std::string stateLike()
    {
        std::string text = "<PluginState application=\"Korvane\"><UniqueData quality=\"low\"/><PresetsState currentPreset=\"0\"><PresetBank name=\"Bank\">";

        for (int group = 0; group < 4; ++group)
        {
            text += "<PresetGroup name=\"Group " + std::to_string (group) + "\">";

            for (int preset = 0; preset < 32; ++preset)
            {
                text += "<Preset application=\"Korvane\" name=\"Preset " + std::to_string (preset) + "\" rev=\"1\">";
                for (int p = 0; p < 21; ++p)
                    text += "<param name=\"Parameter " + std::to_string (p) + "\" value=\"0.500000\"/>";
                text += "</Preset>";
            }

            text += "</PresetGroup>";
        }

        return text + "</PresetBank></PresetsState></PluginState>";
    }

    std::string nested (int depth)
    {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "<a>";
        for (int i = 0; i < depth; ++i) text += "</a>";
        return text;
    }

    void time (benchmark::State& state, const std::string& document, bool accepted)
    {
        for (auto _ : state)
        {
            auto root = XmlReader::parse (document.data(), document.size());

            if ((root != nullptr) != accepted)
                state.SkipWithError ("unexpected outcome");

            benchmark::DoNotOptimize (root);
        }

        state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) document.size());
    }
}

int main (int argc, char** argv)
{
    const auto state = stateLike();
    const auto cut = state.substr (0, state.size() - 3);
    const auto deep = nested (50000);
    const auto attribute = "<a v=\"" + std::string ((size_t) 4 << 20, 'x') + "\"/>";
    const auto huge = "<a>" + std::string ((size_t) 100 << 20, ' ') + "</a>";

    benchmark::RegisterBenchmark ("state/accepted", [&] (benchmark::State& s) { time (s, state, true); })->Unit (benchmark::kMillisecond);
    benchmark::RegisterBenchmark ("state/cut-short", [&] (benchmark::State& s) { time (s, cut, false); })->Unit (benchmark::kMillisecond);
    benchmark::RegisterBenchmark ("nested-50000", [&] (benchmark::State& s) { time (s, deep, false); })->Unit (benchmark::kMillisecond);
    benchmark::RegisterBenchmark ("attribute-4MB", [&] (benchmark::State& s) { time (s, attribute, false); })->Unit (benchmark::kMillisecond);
    benchmark::RegisterBenchmark ("document-100MB", [&] (benchmark::State& s) { time (s, huge, false); })->Unit (benchmark::kMillisecond);

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
