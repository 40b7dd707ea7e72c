#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "parameters/Parameter.h"

#include <atomic>
#include <thread>

namespace
{
    struct RecordingChanger : public BasePluginOldStyle::PresetChanger
    {
        int calls = 0;
        void changePreset() override { ++calls; }
    };

    struct ChangeCounter : public Parameter::Listener
    {
        int calls = 0;
        void parameterChanged (Parameter*) override { ++calls; }
    };

    int currentNumber (Korvane& p)  { return p.getParameterManager().getParameter (110000)->getIntValue(); }
    juce::String currentName (Korvane& p) { return p.getParameterManager().getText (110001); }

    // Names every slot after its position, so moves are easy to read.
    void nameSlotsByPosition (Korvane& processor)
    {
        for (int i = 0; i < PresetBank::slotCount; ++i)
            processor.getBank().setName (i, "S" + juce::String (i));
    }
}

TEST (PresetManager, StartUpAppliesTheFirstFactoryPreset)
{
    auto processor = startedKorvane();

    EXPECT_EQ (processor->getCurrentPresetIndex(), 0);
    EXPECT_EQ (currentNumber (*processor), 0);
    EXPECT_EQ (currentName (*processor), "Honky Tonk");
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.585f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 19), 0.4f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 21), 0.0f);   // Quality is no preset value

    EXPECT_EQ (processor->getRecentlyUsedDirectory(),
               juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());
    EXPECT_TRUE (processor->isPresetStoringOnDemand());
    EXPECT_FALSE (processor->isSilentPresetChange());
}

TEST (PresetManager, StartUpBankFollowsTheDefaultPresetsMode)
{
    Korvane cleared;
    cleared.setDefaultPresetsMode (BasePluginOldStyle::clearedPresets);
    cleared.startUp();
    EXPECT_EQ (cleared.getBank().getNumGroups(), 1);
    EXPECT_EQ (cleared.getBank().getGroupName (0), "Not used");
    EXPECT_EQ (cleared.getBank().getName (0), "Preset 0");
    EXPECT_FLOAT_EQ (cleared.getParameterManager().getNormalisedValue (14), 0.6f);

    Korvane missingUserBank;
    missingUserBank.setDefaultPresetsMode (BasePluginOldStyle::userDefinedPresets);
    missingUserBank.setUserDefinedBankFile ("/no/such/folder/bank.kvprsb");
    missingUserBank.startUp();
    EXPECT_EQ (missingUserBank.getBank().getBankName(), "Korvane default bank");

    juce::TemporaryFile userBank (".kvprsb");
    userBank.getFile().replaceWithText ("<PresetBank name=\"Mine\"><PresetGroup name=\"G\">"
                                        "<Preset application=\"Korvane\" name=\"First\" rev=\"1\"><param name=\"Tone\" value=\"0.125\"/></Preset>"
                                        "</PresetGroup></PresetBank>");
    Korvane withUserBank;
    withUserBank.setDefaultPresetsMode (BasePluginOldStyle::userDefinedPresets);
    withUserBank.setUserDefinedBankFile (userBank.getFile().getFullPathName());
    withUserBank.startUp();
    EXPECT_EQ (withUserBank.getBank().getBankName(), "Mine");
    EXPECT_EQ (withUserBank.getParameterManager().getText (110001), "First");
    EXPECT_FLOAT_EQ (withUserBank.getParameterManager().getNormalisedValue (4), 0.125f);
}

TEST (PresetManager, SteppingDoesNotWrapAround)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    processor->selectPreviousPreset();
    EXPECT_EQ (processor->getCurrentPresetIndex(), 0);

    processor->selectNextPreset();
    EXPECT_EQ (processor->getCurrentPresetIndex(), 1);
    EXPECT_EQ (currentName (*processor), bank.getName (1));
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), bank.getValue (1, 0));

    processor->selectPreset (127);
    EXPECT_EQ (currentNumber (*processor), 127);
    processor->selectNextPreset();
    EXPECT_EQ (processor->getCurrentPresetIndex(), 127);

    processor->selectPreset (128);
    processor->selectPreset (-1);
    processor->selectPresetFromProgramChange (200);
    EXPECT_EQ (processor->getCurrentPresetIndex(), 127);

    // A program change re-applies even the current slot.
    setLive (*processor, 3, 0.123f);
    processor->selectPresetFromProgramChange (127);
    EXPECT_FLOAT_EQ (liveValue (*processor, 3), bank.getValue (127, 3));

    // Selecting the current slot from the browser does nothing.
    setLive (*processor, 3, 0.123f);
    processor->selectPreset (127);
    EXPECT_FLOAT_EQ (liveValue (*processor, 3), 0.123f);
}

