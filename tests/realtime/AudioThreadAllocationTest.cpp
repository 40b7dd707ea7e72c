#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "midi/MidiControl.h"
#include "plugin/Korvane.h"

#include <memory>

namespace
{
    std::unique_ptr<Korvane> startProduct()
    {
        return std::unique_ptr<Korvane> (dynamic_cast<Korvane*> (createPluginFilter()));
    }

}

TEST (AudioThread, TheCounterSeesAnAllocationOnlyOnTheCountingThread)
{
    const auto before = AllocationCounter::count();
    AllocationCounter::startCountingOnThisThread();
    auto counted = std::make_unique<juce::String> ("made while counting");
    AllocationCounter::stopCountingOnThisThread();
    EXPECT_GE (AllocationCounter::count() - before, 1);

    const auto after = AllocationCounter::count();
    auto notCounted = std::make_unique<int> (1);
    EXPECT_EQ (AllocationCounter::count(), after);
}
TEST (AudioThread, ThousandsOfBlocksWithAutomationMidiProgramChangesAndBypassAllocateNothing)
{
    auto processor = startProduct();
    ASSERT_NE (processor, nullptr);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    auto& midi = processor->getMidiControl();
    midi.assignController (20, processor->getParameterManager().getParameter (4), true);   // Tone
    processor->prepareToPlay (44100.0, 512);

    juce::AudioBuffer<float> audio (2, 512);
    juce::Random random (7);
    const auto& parameters = processor->getParameters();

    // Every message the blocks will carry is made before counting starts.
    std::vector<juce::MidiBuffer> events (8);
    for (int kind = 0; kind < (int) events.size(); ++kind)
    {
        if (kind == 1) events[(size_t) kind].addEvent (juce::MidiMessage::controllerEvent (1, 20, 64), 100);
        if (kind == 2) events[(size_t) kind].addEvent (juce::MidiMessage::programChange (1, 9), 10);
        if (kind == 3) events[(size_t) kind].addEvent (juce::MidiMessage::programChange (1, 40), 300);
        if (kind == 4) events[(size_t) kind].addEvent (juce::MidiMessage::controllerEvent (1, 20, 3), 511);
    }

    long total = 0;
    int blocksWithAllocations = 0;

    for (int block = 0; block < 4000; ++block)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                audio.setSample (c, i, 0.4f * std::sin (0.01f * (float) (block * 512 + i) * (float) (c + 1)));

        // Half the time the presets change silently, as the Options allow.
        if (block == 2000)
            processor->setSilentPresetChange (true);

        auto& blockEvents = events[(size_t) (block % (int) events.size())];
        auto midiCopy = blockEvents;   // the host's buffer for this block

        const auto before = AllocationCounter::count();
        AllocationCounter::startCountingOnThisThread();

        // Host automation of a few parameters, on the audio thread.
        for (int k = 0; k < 3; ++k)
            parameters[(block * 3 + k) % 21]->setValue (random.nextFloat());

        // Now and then the host bypasses the plug-in for a while.
        if ((block / 300) % 4 == 3)
            processor->processBlockBypassed (audio, midiCopy);
        else
            processor->processBlock (audio, midiCopy);

        float left = 0.0f, right = 0.0f;
        processor->getCore()->getMeterLevels (left, right);

        AllocationCounter::stopCountingOnThisThread();
        const auto made = AllocationCounter::count() - before;

        // The first blocks may still settle; after them nothing is allowed.
        if (block >= 16 && made > 0)
        {
            total += made;
            ++blocksWithAllocations;
        }
    }

    EXPECT_EQ (total, 0) << blocksWithAllocations << " blocks allocated";

    // The blocks really did what they claim: program changes and the mapped controller.
    const auto current = processor->getCurrentPresetIndex();
    EXPECT_TRUE (current == 9 || current == 40) << current;
    EXPECT_TRUE (processor->isSilentPresetChange());
    processor->releaseResources();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
}
