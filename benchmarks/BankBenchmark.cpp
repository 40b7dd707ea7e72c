#include "plugin/Korvane.h"
#include "plugin/XmlReader.h"
#include "presets/StateChunk.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

/*  Saving and restoring a project state whose bank holds many empty preset
    groups (a hostile or a very odd project), and what the preset browser
    does to such a bank: all must stay linear in the number of groups.
    Times per save, restore or round of bank operations.
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

    /** One round of what the browser's buttons and drags do, each undone:
        a group added at the top and removed, the group holding the presets
        moved to the top and back, a preset dragged into the first group and
        back, a group renamed. */
    void bankOperations (benchmark::State& s)
    {
        auto processor = startedWith (stateWithGroups ((int) s.range (0)));
        const auto last = processor->getBank().getNumGroups() - 1;
        juce::SparseSet<int> first;
        first.addRange ({ 0, 1 });

        for (auto _ : s)
        {
            processor->addGroup (0);
            processor->removeEmptyGroup (0);
            processor->moveGroup (last, 0);
            processor->moveGroup (0, last);
            processor->movePresetsToGroup (0, last, first);
            processor->movePresetsToGroup (last, 0, first);
            processor->renameGroup (last / 2, "g");
        }

        if (processor->getBank().getGroupCount (last) != PresetBank::slotCount)
            s.SkipWithError ("the operations did not undo each other");
    }
}

BENCHMARK (save)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (restore)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (bankOperations)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);

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