TEST (PresetManager, SilentChangesWaitForTheChanger)
{
    auto processor = startedKorvane();
    RecordingChanger changer;
    processor->setPresetChanger (&changer);
    processor->setSilentPresetChange (true);
    auto& bank = processor->getBank();

    processor->selectNextPreset();
    processor->selectPreset (5);
    processor->selectPresetFromProgramChange (5);
    EXPECT_EQ (changer.calls, 3);
    EXPECT_EQ (processor->getCurrentPresetIndex(), 5);
    EXPECT_EQ (currentNumber (*processor), 0);
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.585f);

    processor->applyCurrentPreset();   // what the changer does once the output is silent
    EXPECT_EQ (currentNumber (*processor), 5);
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), bank.getValue (5, 0));

    // Pasting applies at once, silent or not.
    processor->copyCurrentPreset();
    processor->pasteCopiedPreset();
    EXPECT_EQ (changer.calls, 3);
    EXPECT_EQ (currentName (*processor), bank.getName (5));

    // Without a changer, silent mode applies at once.
    processor->setPresetChanger (nullptr);
    processor->selectNextPreset();
    EXPECT_EQ (currentNumber (*processor), 6);
}

TEST (PresetManager, CopyPasteStoreAndRename)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    processor->pasteCopiedPreset();   // nothing copied yet
    EXPECT_EQ (currentName (*processor), "Honky Tonk");

    processor->selectPreset (3);
    processor->renamePreset (3, "Crunch");
    EXPECT_EQ (currentName (*processor), "Crunch");
    setLive (*processor, 7, 0.875f);   // the knob, not the slot
    processor->handleEvent (EventsMap::copyCurrentPresetEvent);
    setLive (*processor, 7, 0.25f);

    processor->selectPreset (7);
    processor->handleEvent (EventsMap::pasteCopiedPresetEvent);
    EXPECT_EQ (bank.getName (7), "Crunch_copy");
    EXPECT_FLOAT_EQ (bank.getValue (7, 7), 0.875f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 7), 0.875f);
    EXPECT_EQ (currentName (*processor), "Crunch_copy");

    processor->selectPreset (8);
    processor->pasteCopiedPreset();
    EXPECT_EQ (bank.getName (8), "Crunch_copy");

    // On demand: knobs reach the slot only when stored.
    setLive (*processor, 2, 0.111f);
    EXPECT_NE (bank.getValue (8, 2), 0.111f);
    processor->handleEvent (EventsMap::storeCurrentPresetEvent);
    EXPECT_FLOAT_EQ (bank.getValue (8, 2), 0.111f);
    EXPECT_EQ (bank.getPreset (8).getCount(), 21);

    // Switching to automatic stores at once; then every change goes in.
    setLive (*processor, 2, 0.222f);
    processor->setPresetStoringOnDemand (false);
    EXPECT_FLOAT_EQ (bank.getValue (8, 2), 0.222f);
    setLive (*processor, 5, 0.333f);
    EXPECT_FLOAT_EQ (bank.getValue (8, 5), 0.333f);
    setLive (*processor, 21, 1.0f);   // Quality is never stored
    EXPECT_EQ (bank.getPreset (8).getCount(), 21);

    // The preset name display edits "Current Preset Name".
    processor->getParameterManager().getParameter (110001)->setText ("Renamed", true);
    EXPECT_EQ (bank.getName (8), "Renamed");

    // Events that are registered only, and unknown ones, do nothing.
    processor->handleEvent (EventsMap::savePresetEvent);
    processor->handleEvent (EventsMap::savePresetAsEvent);
    processor->handleEvent (4242);
    EXPECT_EQ (processor->getCurrentPresetIndex(), 8);
    processor->handleEvent (EventsMap::selectPreviousPresetEvent);
    processor->handleEvent (EventsMap::selectPreviousPresetEvent);
    processor->handleEvent (EventsMap::selectNextPresetEvent);
    EXPECT_EQ (processor->getCurrentPresetIndex(), 7);
}

TEST (PresetManager, GroupsAreAddedRemovedAndRenamed)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    processor->addGroup (2);
    ASSERT_EQ (bank.getNumGroups(), 7);
    EXPECT_EQ (bank.getGroupName (2), "New Group");
    EXPECT_EQ (bank.getGroupCount (2), 0);
    EXPECT_EQ (bank.getGroupName (3), "Electronic Drums");
    EXPECT_EQ (bank.firstPresetOfGroup (2), 15);
    EXPECT_EQ (bank.lastPresetOfGroup (2), 14);

    processor->addGroup (7);
    processor->addGroup (-1);
    EXPECT_EQ (bank.getNumGroups(), 7);

    processor->removeEmptyGroup (3);
    EXPECT_EQ (bank.getNumGroups(), 7);
    processor->renameGroup (2, "Pads");
    EXPECT_EQ (bank.getGroupName (2), "Pads");
    processor->removeEmptyGroup (2);
    EXPECT_EQ (bank.getNumGroups(), 6);
    EXPECT_EQ (bank.getGroupName (2), "Electronic Drums");
}

