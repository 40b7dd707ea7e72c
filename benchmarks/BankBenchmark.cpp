#include "plugin/Korvane.h"
#include "plugin/XmlReader.h"
#include "presets/StateChunk.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

/*  Saving and restoring a project state whose bank holds many empty preset
    groups (a hostile or a very odd project): both must stay linear in the
    number of groups. Times per save or restore.
*/
namespace
{
    juce::MemoryBlock stateWithGroups (int groups)
    {
        juce::String text = "<PluginState application=\"Korvane\"><PresetsState currentPreset=\"0\"><PresetBank name=\"Groups\">";

        for (int i = 0; i < groups; ++i)
            text << "<PresetGroup name=\"g\"/>";

        text << "</PresetBank></PresetsState></PluginState>";
        juce::MemoryBlock chunk;
        StateChunk::pack (*XmlReader::parse (text), chunk);
        return chunk;
    }

    std::unique_ptr<Korvane> startedWith (const juce::MemoryBlock& state)
    {
        auto processor = std::make_unique<Korvane>();
        processor->startUp();
        processor->setStateInformation (state.getData(), (int) state.getSize());
        return processor;
    }

    void save (benchmark::State& s)
    {
        auto processor = startedWith (stateWithGroups ((int) s.range (0)));

        for (auto _ : s)
        {
            juce::MemoryBlock block;
            processor->getStateInformation (block);
            benchmark::DoNotOptimize (block.getData());
        }
    }

    void restore (benchmark::State& s)
    {
        const auto state = stateWithGroups ((int) s.range (0));
        auto processor = startedWith (state);

        for (auto _ : s)
            processor->setStateInformation (state.getData(), (int) state.getSize());
    }
}

BENCHMARK (save)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (restore)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    // The instances keep their settings in a folder of their own.
    const auto settings = juce::File::createTempFile ("korvane-bench-settings");
    settings.createDirectory();
    BasePlugin::setUserSettingsFolderOverride (settings);

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    settings.deleteRecursively();
    return 0;
}
