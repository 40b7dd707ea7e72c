// Concurrency stress: one processor, four threads, a bounded time.
//
//   audio       processBlock with MIDI (mapped and unmapped controllers,
//               program changes), under the callback lock as JUCE's
//               wrappers hold it
//   automation  what a host does to parameters: gestures, values, texts
//   state       saving and restoring the state, loading banks, program chunks
//   message     this test's main thread, JUCE's message thread: it runs the
//               dispatch loop (asynchronous updates, the editor component's
//               refresh timer) and does what the editor does: meters, preset
//               browsing and moves, renaming, options, MIDI learn, knobs
//
// The run lasts KORVANE_STRESS_SECONDS (default 3). A watchdog ends the
// program with a report naming the thread and the step it is stuck in when a
// thread makes no progress for KORVANE_STRESS_STALL_SECONDS (default 10):
// a deadlock fails instead of hanging. At the end the processor must still
// answer, its output must have stayed finite, the MIDI map must be
// consistent, a known bank must load and read back intact, and a state must
// round-trip, in the same instance and in a fresh one. Run it under
// ThreadSanitizer with tools/stress.sh.

#include <gtest/gtest.h>

#include "dsp/EffectCore.h"
#include "editor/BasePluginEditor.h"
#include "midi/MidiControl.h"
#include "parameters/ParameterManager.h"
#include "plugin/EventsMap.h"
#include "plugin/Korvane.h"
#include "presets/StateChunk.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using SteadyClock = std::chrono::steady_clock;

    constexpr int numParameters = Korvane::numHostParameters;
    constexpr int maxBlockSize = 512;

    // Controllers the audio thread sends: mapped ones move parameters, the
    // others are what MIDI learn picks up.
    constexpr int toneController = 20;
    constexpr int volumeController = 7;
    constexpr int firstLearnController = 30;
    constexpr int numLearnControllers = 8;

    double environmentSeconds (const char* name, double fallback)
    {
        if (const char* text = std::getenv (name))
        {
            const auto value = std::atof (text);

            if (value > 0.0)
                return value;
        }

        return fallback;
    }

    std::int64_t nowMilliseconds()
    {
        return std::chrono::duration_cast<std::chrono::milliseconds> (SteadyClock::now().time_since_epoch()).count();
    }

    std::unique_ptr<Korvane> startProduct()
    {
        return std::unique_ptr<Korvane> (dynamic_cast<Korvane*> (createPluginFilter()));
    }

    //==============================================================================
    /** One thread's progress, as the watchdog and the report see it. */
    struct Role
    {
        explicit Role (const char* roleName) : name (roleName) {}

        /** Called after every completed operation. */
        void completed()
        {
            operations.fetch_add (1);
            lastProgress.store (nowMilliseconds());
        }

        /** Names what the thread is about to do, for the watchdog's report. */
        void step (const char* what)
        {
            currentStep.store (what);
            lastProgress.store (nowMilliseconds());
        }

        const char* const name;
        std::atomic<long> operations { 0 };
        std::atomic<std::int64_t> lastProgress { nowMilliseconds() };
        std::atomic<const char*> currentStep { "starting" };
        std::atomic<bool> watched { true };
    };

    /** Ends the program when a watched role stops making progress: a thread
        caught in a deadlock cannot be joined, so a failure is all that is
        left to give. */
    class Watchdog
    {
    public:
        Watchdog (std::vector<Role*> rolesToWatch, double stallSeconds)
            : roles (std::move (rolesToWatch)),
              stallLimit ((std::int64_t) (stallSeconds * 1000.0)),
              thread ([this] { run(); })
        {
        }

        ~Watchdog()
        {
            finished.store (true);
            thread.join();
        }

    private:
        void run()
        {
            while (! finished.load())
            {
                std::this_thread::sleep_for (std::chrono::milliseconds (100));
                const auto now = nowMilliseconds();

                for (auto* role : roles)
                    if (role->watched.load() && now - role->lastProgress.load() > stallLimit)
                        fail (*role, now);
            }
        }

        [[noreturn]] void fail (const Role& stuck, std::int64_t now)
        {
            std::fprintf (stderr, "\nDEADLOCK: the %s thread made no progress for %.1f s, stuck in \"%s\".\n",
                          stuck.name, (double) (now - stuck.lastProgress.load()) / 1000.0, stuck.currentStep.load());

            for (auto* role : roles)
                std::fprintf (stderr, "  %-10s %9ld operations, last progress %.1f s ago, in \"%s\"%s\n",
                              role->name, role->operations.load(), (double) (now - role->lastProgress.load()) / 1000.0,
                              role->currentStep.load(), role->watched.load() ? "" : " (finished)");

            std::fflush (stdout);
            std::fflush (stderr);
            std::_Exit (3);
        }

        std::vector<Role*> roles;
        const std::int64_t stallLimit;
        std::atomic<bool> finished { false };
        std::thread thread;
    };

    /** Failures seen on the worker threads, reported by the main thread. */
    class Problems
    {
    public:
        void add (const std::string& problem)
        {
            const std::lock_guard<std::mutex> guard (lock);
            ++count;

            if (kept.size() < 20)
                kept.push_back (problem);
        }

        long getCount()
        {
            const std::lock_guard<std::mutex> guard (lock);
            return count;
        }

        std::string describe()
        {
            const std::lock_guard<std::mutex> guard (lock);
            std::string text;

            for (const auto& problem : kept)
                text += "  " + problem + "\n";

            return text;
        }

    private:
        std::mutex lock;
        std::vector<std::string> kept;
        long count = 0;
    };

    bool isUnitValue (float v) { return std::isfinite (v) && v >= 0.0f && v <= 1.0f; }

    //==============================================================================
    // The known bank the run ends with: three groups filling all 128 slots,
    // each slot a distinct name and values k/64, which every document format
    // writes and reads back exactly.
    const char* const knownGroupNames[] = { "Known Leads", "Known Clean", "Known Bass" };
    const int knownGroupCounts[] = { 40, 30, 58 };

    juce::String knownPresetName (int slot)   { return "Known " + juce::String (slot).paddedLeft ('0', 3); }
    float knownValue (int slot, int index)    { return (float) ((slot * 7 + index * 3) % 65) / 64.0f; }

    std::unique_ptr<juce::XmlElement> createKnownBank (ParameterManager& parameters)
    {
        auto bank = std::make_unique<juce::XmlElement> ("PresetBank");
        bank->setAttribute ("name", "Stress Known Bank");
        int slot = 0;

        for (int g = 0; g < 3; ++g)
        {
            auto* group = bank->createNewChildElement ("PresetGroup");
            group->setAttribute ("name", knownGroupNames[g]);

            for (int i = 0; i < knownGroupCounts[g]; ++i, ++slot)
            {
                auto* preset = group->createNewChildElement ("Preset");
                preset->setAttribute ("application", "Korvane");
                preset->setAttribute ("name", knownPresetName (slot));
                preset->setAttribute ("rev", 1);

                for (int k = 0; k < numParameters; ++k)
                {
                    auto* param = preset->createNewChildElement ("param");
                    param->setAttribute ("name", parameters.getName (k));
                    param->setAttribute ("value", juce::String (knownValue (slot, k), 6));
                }
            }
        }

        return bank;
    }

    /** Empty when the processor holds exactly the known bank. */
    std::string differencesFromKnownBank (Korvane& processor)
    {
        auto& bank = processor.getBank();
        std::string differences;
        const auto note = [&differences] (const juce::String& text) { if (differences.size() < 2000) differences += text.toStdString() + "\n"; };

        if (bank.getBankName() != "Stress Known Bank")
            note ("bank name " + bank.getBankName());

        if (bank.getNumGroups() != 3)
            note ("groups: " + juce::String (bank.getNumGroups()));

        for (int g = 0; g < juce::jmin (3, bank.getNumGroups()); ++g)
            if (bank.getGroupName (g) != knownGroupNames[g] || bank.getGroupCount (g) != knownGroupCounts[g])
                note ("group " + juce::String (g) + ": " + bank.getGroupName (g) + " with " + juce::String (bank.getGroupCount (g)));

        for (int slot = 0; slot < PresetBank::slotCount; ++slot)
        {
            const auto preset = bank.getPreset (slot);

            if (preset.name != knownPresetName (slot))
                note ("slot " + juce::String (slot) + " is named " + preset.name);

            for (int k = 0; k < numParameters; ++k)
                if (preset.values[(size_t) k] != knownValue (slot, k))
                    note ("slot " + juce::String (slot) + " value " + juce::String (k) + " is " + juce::String (preset.values[(size_t) k], 9));
        }

        return differences;
    }

    /** What every saved state must look like, whatever the other threads were doing. */
    std::string checkStateChunk (const juce::MemoryBlock& chunk, ParameterManager& parameters)
    {
        auto root = StateChunk::unpack (chunk.getData(), (int) chunk.getSize());

        if (root == nullptr)
            return "a saved state does not unpack";

        if (root->getTagName() != "PluginState" || root->getStringAttribute ("application") != "Korvane")
            return "a saved state has the root " + root->getTagName().toStdString();

        auto* unique = root->getFirstChildElement();

        if (unique == nullptr || unique->getTagName() != "UniqueData"
            || HalcyonEffect::qualityLevelForName (unique->getStringAttribute ("quality")) < 0)
            return "a saved state does not start with a valid UniqueData";

        auto* values = root->getChildByName ("ParametersState");

        if (values == nullptr || values->getNumChildElements() != numParameters)
            return "a saved state lacks its 21 parameter values";

        int index = 0;

        for (auto* param : values->getChildIterator())
        {
            const auto v = (float) param->getStringAttribute ("value").getDoubleValue();

            if (param->getStringAttribute ("name") != parameters.getName (index) || ! isUnitValue (v))
                return "a saved state holds " + param->toString().toStdString();

            ++index;
        }

        auto* presets = root->getChildByName ("PresetsState");

        if (presets == nullptr || ! PresetBank::isValidSlot (presets->getIntAttribute ("currentPreset", -1))
            || presets->getChildByName ("PresetBank") == nullptr)
            return "a saved state lacks a valid PresetsState";

        if (root->getChildByName ("MidiControlMap") == nullptr)
            return "a saved state lacks its MIDI map";

        return {};
    }

    /** The MIDI map's own promises: the count matches the entries, a
        parameter has one controller at most, and only automatable ones. */
    std::string checkMidiMap (MidiControl& midi)
    {
        std::vector<Parameter*> seen;

        for (int controller = 0; controller < MidiControl::numControllers; ++controller)
        {
            if (auto* parameter = midi.getParameterForController (controller))
            {
                if (! parameter->isAutomatable())
                    return "controller " + std::to_string (controller) + " drives a parameter that is not automatable";

                if (std::find (seen.begin(), seen.end(), parameter) != seen.end())
                    return parameter->getName().toStdString() + " has two controllers";

                seen.push_back (parameter);
            }
        }

        if ((int) seen.size() != midi.getAssignmentCount())
            return "the map counts " + std::to_string (midi.getAssignmentCount()) + " assignments but holds " + std::to_string (seen.size());

        return {};
    }

    juce::SparseSet<int> firstRows (int count)
    {
        juce::SparseSet<int> rows;
        rows.addRange ({ 0, count });
        return rows;
    }

    void fillInput (juce::AudioBuffer<float>& buffer, int numSamples, juce::int64 position, float amplitude)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < numSamples; ++i)
                buffer.setSample (c, i, amplitude * std::sin (0.013f * (float) (position + i) * (float) (c + 1)));
    }

    long countNonFinite (const juce::AudioBuffer<float>& buffer, int numSamples)
    {
        long count = 0;

        for (int c = 0; c < buffer.getNumChannels(); ++c)
            for (int i = 0; i < numSamples; ++i)
                if (! std::isfinite (buffer.getSample (c, i)))
                    ++count;

        return count;
    }

    //==============================================================================
    struct StressRun
    {
        Korvane& processor;
        Problems& problems;
        std::atomic<bool>& stop;
        juce::File factoryBankFile, knownBankFile, scratchFolder;
        std::unique_ptr<juce::XmlElement> knownBank;

        Role audio { "audio" }, automation { "automation" }, state { "state" }, message { "message" };

        // Figures the report prints.
        std::atomic<long> programChangesSent { 0 }, controllerChangesSent { 0 }, nonFiniteSamples { 0 };
        std::atomic<long> statesSaved { 0 }, statesRestored { 0 }, banksLoaded { 0 };
        std::atomic<long> meterReads { 0 }, learnedAssignments { 0 }, presetSelections { 0 };
    };

    void runAudio (StressRun& run)
    {
        auto& processor = run.processor;
        auto& role = run.audio;
        juce::Random random (11);
        juce::AudioBuffer<float> buffer (2, maxBlockSize);
        juce::MidiBuffer midi;
        midi.ensureSize (4096);
        juce::int64 position = 0;

        while (! run.stop.load())
        {
            const auto numSamples = random.nextInt (4) == 0 ? 64 + random.nextInt (maxBlockSize - 63) : maxBlockSize;
            fillInput (buffer, numSamples, position, 0.1f + 1.4f * random.nextFloat());
            midi.clear();

            const auto kind = random.nextInt (8);

            if (kind == 0 || kind == 1)
            {
                // A program change now and then: normal or silent, as the
                // options say at the moment.
                midi.addEvent (juce::MidiMessage::programChange (1 + random.nextInt (16), random.nextInt (128)), random.nextInt (numSamples));
                run.programChangesSent.fetch_add (1);
            }

            if (kind >= 1 && kind <= 5)
            {
                // Mapped controllers at several positions, two at the same sample.
                const auto at = random.nextInt (numSamples);
                midi.addEvent (juce::MidiMessage::controllerEvent (1, toneController, random.nextInt (128)), at);
                midi.addEvent (juce::MidiMessage::controllerEvent (2, volumeController, 40 + random.nextInt (60)), at);
                midi.addEvent (juce::MidiMessage::controllerEvent (3, toneController, random.nextInt (128)), random.nextInt (numSamples));
                run.controllerChangesSent.fetch_add (3);
            }

            if (kind == 6)
            {
                // Controllers learn may pick up, and one beyond the block's end.
                midi.addEvent (juce::MidiMessage::controllerEvent (1, firstLearnController + random.nextInt (numLearnControllers), random.nextInt (128)),
                               random.nextInt (numSamples));
                midi.addEvent (juce::MidiMessage::controllerEvent (1, toneController, 64), numSamples + 40);
                run.controllerChangesSent.fetch_add (2);
            }

            role.step ("processBlock");
            juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), 2, numSamples);

            {
                const juce::ScopedLock callbackLock (processor.getCallbackLock());
                processor.processBlock (block, midi);
            }

            if (const auto bad = countNonFinite (block, numSamples); bad > 0)
                run.nonFiniteSamples.fetch_add (bad);

            position += numSamples;
            role.completed();
            std::this_thread::yield();
        }
    }

    void runAutomation (StressRun& run)
    {
        auto& processor = run.processor;
        auto& role = run.automation;
        juce::Random random (23);
        const auto& parameters = processor.getParameters();

        while (! run.stop.load())
        {
            auto* parameter = parameters[random.nextInt (parameters.size())];

            role.step ("automation gesture");
            parameter->beginChangeGesture();

            for (int k = 0; k < 4; ++k)
            {
                role.step ("setValue");
                parameter->setValue (random.nextFloat());

                role.step ("getValue");
                if (const auto v = parameter->getValue(); ! isUnitValue (v))
                    run.problems.add ("host parameter " + parameter->getName (64).toStdString() + " reads " + std::to_string (v));
            }

            parameter->endChangeGesture();

            // What a host shows beside its automation lanes.
            role.step ("parameter texts");
            if (parameter->getCurrentValueAsText().isEmpty() || parameter->getText (random.nextFloat(), 64).isEmpty())
                run.problems.add ("host parameter " + parameter->getName (64).toStdString() + " has no text");

            if (parameter->getName (64).isEmpty())
                run.problems.add ("a host parameter has no name");

            // Hosts ask about programs too; this processor has none.
            role.step ("programs");
            processor.setCurrentProgram (random.nextInt (4));

            if (processor.getNumPrograms() != 0 || processor.getCurrentProgram() != 0)
                run.problems.add ("the processor reports programs");

            role.completed();
            std::this_thread::yield();
        }
    }

    void runState (StressRun& run)
    {
        auto& processor = run.processor;
        auto& role = run.state;
        juce::Random random (37);
        std::vector<juce::MemoryBlock> saved;
        const auto factoryBank = juce::parseXML (run.factoryBankFile);
        int turn = 0;

        while (! run.stop.load())
        {
            switch (turn++ % 6)
            {
                case 0:
                case 3:
                {
                    role.step ("getStateInformation");
                    juce::MemoryBlock chunk;
                    processor.getStateInformation (chunk);

                    if (const auto problem = checkStateChunk (chunk, processor.getParameterManager()); ! problem.empty())
                        run.problems.add (problem);

                    if (saved.size() < 6)
                        saved.push_back (chunk);
                    else
                        saved[(size_t) random.nextInt ((int) saved.size())] = chunk;

                    run.statesSaved.fetch_add (1);
                    break;
                }

                case 1:
                case 4:
                {
                    role.step ("setStateInformation");
                    const auto& chunk = saved[(size_t) random.nextInt ((int) saved.size())];
                    processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
                    run.statesRestored.fetch_add (1);
                    break;
                }

                case 2:
                    role.step ("loadBankFile");
                    processor.loadBankFile (random.nextBool() ? run.factoryBankFile : run.knownBankFile);
                    run.banksLoaded.fetch_add (1);
                    break;

                case 5:
                {
                    role.step ("loadBankFromXml");
                    processor.loadBankFromXml (random.nextBool() && factoryBank != nullptr ? *factoryBank : *run.knownBank);
                    run.banksLoaded.fetch_add (1);

                    role.step ("program chunk");
                    juce::MemoryBlock program;
                    processor.getCurrentProgramStateInformation (program);
                    processor.setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
                    break;
                }

                default:
                    break;
            }

            role.completed();
            std::this_thread::yield();
        }
    }

    //==============================================================================
    // The message thread's part: one editor action per call, in turn.
    class EditorActions
    {
    public:
        explicit EditorActions (StressRun& runToUse) : run (runToUse), processor (runToUse.processor) {}

        void next()
        {
            auto& role = run.message;

            switch (turn++ % 12)
            {
                case 0:  role.step ("meters");            readMeters(); break;
                case 1:  role.step ("browse");            browse(); break;
                case 2:  role.step ("select preset");     selectPreset(); break;
                case 3:  role.step ("knob");              moveKnob(); break;
                case 4:  role.step ("rename");            rename(); break;
                case 5:  role.step ("meters");            readMeters(); break;
                case 6:  role.step ("learn");             learn(); break;
                case 7:  role.step ("preset events");     presetEvents(); break;
                case 8:  role.step ("moves");             moves(); break;
                case 9:  role.step ("options");           options(); break;
                case 10: role.step ("midi panel");        midiPanel(); break;
                case 11: role.step ("files");             files(); break;
                default: break;
            }
        }

    private:
        void readMeters()
        {
            // As the effect editor's refresh does, and its MIDI light.
            if (processor.isAudioRunning())
            {
                float left = -1.0f, right = -1.0f;
                processor.getCore()->getMeterLevels (left, right);

                if (! isUnitValue (left) || ! isUnitValue (right))
                    run.problems.add ("meters read " + std::to_string (left) + ", " + std::to_string (right));

                run.meterReads.fetch_add (1);
            }

            processor.midiActivity.exchange (0);
        }

        void browse()
        {
            // What the preset browser's columns ask while they draw.
            auto& bank = processor.getBank();
            const auto groups = bank.getNumGroups();

            for (int g = 0; g < groups; ++g)
            {
                const auto name = bank.getGroupName (g);
                const auto count = bank.getGroupCount (g);
                const auto first = bank.firstPresetOfGroup (g);

                for (int row = 0; row < juce::jmin (count, 4); ++row)
                    bank.getName (first + row);

                bank.presetIndexInBank (g, random.nextInt (juce::jmax (1, count)));
                juce::ignoreUnused (name);
            }

            const auto current = processor.getCurrentPresetIndex();

            if (! PresetBank::isValidSlot (current))
                run.problems.add ("the current preset is " + std::to_string (current));

            bank.groupOfPreset (current);
            processor.getParameterManager().getText (ParameterManager::currentPresetNameIdentifier);
        }

        void selectPreset()
        {
            processor.selectPreset (random.nextInt (PresetBank::slotCount));
            run.presetSelections.fetch_add (1);
        }

        void moveKnob()
        {
            // A skin knob: gesture, value, status-bar text.
            auto* parameter = processor.getParameterManager().getParameter (random.nextInt (numParameters));
            parameter->beginGesture();
            parameter->setNormalisedValue (random.nextFloat(), true);
            parameter->endGesture();

            auto& midi = processor.getMidiControl();

            if (midi.isLearnMode())
                midi.learnParameterMoved (parameter);

            if (processor.getParameterDisplayText (parameter->getIdentifier()).isEmpty())
                run.problems.add (parameter->getName().toStdString() + " has no display text");
        }

        void rename()
        {
            auto& parameters = processor.getParameterManager();

            // Editing the preset name display renames the current slot...
            if (auto* name = parameters.getParameter (ParameterManager::currentPresetNameIdentifier))
                name->setText ("Edited " + juce::String (random.nextInt (1000)), true);

            // ...and so do the browser's rows, for any slot and group.
            processor.renamePreset (random.nextInt (PresetBank::slotCount), "Renamed " + juce::String (random.nextInt (1000)));
            processor.renameGroup (random.nextInt (juce::jmax (1, processor.getBank().getNumGroups())), "Group " + juce::String (random.nextInt (100)));
        }

        void learn()
        {
            auto& midi = processor.getMidiControl();

            if (! midi.isLearnMode())
            {
                processor.handleEvent (EventsMap::toggleMidiLearnEvent);   // no effect: the editor handles it
                midi.setLearnMode (true);
            }

            // A free learn controller waits for a parameter, or a parameter for one.
            midi.unassignController (firstLearnController + random.nextInt (numLearnControllers));
            midi.learnParameterMoved (processor.getParameterManager().getParameter (random.nextInt (numParameters)));
            midi.getLearnStatusText();

            for (int c = firstLearnController; c < firstLearnController + numLearnControllers; ++c)
                if (midi.getParameterForController (c) != nullptr)
                    run.learnedAssignments.fetch_add (1);

            if (random.nextInt (4) == 0)
                midi.setLearnMode (false);
        }

        void presetEvents()
        {
            static const int events[] = { EventsMap::selectNextPresetEvent, EventsMap::selectPreviousPresetEvent,
                                          EventsMap::copyCurrentPresetEvent, EventsMap::pasteCopiedPresetEvent,
                                          EventsMap::storeCurrentPresetEvent, EventsMap::savePresetEvent };
            processor.handleEvent (events[random.nextInt (6)]);
        }

        void moves()
        {
            // Drags in the browser: within a group, to another group, whole groups.
            auto& bank = processor.getBank();
            const auto groups = juce::jmax (1, bank.getNumGroups());
            const auto from = random.nextInt (groups), to = random.nextInt (groups);
            const auto first = bank.firstPresetOfGroup (from);
            const auto count = bank.getGroupCount (from);

            switch (random.nextInt (4))
            {
                case 0:
                    if (count > 1)
                        processor.movePreset (first + random.nextInt (count), first + random.nextInt (count), from, from);
                    break;

                case 1:
                    if (count > 0)
                        processor.movePresetsToGroup (to, from, firstRows (juce::jmin (count, 3)));
                    break;

                case 2:
                    processor.moveGroup (from, to);
                    break;

                default:
                    processor.addGroup (from);
                    processor.removeEmptyGroup (from);
                    break;
            }
        }

        void options()
        {
            // Mostly silent changes, which apply presets on the audio thread.
            processor.setSilentPresetChange (random.nextInt (4) != 0);
            processor.setPresetStoringOnDemand (random.nextInt (3) != 0);
        }

        void midiPanel()
        {
            auto& midi = processor.getMidiControl();

            // Keeps the audio thread's controllers mapped, as a user would.
            auto& parameters = processor.getParameterManager();
            midi.assignController (toneController, parameters.getParameter (4), true);
            midi.assignController (volumeController, parameters.getParameter (19), true);

            for (int controller = 0; controller < MidiControl::numControllers; ++controller)
                if (auto* parameter = midi.getParameterForController (controller))
                    parameter->getName();

            midi.getLastMovedParameter();

            if (random.nextInt (20) == 0)
                midi.clearAll();
        }

        void files()
        {
            // The browser's save buttons, now and then.
            if (random.nextInt (10) != 0)
                return;

            processor.savePresetFile (run.scratchFolder.getChildFile ("saved.kvprs"), processor.getCurrentPresetIndex());
            processor.saveBankFile (run.scratchFolder.getChildFile ("saved.kvprsb"));
            processor.getRecentlyUsedDirectory();
        }

        StressRun& run;
        Korvane& processor;
        juce::Random random { 53 };
        int turn = 0;
    };
}