TEST (PresetManager, MovesKeepTheCurrentPresetCurrent)
{
    ChangeCounter numberListener;   // outlives the processor it listens to
    auto processor = startedKorvane();
    auto& bank = processor->getBank();
    nameSlotsByPosition (*processor);

    processor->getParameterManager().addListenerTo (110000, &numberListener);

    // Within "Keys" (0-5): the current preset 2 moves to 4.
    processor->selectPreset (2);
    const auto notifiedBefore = numberListener.calls;
    processor->movePreset (2, 4, 0, 0);
    EXPECT_EQ (bank.getName (4), "S2");
    EXPECT_EQ (bank.getName (2), "S3");
    EXPECT_EQ (processor->getCurrentPresetIndex(), 4);
    EXPECT_EQ (currentNumber (*processor), 4);
    EXPECT_EQ (numberListener.calls, notifiedBefore);   // re-found silently

    // Across groups: slot 0 ("Keys") to 10 ("Acid lines"); the current record
    // shifts up by one.
    processor->movePreset (0, 10, 0, 1);
    EXPECT_EQ (bank.getGroupCount (0), 5);
    EXPECT_EQ (bank.getGroupCount (1), 10);
    EXPECT_EQ (bank.getName (10), "S0");
    EXPECT_EQ (processor->getCurrentPresetIndex(), 3);
    EXPECT_EQ (bank.getName (3), "S2");

    processor->movePreset (3, 3, 0, 0);
    processor->movePreset (3, 128, 0, 0);
    processor->movePreset (3, 4, 0, 9);
    EXPECT_EQ (bank.getName (3), "S2");

    // Two presets of "Guitar" (23-60) to the end of "Keys".
    nameSlotsByPosition (*processor);
    processor->selectPreset (30);
    juce::SparseSet<int> selection;
    selection.addRange ({ 2, 4 });   // positions 25 and 26
    processor->movePresetsToGroup (0, 3, selection);
    EXPECT_EQ (bank.getGroupCount (0), 7);
    EXPECT_EQ (bank.getGroupCount (3), 36);
    EXPECT_EQ (bank.getName (5), "S25");
    EXPECT_EQ (bank.getName (6), "S26");
    EXPECT_EQ (bank.getName (7), "S5");
    EXPECT_EQ (bank.getName (processor->getCurrentPresetIndex()), "S30");
    EXPECT_EQ (processor->getCurrentPresetIndex(), 30);

    processor->movePresetsToGroup (0, 0, selection);
    processor->movePresetsToGroup (0, 3, {});
    EXPECT_EQ (bank.getGroupCount (0), 7);

    // "Keys" (0-6) down after "Electronic Drums": its presets follow it.
    nameSlotsByPosition (*processor);
    processor->selectPreset (1);
    processor->moveGroup (0, 2);
    EXPECT_EQ (bank.getGroupName (0), "Acid lines");
    EXPECT_EQ (bank.getGroupName (2), "Keys");
    EXPECT_EQ (bank.firstPresetOfGroup (2), 10 + 8);   // "Acid lines" holds 10 by now
    EXPECT_EQ (bank.getName (18), "S0");
    EXPECT_EQ (bank.getName (24), "S6");
    EXPECT_EQ (bank.getName (0), "S7");
    EXPECT_EQ (bank.getName (processor->getCurrentPresetIndex()), "S1");

    // ... and back up before "Acid lines".
    processor->moveGroup (2, 0);
    EXPECT_EQ (bank.getGroupName (0), "Keys");
    EXPECT_EQ (bank.getName (0), "S0");
    EXPECT_EQ (bank.getName (16), "S16");
    EXPECT_EQ (processor->getCurrentPresetIndex(), 1);

    int total = 0;
    for (int g = 0; g < bank.getNumGroups(); ++g)
        total += bank.getGroupCount (g);
    EXPECT_EQ (total, 128);
}

TEST (PresetManager, AudioThreadSelectionsAndMessageThreadEditsDoNotTear)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    for (int i = 0; i < PresetBank::slotCount; ++i)
    {
        bank.setName (i, "Name " + juce::String (i % 4));
        bank.setValue (i, 9, (float) (i % 4) * 0.25f);
    }

    std::atomic<bool> stop { false };
    std::atomic<int> torn { 0 };

    // Program changes, as the audio thread makes them, while presets are
    // renamed and moved: every applied name and value must be whole.
    std::thread audio ([&]
    {
        for (int n = 0; ! stop.load(); ++n)
        {
            processor->selectPresetFromProgramChange (n % 64);
            const auto name = currentName (*processor);

            if (! name.startsWith ("Name ") && ! name.startsWith ("Other "))
                ++torn;
        }
    });

    for (int n = 0; n < 3000; ++n)
    {
        processor->renamePreset (n % 128, (n % 2 == 0 ? "Other " : "Name ") + juce::String (n % 4));
        processor->movePreset (n % 6, (n + 3) % 6, 0, 0);
    }

    stop.store (true);
    audio.join();
    EXPECT_EQ (torn.load(), 0);
    EXPECT_EQ (bank.getGroupCount (0), 6);
}