//==============================================================================
TEST (ConcurrencyStress, AudioAutomationStateAndEditorThreadsAtOnce)
{
    const auto seconds = environmentSeconds ("KORVANE_STRESS_SECONDS", 3.0);
    const auto stallSeconds = environmentSeconds ("KORVANE_STRESS_STALL_SECONDS", 10.0);
    auto* messageManager = juce::MessageManager::getInstance();
    ASSERT_TRUE (messageManager->isThisTheMessageThread());

    auto processor = startProduct();
    ASSERT_NE (processor, nullptr);
    ASSERT_NE (processor->getCore(), nullptr);
    ASSERT_NE (processor->getEditorComponent(), nullptr);

    // The component is shown as in an open window (without a desktop
    // window), so its 25 ms refresh timer runs the real meter code.
    processor->getEditorComponent()->setVisible (true);
    messageManager->runDispatchLoopUntil (50);

    auto scratch = juce::File::createTempFile ("korvane-stress");
    ASSERT_TRUE (scratch.createDirectory());

    Problems problems;
    std::atomic<bool> stop { false };
    StressRun run { *processor, problems, stop, scratch.getChildFile ("factory.kvprsb"), scratch.getChildFile ("known.kvprsb"), scratch, nullptr };

    run.knownBank = createKnownBank (processor->getParameterManager());
    ASSERT_TRUE (run.knownBank->writeTo (run.knownBankFile));
    processor->saveBankFile (run.factoryBankFile);   // the factory bank it started with

    auto& midi = processor->getMidiControl();
    midi.assignController (toneController, processor->getParameterManager().getParameter (4), true);
    midi.assignController (volumeController, processor->getParameterManager().getParameter (19), true);

    processor->setSilentPresetChange (true);
    processor->prepareToPlay (44100.0, maxBlockSize);

    std::printf ("Stress run of %.1f s (watchdog after %.1f s without progress)\n", seconds, stallSeconds);

    {
        Watchdog watchdog ({ &run.audio, &run.automation, &run.state, &run.message }, stallSeconds);

        std::thread audio ([&run] { runAudio (run); run.audio.watched.store (false); });
        std::thread automation ([&run] { runAutomation (run); run.automation.watched.store (false); });
        std::thread state ([&run] { runState (run); run.state.watched.store (false); });

        EditorActions editor (run);
        const auto deadline = SteadyClock::now() + std::chrono::milliseconds ((std::int64_t) (seconds * 1000.0));

        for (long turn = 0; SteadyClock::now() < deadline; ++turn)
        {
            // The loop sleeps a millisecond when nothing is queued: a few
            // editor actions go between two turns of it.
            if (turn % 4 == 0)
            {
                run.message.step ("dispatch loop");
                messageManager->runDispatchLoopUntil (1);
            }

            editor.next();
            run.message.completed();
        }

        stop.store (true);

        // The message thread keeps turning until every other one has ended.
        while (run.audio.watched.load() || run.automation.watched.load() || run.state.watched.load())
        {
            run.message.step ("waiting for the threads to end");
            messageManager->runDispatchLoopUntil (5);
            run.message.completed();
        }

        audio.join();
        automation.join();
        state.join();

        run.message.step ("final checks");
        messageManager->runDispatchLoopUntil (50);
        run.message.watched.store (false);
    }

    std::printf ("Operations: audio %ld blocks, automation %ld gestures, state %ld, message %ld\n",
                 run.audio.operations.load(), run.automation.operations.load(), run.state.operations.load(), run.message.operations.load());
    std::printf ("  audio: %ld program changes, %ld controller changes sent\n", run.programChangesSent.load(), run.controllerChangesSent.load());
    std::printf ("  state: %ld saved, %ld restored, %ld banks loaded\n", run.statesSaved.load(), run.statesRestored.load(), run.banksLoaded.load());
    std::printf ("  message: %ld meter reads, %ld preset selections, %ld learnt controllers seen assigned\n",
                 run.meterReads.load(), run.presetSelections.load(), run.learnedAssignments.load());
    std::fflush (stdout);

    // Every thread really ran alongside the others.
    EXPECT_GT (run.audio.operations.load(), 10);
    EXPECT_GT (run.automation.operations.load(), 10);
    EXPECT_GT (run.state.operations.load(), 10);
    EXPECT_GT (run.message.operations.load(), 10);
    EXPECT_GT (run.meterReads.load(), 0);

    EXPECT_EQ (problems.getCount(), 0) << problems.describe();
    EXPECT_EQ (run.nonFiniteSamples.load(), 0) << "the output was not always finite";

    // The processor still answers.
    EXPECT_EQ (processor->getName(), "Korvane");
    EXPECT_EQ (processor->getParameters().size(), numParameters);
    EXPECT_TRUE (PresetBank::isValidSlot (processor->getCurrentPresetIndex()));
    EXPECT_EQ (checkMidiMap (midi), "");

    midi.setLearnMode (false);
    processor->setSilentPresetChange (false);
    processor->setPresetStoringOnDemand (true);

    {
        juce::AudioBuffer<float> block (2, maxBlockSize);
        fillInput (block, maxBlockSize, 0, 0.8f);
        juce::MidiBuffer none;
        processor->processBlock (block, none);
        EXPECT_EQ (countNonFinite (block, maxBlockSize), 0);
    }

    // A known bank loads and reads back intact; loading it applies the
    // current slot to the live parameters.
    processor->loadBankFile (run.knownBankFile);
    EXPECT_EQ (differencesFromKnownBank (*processor), "");

    const auto current = processor->getCurrentPresetIndex();
    for (int k = 0; k < numParameters; ++k)
        EXPECT_EQ (processor->getParameterManager().getNormalisedValue (k), knownValue (current, k)) << k;

    // The state round-trips, in this instance and in a fresh one.
    juce::MemoryBlock saved, again, fresh;
    processor->getStateInformation (saved);
    EXPECT_EQ (checkStateChunk (saved, processor->getParameterManager()), "");
    processor->setStateInformation (saved.getData(), (int) saved.getSize());
    processor->getStateInformation (again);
    EXPECT_TRUE (saved == again) << "restoring a saved state changed it";

    {
        auto other = startProduct();
        ASSERT_NE (other, nullptr);
        other->setStateInformation (saved.getData(), (int) saved.getSize());
        other->getStateInformation (fresh);
        EXPECT_TRUE (saved == fresh) << "a fresh instance restored a different state";
        EXPECT_EQ (differencesFromKnownBank (*other), "");
        EXPECT_EQ (checkMidiMap (other->getMidiControl()), "");
        messageManager->runDispatchLoopUntil (20);
    }

    processor->releaseResources();
    messageManager->runDispatchLoopUntil (50);
    processor.reset();
    scratch.deleteRecursively();
}
